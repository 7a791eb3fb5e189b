// Compound-file writer: one pass that lays out streams, mini stream, directory and FAT.
#include "xls/compound_file_writer.h"

#include "base/file_io.h"
#include "base/utf8.h"
#include "xls/byte_reader.h"
#include "xls/xls_error.h"

#include <algorithm>
#include <cstdio>

namespace vartesk::xls {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSect = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kMiniCutoff = 4096;

std::uint64_t Ceil(std::uint64_t a, std::uint64_t b)
{
    return (a + b - 1) / b;
}

// [MS-CFB] 2.6.4: shorter names sort first, then by upper-cased UTF-16 code units.
bool NameLess(const std::u16string &a, const std::u16string &b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    for (size_t i = 0; i < a.size(); ++i) {
        auto up = [](char16_t c) {
            return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
        };
        if (up(a[i]) != up(b[i]))
            return up(a[i]) < up(b[i]);
    }
    return false;
}

} // namespace

void TCompoundFileWriter::AddStream(std::string name, std::string data)
{
    const std::uint64_t size = data.size();
    Streams.push_back({std::move(name), std::move(data), size});
}

TCompoundFileWriter::TLayout TCompoundFileWriter::Layout() const
{
    const std::uint32_t ss = 1u << Shift;
    const std::uint32_t perFat = ss / 4;

    // Streams sorted by the directory's name order, linked as a chain of right siblings
    // under the root: all black, a valid (if unbalanced) tree for every reader.
    std::vector<size_t> order(Streams.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::vector<std::u16string> names;
    for (const auto &s : Streams)
        names.push_back(Utf8ToUtf16(s.Name).substr(0, 31));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return NameLess(names[a], names[b]);
    });

    // The mini stream: small streams in 64-byte mini sectors.
    std::string mini;
    std::vector<std::uint32_t> miniFat;
    std::vector<std::uint32_t> startOf(Streams.size(), kEndOfChain);
    for (size_t i : order) {
        const auto &data = Streams[i].Data;
        if (Streams[i].Size >= kMiniCutoff || data.empty())
            continue;
        const auto first = std::uint32_t(mini.size() / 64);
        const auto count = std::uint32_t(Ceil(data.size(), 64));
        startOf[i] = first;
        for (std::uint32_t k = 0; k < count; ++k)
            miniFat.push_back(k + 1 < count ? first + k + 1 : kEndOfChain);
        mini += data;
        mini.resize(size_t(first + count) * 64, '\0');
    }

    // Regular sectors in file order: big streams, mini stream, mini FAT, directory.
    std::vector<std::uint32_t> fat;
    auto allocate = [&](std::uint64_t bytes) -> std::uint32_t {
        const auto count = std::uint32_t(Ceil(bytes, ss));
        if (count == 0)
            return kEndOfChain;
        const auto first = std::uint32_t(fat.size());
        for (std::uint32_t k = 0; k < count; ++k)
            fat.push_back(k + 1 < count ? first + k + 1 : kEndOfChain);
        return first;
    };
    for (size_t i : order)
        if (Streams[i].Size >= kMiniCutoff)
            startOf[i] = allocate(Streams[i].Size);
    const std::uint32_t miniStart = allocate(mini.size());
    const std::uint32_t miniFatStart = allocate(miniFat.size() * 4);
    const std::uint32_t miniFatCount = std::uint32_t(Ceil(miniFat.size() * 4, ss));
    const std::uint64_t dirEntries = Streams.size() + 1;
    const std::uint32_t dirStart = allocate(dirEntries * 128);
    const std::uint32_t dirCount = std::uint32_t(Ceil(dirEntries * 128, ss));

    // FAT and DIFAT sizes depend on each other and on themselves: iterate to the fixpoint.
    const std::uint64_t used = fat.size();
    std::uint64_t fatCount = 0, difatCount = 0;
    for (;;) {
        const std::uint64_t f = Ceil(used + fatCount + difatCount, perFat);
        const std::uint64_t d = f > 109 ? Ceil(f - 109, perFat - 1) : 0;
        if (f == fatCount && d == difatCount)
            break;
        fatCount = f;
        difatCount = d;
    }
    const auto fatStart = std::uint32_t(fat.size());
    for (std::uint64_t k = 0; k < fatCount; ++k)
        fat.push_back(kFatSect);
    const auto difatStart = std::uint32_t(fat.size());
    for (std::uint64_t k = 0; k < difatCount; ++k)
        fat.push_back(kDifatSect);
    fat.resize(size_t(fatCount * perFat), kFreeSect);

    TLayout layout;
    std::string &out = layout.Head;
    TByteWriter w(out);
    // Header.
    w.Bytes(std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    w.Zeros(16);
    w.U16(0x003E);
    w.U16(Shift == 9 ? 3 : 4);
    w.U16(0xFFFE);
    w.U16(Shift);
    w.U16(6);
    w.Zeros(6);
    w.U32(Shift == 9 ? 0 : dirCount);
    w.U32(std::uint32_t(fatCount));
    w.U32(dirStart);
    w.U32(0);
    w.U32(kMiniCutoff);
    w.U32(miniFat.empty() ? kEndOfChain : miniFatStart);
    w.U32(miniFatCount);
    w.U32(difatCount ? difatStart : kEndOfChain);
    w.U32(std::uint32_t(difatCount));
    for (std::uint32_t k = 0; k < 109; ++k)
        w.U32(k < fatCount ? fatStart + k : kFreeSect);
    out.resize(ss, '\0');

    for (size_t i : order)
        if (Streams[i].Size >= kMiniCutoff)
            layout.Large.push_back(i);

    // What follows the large streams starts on a sector boundary, and so does each part.
    std::string &tail = layout.Tail;
    TByteWriter t(tail);
    auto pad = [&] {
        tail.resize(Ceil(tail.size(), ss) * ss, '\0');
    };
    tail += mini;
    pad();
    for (auto v : miniFat)
        t.U32(v);
    while (tail.size() % ss)
        t.U32(kFreeSect);

    // Directory: the root, then the streams in their sorted order.
    auto entry = [&](const std::u16string &name,
                     unsigned type,
                     std::uint32_t child,
                     std::uint32_t right,
                     std::uint32_t start,
                     std::uint64_t size) {
        for (size_t k = 0; k < 32; ++k)
            t.U16(k < name.size() ? name[k] : 0);
        t.U16(unsigned(name.size() + 1) * 2);
        t.U8(type);
        t.U8(1); // black
        t.U32(kNoStream);
        t.U32(right);
        t.U32(child);
        t.Zeros(16 + 4 + 8 + 8);
        t.U32(start);
        t.U64(size);
    };
    entry(u"Root Entry",
          5,
          order.empty() ? kNoStream : 1,
          kNoStream,
          mini.empty() ? kEndOfChain : miniStart,
          mini.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const size_t i = order[k];
        entry(names[i],
              2,
              kNoStream,
              k + 1 < order.size() ? std::uint32_t(k + 2) : kNoStream,
              startOf[i],
              Streams[i].Size);
    }
    while (tail.size() % ss) {
        t.Zeros(64);
        t.U16(0);
        t.U8(0);
        t.U8(0);
        t.U32(kNoStream);
        t.U32(kNoStream);
        t.U32(kNoStream);
        t.Zeros(16 + 4 + 8 + 8 + 4 + 8);
    }
    for (auto v : fat)
        t.U32(v);
    // DIFAT sectors: FAT sector numbers from the 110th on, 127 per sector and a link.
    for (std::uint64_t d = 0; d < difatCount; ++d) {
        for (std::uint32_t k = 0; k < perFat - 1; ++k) {
            const std::uint64_t idx = 109 + d * (perFat - 1) + k;
            t.U32(idx < fatCount ? fatStart + std::uint32_t(idx) : kFreeSect);
        }
        t.U32(d + 1 < difatCount ? difatStart + std::uint32_t(d + 1) : kEndOfChain);
    }
    return layout;
}

