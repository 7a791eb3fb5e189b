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
    Streams.push_back({std::move(name), std::move(data)});
}

std::string TCompoundFileWriter::Build() const
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
        if (data.size() >= kMiniCutoff || data.empty())
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
        if (Streams[i].Data.size() >= kMiniCutoff)
            startOf[i] = allocate(Streams[i].Data.size());
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

    std::string out;
    out.reserve(size_t(ss) * (fat.size() + 1));
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

    auto pad = [&] {
        out.resize(Ceil(out.size(), ss) * ss, '\0');
    };
    for (size_t i : order)
        if (Streams[i].Data.size() >= kMiniCutoff) {
            out += Streams[i].Data;
            pad();
        }
    out += mini;
    pad();
    for (auto v : miniFat)
        w.U32(v);
    while (out.size() % ss)
        w.U32(kFreeSect);

    // Directory: the root, then the streams in their sorted order.
    auto entry = [&](const std::u16string &name,
                     unsigned type,
                     std::uint32_t child,
                     std::uint32_t right,
                     std::uint32_t start,
                     std::uint64_t size) {
        for (size_t k = 0; k < 32; ++k)
            w.U16(k < name.size() ? name[k] : 0);
        w.U16(unsigned(name.size() + 1) * 2);
        w.U8(type);
        w.U8(1); // black
        w.U32(kNoStream);
        w.U32(right);
        w.U32(child);
        w.Zeros(16 + 4 + 8 + 8);
        w.U32(start);
        w.U64(size);
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
              Streams[i].Data.size());
    }
    while (out.size() % ss) {
        w.Zeros(64);
        w.U16(0);
        w.U8(0);
        w.U8(0);
        w.U32(kNoStream);
        w.U32(kNoStream);
        w.U32(kNoStream);
        w.Zeros(16 + 4 + 8 + 8 + 4 + 8);
    }
    for (auto v : fat)
        w.U32(v);
    // DIFAT sectors: FAT sector numbers from the 110th on, 127 per sector and a link.
    for (std::uint64_t d = 0; d < difatCount; ++d) {
        for (std::uint32_t k = 0; k < perFat - 1; ++k) {
            const std::uint64_t idx = 109 + d * (perFat - 1) + k;
            w.U32(idx < fatCount ? fatStart + std::uint32_t(idx) : kFreeSect);
        }
        w.U32(d + 1 < difatCount ? difatStart + std::uint32_t(d + 1) : kEndOfChain);
    }
    return out;
}

void TCompoundFileWriter::Save(const std::filesystem::path &path) const
{
    const std::string bytes = Build();
    // Written under a temporary name and renamed, so that a failed save (a full disk, a
    // folder that went away) never leaves a half-written workbook in place of the old one.
    try {
        WriteFileAtomic(path, bytes);
    } catch (const EFileError &e) {
        throw ECFileError(0, e.what());
    }
}

} // namespace vartesk::xls
