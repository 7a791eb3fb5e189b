// Compound files: round trips in both versions, mini stream, DIFAT, and broken tables.
#include "base/file_limits.h"
#include "test_support.h"
#include "xls/compound_file_reader.h"
#include "xls/compound_file_writer.h"
#include "xls/xls_error.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vartesk::xls;

namespace {

std::string Pattern(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = char((i * 131 + i / 7) & 0xFF);
    return s;
}

std::string Build(const std::string &data, unsigned shift = 9, std::string name = "Workbook")
{
    TCompoundFileWriter w(shift);
    w.AddStream(std::move(name), data);
    return w.Build();
}

void PutU32(std::string &s, size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const std::string &s, size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | std::uint8_t(s[at + size_t(i)]);
    return v;
}

int OpenCode(const std::string &bytes, bool stream = true)
{
    try {
        TCompoundFileReader r(bytes);
        if (stream)
            r.ReadStream("Workbook");
    } catch (const ECFileError &e) {
        return e.Code();
    }
    return -1;
}

} // namespace

TEST(CompoundFile, SmallStreamGoesToTheMiniStreamAndReadsBack)
{
    const std::string data = Pattern(1000);
    const std::string file = Build(data);
    EXPECT_EQ(file.size() % 512, 0u);
    TCompoundFileReader r(file);
    EXPECT_EQ(r.Version(), 3);
    EXPECT_EQ(r.ReadStream("Workbook").value(), data);
}

TEST(CompoundFile, StreamAtTheCutoffUsesRegularSectors)
{
    for (size_t n : {4095u, 4096u, 4097u, 100000u}) {
        const std::string data = Pattern(n);
        TCompoundFileReader r(Build(data));
        EXPECT_EQ(r.ReadStream("Workbook").value(), data) << n;
    }
}

TEST(CompoundFile, LargeStreamNeedsDifatSectors)
{
    // More than 109 FAT sectors (109 * 128 * 512 bytes = 7.1 MB) need a DIFAT chain.
    const std::string data = Pattern(9 * 1024 * 1024);
    const std::string file = Build(data);
    EXPECT_GT(GetU32(file, 0x48), 0u); // number of DIFAT sectors
    TCompoundFileReader r(file);
    EXPECT_EQ(r.ReadStream("Workbook").value(), data);
}

TEST(CompoundFile, Version4With4096ByteSectorsReads)
{
    const std::string data = Pattern(70000);
    const std::string file = Build(data, 12);
    TCompoundFileReader r(file);
    EXPECT_EQ(r.Version(), 4);
    EXPECT_EQ(r.ReadStream("Workbook").value(), data);
    EXPECT_EQ(TCompoundFileReader(Build("tiny", 12)).ReadStream("Workbook").value(), "tiny");
}

TEST(CompoundFile, StreamNamesCompareWithoutRegardToCase)
{
    TCompoundFileReader r(Build("abc", 9, "WORKBOOK"));
    EXPECT_EQ(r.ReadStream("Workbook").value(), "abc");
    EXPECT_EQ(r.ReadStream("workbook").value(), "abc");
    EXPECT_FALSE(r.ReadStream("Book").has_value());
    ASSERT_EQ(r.StreamNames().size(), 1u);
    EXPECT_EQ(r.StreamNames()[0], "WORKBOOK");
}

TEST(CompoundFile, SeveralStreamsAreAllFound)
{
    TCompoundFileWriter w;
    w.AddStream("Workbook", Pattern(5000));
    w.AddStream("Book", "x");
    w.AddStream("\x05SummaryInformation", Pattern(300));
    TCompoundFileReader r(w.Build());
    EXPECT_EQ(r.ReadStream("Workbook").value(), Pattern(5000));
    EXPECT_EQ(r.ReadStream("book").value(), "x");
    EXPECT_EQ(r.ReadStream("\x05SummaryInformation").value(), Pattern(300));
}

TEST(CompoundFile, NotACompoundFileIsError3)
{
    EXPECT_EQ(OpenCode(""), 3);
    EXPECT_EQ(OpenCode(std::string(600, 'x')), 3);
    // An .xlsx file is a ZIP archive.
    std::string zip = "PK\x03\x04";
    zip += std::string(1000, '\0');
    EXPECT_EQ(OpenCode(zip), 3);
}

TEST(CompoundFile, FilesAreReadThroughTheCheckedReaderWithTheWorkbookLimit)
{
    vartesk::test::TScratchDir dir;
    const auto detailOf = [](const std::filesystem::path &path) {
        try {
            TCompoundFileReader::FromFile(path);
        } catch (const ECFileError &e) {
            EXPECT_EQ(e.Code(), 3);
            return e.Detail();
        }
        return std::string("opened");
    };
    const auto big = dir / "big.xls";
    vartesk::test::WriteAll(big, "");
    std::filesystem::resize_file(big, vartesk::kMaxWorkbookFileBytes + 1); // sparse
    EXPECT_EQ(detailOf(big),
              "Cannot read file \"" + big.string()
                  + "\". It is larger than 1 GiB, the most this program reads of such a file");
    EXPECT_NE(detailOf(dir / "none.xls").find("none.xls\". File not found"), std::string::npos);
}

