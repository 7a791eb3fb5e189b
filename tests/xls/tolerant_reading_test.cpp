// Workbooks that other programs read although their writers cut corners: each tolerance of the
// reader over a workbook of our own, changed by hand the way such a writer leaves it.
#include "xls/biff_records.h"
#include "xls/biff_stream.h"
#include "xls/byte_reader.h"
#include "xls/compound_file_writer.h"
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vartesk::xls;

namespace {

struct TRec
{
    std::uint16_t Id;
    std::string Body;
    std::vector<std::string> Continues = {}; // CONTINUE records written behind it
};

std::vector<TRec> Records(const std::string &stream)
{
    std::vector<TRec> out;
    size_t at = 0;
    while (stream.size() - at >= 4) {
        const unsigned id = std::uint8_t(stream[at]) | (std::uint8_t(stream[at + 1]) << 8);
        const size_t n = std::uint8_t(stream[at + 2]) | (std::uint8_t(stream[at + 3]) << 8);
        if (id == 0 && n == 0)
            break; // padding
        out.push_back({std::uint16_t(id), stream.substr(at + 4, n)});
        at += 4 + n;
    }
    return out;
}

// The stream again with `change` applied to every record, the sheets' positions in the
// BOUNDSHEET records moved with their BOF records.
std::string Rewrite(const std::string &stream, const std::function<void(TRec &)> &change)
{
    std::string out;
    std::vector<size_t> boundSheets, sheetBofs;
    bool globalsDone = false;
    for (TRec r : Records(stream)) {
        change(r);
        if (r.Id == rec::BoundSheet)
            boundSheets.push_back(out.size() + 4);
        if (r.Id == rec::Bof && globalsDone)
            sheetBofs.push_back(out.size());
        if (r.Id == rec::Eof)
            globalsDone = true;
        WriteRecord(out, r.Id, r.Body);
        for (const std::string &c : r.Continues)
            WriteRecord(out, rec::Continue, c);
    }
    for (size_t k = 0; k < boundSheets.size() && k < sheetBofs.size(); ++k)
        TByteWriter(out).PatchU32(boundSheets[k], std::uint32_t(sheetBofs[k]));
    return out;
}

std::string Compound(const std::string &stream, const char *name = "Workbook")
{
    TCompoundFileWriter w;
    w.AddStream(name, stream);
    return w.Build();
}

// One sheet with two shared strings, a number in a format of its own, a header and a footer.
std::string Sample()
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    s.Cells().Item(0, 0).SetText("first");
    s.Cells().Item(1, 0).SetText("abcdef");
    s.Cells().Item(2, 0).SetNumber(1.5);
    s.Cells().Item(2, 0).SetNumberFormat("0.000");
    s.PageSetup.Header = THeaderFooter::Parse("&CTitle");
    s.PageSetup.Footer = THeaderFooter::Parse("&CPage &P");
    return f.WorkbookStream();
}

std::string TextAt(TXLSFile &f, int row)
{
    return f.Sheets().Item(0).Cells().Item(row, 0).Value().Text();
}

} // namespace

// Met in files of converters that write BIFF8 under the Excel 5.0/95 stream name.
TEST(TolerantReading, ABiff8StreamNamedBookIsRead)
{
    for (const char *name : {"Book", "BOOK", "WORKBOOK"}) {
        TXLSFile f;
        f.OpenBytes(Compound(Sample(), name));
        EXPECT_EQ(TextAt(f, 1), "abcdef") << name;
    }
}

TEST(TolerantReading, TheLastSharedStringCutShortKeepsWhatIsThere)
{
    const std::string cut = Rewrite(Sample(), [](TRec &r) {
        if (r.Id == rec::Sst)
            r.Body.pop_back(); // the last character of "abcdef"
    });
    TXLSFile f;
    f.OpenBytes(Compound(cut));
    EXPECT_EQ(TextAt(f, 0), "first");
    EXPECT_EQ(TextAt(f, 1), "abcde");
}

TEST(TolerantReading, AFormatRecordAByteShortKeepsItsCharacters)
{
    const std::string cut = Rewrite(Sample(), [](TRec &r) {
        if (r.Id == rec::Format && r.Body.find("0.000") != std::string::npos)
            r.Body.pop_back();
    });
    TXLSFile f;
    f.OpenBytes(Compound(cut));
    EXPECT_EQ(f.Sheets().Item(0).Cells().Item(2, 0).NumberFormat(), "0.00");
}

TEST(TolerantReading, EmptyHeaderAndFooterBodiesWithoutTheirFlagByte)
{
    const std::string cut = Rewrite(Sample(), [](TRec &r) {
        if (r.Id == rec::Header || r.Id == rec::Footer)
            r.Body = std::string(2, '\0'); // the count 0 alone
    });
    TXLSFile f;
    f.OpenBytes(Compound(cut));
    EXPECT_TRUE(f.Sheets().Item(0).PageSetup.Header.Empty());
    EXPECT_TRUE(f.Sheets().Item(0).PageSetup.Footer.Empty());
    EXPECT_EQ(TextAt(f, 1), "abcdef");
}

// Writers split the shared-string table wherever their buffer ends; xlrd and POI read both
// shapes below, so a workbook that they open must open here too.
TEST(TolerantReading, SharedStringsSplitWhereOtherWritersSplitThem)
{
    // Counts, then "first" and "abcdef" with two rich-text runs.
    const std::string counts("\x02\0\0\0\x02\0\0\0", 8);
    const std::string first("\x05\0\0first", 8);
    const std::string richHeader("\x06\0\x08\x02\0", 5);
    const std::string runs("\0\0\0\0\x03\0\x01\0", 8);
    struct TShape
    {
        const char *What;
        std::string Sst;
        std::vector<std::string> Continues;
    };
    const TShape shapes[] = {
        {"characters begin in the CONTINUE record, behind its form flag",
         counts + first + richHeader,
         {std::string(1, '\0') + "abcdef" + runs}},
        {"characters and runs split in the middle",
         counts + first + richHeader + "abc",
         {std::string(1, '\0') + "def" + runs.substr(0, 4), runs.substr(4)}},
        {"runs begin in the CONTINUE record", counts + first + richHeader + "abcdef", {runs}},
    };
    for (const TShape &shape : shapes) {
        const std::string split = Rewrite(Sample(), [&](TRec &r) {
            if (r.Id == rec::Sst) {
                r.Body = shape.Sst;
                r.Continues = shape.Continues;
            }
        });
        TXLSFile f;
        ASSERT_NO_THROW(f.OpenBytes(Compound(split))) << shape.What;
        EXPECT_EQ(TextAt(f, 0), "first") << shape.What;
        EXPECT_EQ(TextAt(f, 1), "abcdef") << shape.What;
    }
}