std::string TCompoundFileWriter::Build() const
{
    const TLayout layout = Layout();
    const std::uint32_t ss = 1u << Shift;
    std::string out = layout.Head;
    for (size_t i : layout.Large) {
        out += Streams[i].Data;
        out.resize(Ceil(out.size(), ss) * ss, '\0');
    }
    out += layout.Tail;
    return out;
}

void TCompoundFileWriter::WriteTo(TFileSink &out) const
{
    const TLayout layout = Layout();
    const std::uint32_t ss = 1u << Shift;
    out.Append(layout.Head);
    for (size_t i : layout.Large) {
        out.Append(Streams[i].Data);
        out.Append(std::string(Ceil(Streams[i].Size, ss) * ss - Streams[i].Size, '\0'));
    }
    out.Append(layout.Tail);
}

void TCompoundFileWriter::Save(const std::filesystem::path &path) const
{
    // Written under a temporary name and renamed, so that a failed save (a full disk, a
    // folder that went away) never leaves a half-written workbook in place of the old one.
    try {
        WriteFileAtomic(path, [&](TFileSink &out) { WriteTo(out); });
    } catch (const EFileError &e) {
        throw ECFileError(0, e.what());
    }
}

namespace {

// The stream's bytes held until they reach the mini-stream cutoff; from there on the stream
// takes regular sectors right after the header sector, and its bytes go straight to the file
// behind a header sector that is filled in last.
class TStreamSink : public TFileSink
{
public:
    TStreamSink(TFileSink &file, std::uint32_t sectorSize)
        : File(file)
        , SectorSize(sectorSize)
    { }
    void Append(std::string_view bytes) override
    {
        Written += bytes.size();
        if (Direct) {
            File.Append(bytes);
            return;
        }
        Held.append(bytes);
        if (Held.size() < kMiniCutoff)
            return;
        Direct = true;
        File.Append(std::string(SectorSize, '\0'));
        File.Append(Held);
        Held = {};
    }
    void Overwrite(std::uint64_t offset, std::string_view bytes) override
    {
        if (Direct)
            File.Overwrite(SectorSize + offset, bytes);
        else
            Held.replace(size_t(offset), bytes.size(), bytes);
    }
    std::uint64_t Size() const override { return Written; }
    bool Direct = false;
    std::string Held;

private:
    TFileSink &File;
    std::uint32_t SectorSize;
    std::uint64_t Written = 0;
};

} // namespace

void TCompoundFileWriter::SaveStream(const std::filesystem::path &path,
                                     std::string name,
                                     const std::function<void(TFileSink &)> &produce,
                                     unsigned sectorShift)
{
    try {
        WriteFileAtomic(path, [&](TFileSink &file) {
            TCompoundFileWriter cf(sectorShift);
            TStreamSink stream(file, 1u << sectorShift);
            produce(stream);
            if (!stream.Direct) {
                cf.AddStream(std::move(name), std::move(stream.Held));
                cf.WriteTo(file);
                return;
            }
            cf.Streams.push_back({std::move(name), {}, stream.Size()});
            const TLayout layout = cf.Layout();
            const std::uint64_t ss = 1u << sectorShift;
            file.Append(std::string(Ceil(stream.Size(), ss) * ss - stream.Size(), '\0'));
            file.Append(layout.Tail);
            file.Overwrite(0, layout.Head);
        });
    } catch (const EFileError &e) {
        throw ECFileError(0, e.what());
    }
}

} // namespace vartesk::xls