TEST(CompoundFile, FatChainWithACycleIsCaught)
{
    std::string file = Build(Pattern(20000));
    // The stream starts at sector 0; make sector 3 point back to sector 1.
    const std::uint32_t fatSector = GetU32(file, 0x4C);
    const size_t fat = (fatSector + 1) * 512;
    PutU32(file, fat + 3 * 4, 1);
    EXPECT_EQ(OpenCode(file), 4);
}

TEST(CompoundFile, SectorNumberOutOfRangeIsCaught)
{
    std::string file = Build(Pattern(20000));
    const size_t fat = (GetU32(file, 0x4C) + 1) * 512;
    PutU32(file, fat + 2 * 4, 0x00FFFFFF);
    EXPECT_EQ(OpenCode(file), 4);
    // The directory start beyond the file.
    std::string dir = Build(Pattern(20000));
    PutU32(dir, 0x30, 5000);
    EXPECT_EQ(OpenCode(dir, false), 3);
}

TEST(CompoundFile, StreamSizeBeyondTheFileIsCaught)
{
    std::string file = Build(Pattern(20000));
    const size_t dir = (GetU32(file, 0x30) + 1) * 512;
    PutU32(file, dir + 128 + 0x78, 0x7FFFFFF0); // size of the stream entry
    EXPECT_EQ(OpenCode(file), 4);
}

TEST(CompoundFile, DirectoryLoopIsCaught)
{
    TCompoundFileWriter w;
    w.AddStream("A", "1");
    w.AddStream("B", "2");
    std::string file = w.Build();
    const size_t dir = (GetU32(file, 0x30) + 1) * 512;
    PutU32(file, dir + 2 * 128 + 0x48, 1); // B's right sibling: A again
    EXPECT_EQ(OpenCode(file, false), 3);
}

TEST(CompoundFile, TruncatedFileFailsCleanly)
{
    const std::string file = Build(Pattern(50000));
    for (size_t cut : {512u, 1000u, 20000u, 50000u})
        EXPECT_NE(OpenCode(file.substr(0, cut)), -1) << cut;
}

TEST(CompoundFile, EqualContentGivesEqualFiles)
{
    EXPECT_EQ(Build(Pattern(12345)), Build(Pattern(12345)));
}

// The file is read as its tables and streams are needed, the bytes as they are given: both
// see the same stream or the same fault, and OpenStream gives ReadStream's bytes, also for a
// stream whose sectors are not in order.
TEST(CompoundFile, AFileReadAsNeededSeesWhatItsBytesShow)
{
    std::string shuffled = Build(Pattern(20000));
    std::string cycle = shuffled;
    const size_t fat = (GetU32(shuffled, 0x4C) + 1) * 512;
    PutU32(shuffled, fat + 0 * 4, 2); // the chain 0, 2, 1, 3, ...
    PutU32(shuffled, fat + 2 * 4, 1);
    PutU32(shuffled, fat + 1 * 4, 3);
    PutU32(cycle, fat + 3 * 4, 1);
    std::string cut = Build(Pattern(100000)); // cut inside its last sector, the FAT's, where
    cut.resize(cut.size() - 100); // no entry is used
    const std::string files[] = {Build(Pattern(1000)),
                                 Build(Pattern(100000)),
                                 Build(Pattern(70000), 12),
                                 shuffled,
                                 cycle,
                                 Build(Pattern(50000)).substr(0, 20000),
                                 cut};
    const auto outcome = [](const std::function<TCompoundFileReader()> &open) -> std::string {
        try {
            const TCompoundFileReader r = open();
            std::string scratch;
            const auto stream = r.OpenStream("Workbook", scratch);
            std::string bytes(size_t(stream->Size()), '\0');
            stream->Read(0, bytes.data(), bytes.size());
            EXPECT_EQ(vartesk::test::WhereBytesDiffer(bytes, r.ReadStream("Workbook").value()), "");
            return bytes;
        } catch (const ECFileError &e) {
            return "error " + std::to_string(e.Code()) + ": " + e.Detail();
        }
    };
    vartesk::test::TScratchDir dir;
    for (size_t i = 0; i < std::size(files); ++i) {
        vartesk::test::WriteAll(dir / "f.xls", files[i]);
        EXPECT_EQ(vartesk::test::WhereBytesDiffer(
                      outcome([&] { return TCompoundFileReader::FromFile(dir / "f.xls"); }),
                      outcome([&] { return TCompoundFileReader(files[i]); })),
                  "")
            << i;
    }
}
