// Compound-file reader: header, DIFAT, FAT, directory tree, mini stream, checked chains.
#include "xls/compound_file_reader.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/utf8.h"
#include "xls/byte_reader.h"
#include "xls/file_kind.h"
#include "xls/xls_error.h"

#include <cstring>

namespace vartesk::xls {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr char kSignature[8] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};

[[noreturn]] void Broken(const std::string &what)
{
    throw ECFileError(3, "compound file: " + what);
}

char16_t Upper(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return char16_t(c - 32);
    if (c >= 0x0430 && c <= 0x044F) // Cyrillic а..я
        return char16_t(c - 32);
    if (c >= 0x0450 && c <= 0x045F)
        return char16_t(c - 80);
    return c;
}

bool SameName(const std::u16string &a, const std::u16string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

} // namespace

TCompoundFileReader TCompoundFileReader::FromFile(const std::filesystem::path &path)
{
    try {
        TFileReader file(path, kMaxWorkbookFileBytes);
        char signature[8] = {};
        if (file.ReadAt(0, signature, 8) == 8 && std::memcmp(signature, kSignature, 8) == 0)
            return TCompoundFileReader(std::move(file));
    } catch (const EFileError &e) {
        throw ECFileError(3, e.what());
    }
    // Not a compound file: its bytes tell what it is.
    std::string bytes;
    try {
        bytes = ReadFileBytes(path, kMaxWorkbookFileBytes);
    } catch (const EFileError &e) {
        throw ECFileError(3, e.what());
    }
    return TCompoundFileReader(std::move(bytes));
}

std::string_view TCompoundFileReader::Sector(std::uint32_t n) const
{
    // Sector n starts after the header sector; a last sector cut short by the end of the
    // file gives only what is there (met in files truncated by mail programs).
    const size_t start = size_t(n + 1) * SectorSize;
    if (start >= FileSize())
        return {};
    if (!File)
        return std::string_view(Bytes).substr(start, SectorSize);
    SectorBytes.resize(size_t(std::min<std::uint64_t>(SectorSize, FileSize() - start)));
    try {
        SectorBytes.resize(File->ReadAt(start, SectorBytes.data(), SectorBytes.size()));
    } catch (const EFileError &e) {
        throw ECFileError(3, e.what());
    }
    return SectorBytes;
}

std::vector<std::uint32_t> TCompoundFileReader::Chain(std::uint32_t start,
                                                      std::uint64_t maxSectors,
                                                      TOwner owner,
                                                      const char *what)
{
    std::vector<std::uint32_t> out;
    std::uint32_t s = start;
    while (s != kEndOfChain) {
        if (out.size() >= maxSectors)
            break;
        if (s >= SectorCount || s >= FatTable.size())
            Broken(std::string(what) + " chain: sector " + std::to_string(s)
                   + " out of range (file has " + std::to_string(SectorCount) + ")");
        if (Owner[s] != Free)
            Broken(std::string(what) + " chain: sector " + std::to_string(s)
                   + " already in use (loop or shared sector)");
        Owner[s] = owner;
        out.push_back(s);
        s = FatTable[s];
    }
    return out;
}

std::string TCompoundFileReader::ChainBytes(const std::vector<std::uint32_t> &sectors) const
{
    std::string out;
    out.reserve(sectors.size() * SectorSize);
    for (auto s : sectors) {
        auto sv = Sector(s);
        out.append(sv);
        out.append(SectorSize - sv.size(), '\0');
    }
    return out;
}

TCompoundFileReader::TCompoundFileReader(std::string bytes)
    : Bytes(std::move(bytes))
{
    if (Bytes.compare(0, 8, kSignature, 8) != 0) {
        if (auto kind = ForeignFileMessage(Bytes))
            throw ECFileError(3, {}, *kind);
        throw ECFileError(3, "compound file: no compound-file signature", NotAWorkbookMessage());
    }
    Load();
}

TCompoundFileReader::TCompoundFileReader(TFileReader file)
    : File(std::move(file))
{
    Load();
}

void TCompoundFileReader::Load()
{
    if (FileSize() < 512)
        Broken("file shorter than its header sector");
    std::string head;
    if (File) {
        head.resize(512);
        try {
            head.resize(File->ReadAt(0, head.data(), head.size()));
        } catch (const EFileError &e) {
            throw ECFileError(3, e.what());
        }
    } else {
        head = Bytes.substr(0, 512);
    }
    try {
        TByteReader h(head);
        h.Skip(8 + 16 + 2);
        MajorVersion = h.U16();
        const unsigned byteOrder = h.U16();
        const unsigned sectorShift = h.U16();
        const unsigned miniShift = h.U16();
        if (byteOrder != 0xFFFE)
            Broken("byte order mark " + std::to_string(byteOrder));
        if (!((MajorVersion == 3 && sectorShift == 9) || (MajorVersion == 4 && sectorShift == 12)))
            Broken("version " + std::to_string(MajorVersion) + " with sector shift "
                   + std::to_string(sectorShift));
        if (miniShift != 6)
            Broken("mini sector shift " + std::to_string(miniShift));
        SectorSize = 1u << sectorShift;
        h.Skip(6);
        h.U32(); // number of directory sectors (version 4 only; the chain says it anyway)
        const std::uint32_t fatSectors = h.U32();
        const std::uint32_t firstDir = h.U32();
        h.U32(); // transaction signature
        MiniCutoff = h.U32();
        const std::uint32_t firstMiniFat = h.U32();
        const std::uint32_t miniFatSectors = h.U32();
        std::uint32_t difatNext = h.U32();
        const std::uint32_t difatSectors = h.U32();
        if (FileSize() < SectorSize)
            Broken("file shorter than its header sector");
        SectorCount = std::uint32_t((FileSize() - SectorSize + SectorSize - 1) / SectorSize);
        Owner.assign(SectorCount, Free);
        if (fatSectors > SectorCount)
            Broken("FAT of " + std::to_string(fatSectors) + " sectors in a file of "
                   + std::to_string(SectorCount));

        // The FAT's own sectors: 109 in the header, the rest in the DIFAT chain.
        std::vector<std::uint32_t> fatList;
        for (int i = 0; i < 109; ++i) {
            const auto s = h.U32();
            if (fatList.size() < fatSectors && s != kFreeSect)
                fatList.push_back(s);
        }
        const std::uint32_t perDifat = SectorSize / 4 - 1;
        std::uint32_t difatSeen = 0;
        while (fatList.size() < fatSectors && difatNext != kEndOfChain && difatNext != kFreeSect) {
            if (difatNext >= SectorCount)
                Broken("DIFAT sector " + std::to_string(difatNext) + " out of range");
            if (Owner[difatNext] != Free || ++difatSeen > difatSectors + 1)
                Broken("DIFAT chain loops at sector " + std::to_string(difatNext));
            Owner[difatNext] = Difat;
            TByteReader d(Sector(difatNext));
            for (std::uint32_t i = 0; i < perDifat && d.Left() >= 4; ++i) {
                const auto s = d.U32();
                if (fatList.size() < fatSectors && s != kFreeSect)
                    fatList.push_back(s);
            }
            difatNext = d.Left() >= 4 ? d.U32() : kEndOfChain;
        }
        FatTable.reserve(fatList.size() * (SectorSize / 4));
        for (auto s : fatList) {
            if (s >= SectorCount)
                Broken("FAT sector " + std::to_string(s) + " out of range");
            if (Owner[s] != Free)
                Broken("FAT sector " + std::to_string(s) + " listed twice");
            Owner[s] = Fat;
            std::string data(Sector(s));
            data.resize(SectorSize, '\0');
            TByteReader f(data);
            while (!f.AtEnd())
                FatTable.push_back(f.U32());
        }

        // Directory: 128-byte entries; the tree under the root is walked with a visited set.
        const auto dirSectors = Chain(firstDir, SectorCount, Directory, "directory");
        const std::string dir = ChainBytes(dirSectors);
        TByteReader dr(dir);
        while (dr.Left() >= 128) {
            TEntry e;
            auto nameBytes = dr.Bytes(64);
            const unsigned nameLen = dr.U16();
            e.Type = dr.U8();
            dr.U8(); // colour
            e.Left = dr.U32();
            e.Right = dr.U32();
            e.Child = dr.U32();
            dr.Skip(16 + 4 + 8 + 8);
            e.Start = dr.U32();
            e.Size = dr.U64();
            if (MajorVersion == 3)
                e.Size &= 0xFFFFFFFF; // the high half may hold garbage in version 3 [MS-CFB]
            const unsigned chars = nameLen >= 2 && nameLen <= 64 ? nameLen / 2 - 1 : 0;
            for (unsigned i = 0; i < chars; ++i)
                e.Name.push_back(char16_t(std::uint8_t(nameBytes[2 * i])
                                          | (std::uint8_t(nameBytes[2 * i + 1]) << 8)));
            Entries.push_back(std::move(e));
        }
        if (Entries.empty() || Entries[0].Type != 5)
            Broken("directory has no root entry");
        std::vector<bool> visited(Entries.size(), false);
        std::vector<std::uint32_t> stack;
        if (Entries[0].Child != kNoStream)
            stack.push_back(Entries[0].Child);
        while (!stack.empty()) {
            const auto id = stack.back();
            stack.pop_back();
            if (id >= Entries.size())
                Broken("directory entry " + std::to_string(id) + " out of range");
            if (visited[id])
                Broken("directory tree loops at entry " + std::to_string(id));
            visited[id] = true;
            TopLevel.push_back(id);
            if (Entries[id].Left != kNoStream)
                stack.push_back(Entries[id].Left);
            if (Entries[id].Right != kNoStream)
                stack.push_back(Entries[id].Right);
        }

        // Mini FAT and the mini stream (held by the root entry).
        const auto miniFatChain = Chain(
            firstMiniFat, miniFatSectors ? miniFatSectors : SectorCount, MiniFat, "mini FAT");
        {
            const std::string mf = ChainBytes(miniFatChain);
            TByteReader m(mf);
            while (!m.AtEnd())
                MiniFatTable.push_back(m.U32());
        }
        const TEntry &root = Entries[0];
        if (root.Size > std::uint64_t(SectorCount) * SectorSize)
            Broken("mini stream of " + std::to_string(root.Size) + " bytes beyond the file");
        const std::uint64_t miniSectors = (root.Size + SectorSize - 1) / SectorSize;
        const auto miniChain = Chain(root.Start, miniSectors, MiniStream, "mini stream");
        if (miniChain.size() < miniSectors)
            Broken("mini stream chain of " + std::to_string(miniChain.size())
                   + " sectors, expected " + std::to_string(miniSectors));
        MiniStreamBytes = ChainBytes(miniChain);
        MiniStreamBytes.resize(size_t(root.Size));
    } catch (const EReadPastEnd &e) {
        Broken(e.what());
    }
}

std::vector<std::string> TCompoundFileReader::StreamNames() const
{
    std::vector<std::string> out;
    for (auto id : TopLevel)
        if (Entries[id].Type == 2)
            out.push_back(Utf16ToUtf8(Entries[id].Name));
    return out;
}

const TCompoundFileReader::TEntry *TCompoundFileReader::FindStream(const std::string &name) const
{
    const std::u16string wanted = Utf8ToUtf16(name);
    for (auto id : TopLevel)
        if (Entries[id].Type == 2 && SameName(Entries[id].Name, wanted))
            return &Entries[id];
    return nullptr;
}

namespace {

// A stream lying in consecutive sectors of the file, read from it as it is needed.
class TFileRange : public TStreamSource
{
public:
    TFileRange(const TFileReader &file, std::uint64_t begin, std::uint64_t size)
        : File(file)
        , Begin(begin)
        , Length(size)
    { }
    std::uint64_t Size() const override { return Length; }
    void Read(std::uint64_t offset, char *out, size_t n) const override
    {
        size_t got;
        try {
            got = File.ReadAt(Begin + offset, out, n);
        } catch (const EFileError &e) {
            throw ECFileError(3, e.what());
        }
        if (got < n)
            throw ECFileError(3,
                              "compound file: the file ends at "
                                  + std::to_string(Begin + offset + got)
                                  + ", inside its stream (changed while it was read)");
    }

private:
    const TFileReader &File;
    std::uint64_t Begin, Length;
};

} // namespace

std::unique_ptr<TStreamSource> TCompoundFileReader::OpenStream(const std::string &name,
                                                               std::string &scratch) const
{
    const TEntry *entry = FindStream(name);
    if (!entry)
        return nullptr;
    // The chain walked with ReadStream's checks; anything it would refuse or pad goes to
    // ReadStream, which says what is wrong.
    const std::uint64_t size = entry->Size;
    const std::uint64_t count = (size + SectorSize - 1) / SectorSize;
    const std::uint64_t begin = (std::uint64_t(entry->Start) + 1) * SectorSize;
    bool consecutive = size >= MiniCutoff && size <= std::uint64_t(SectorCount) * SectorSize
        && begin + size <= FileSize();
    if (consecutive) {
        std::vector<bool> seen(SectorCount, false);
        std::uint32_t s = entry->Start;
        for (std::uint64_t k = 0; k < count && consecutive; ++k) {
            consecutive = s == entry->Start + k && s < SectorCount && s < FatTable.size()
                && !seen[s] && Owner[s] == Free;
            if (consecutive) {
                seen[s] = true;
                s = FatTable[s];
            }
        }
    }
    if (consecutive && File)
        return std::make_unique<TFileRange>(*File, begin, size);
    if (consecutive)
        return std::make_unique<TMemoryStream>(std::string_view(Bytes).substr(begin, size));
    scratch = *ReadStream(name);
    return std::make_unique<TMemoryStream>(scratch);
}

std::optional<std::string> TCompoundFileReader::ReadStream(const std::string &name) const
{
    const TEntry *entry = FindStream(name);
    if (!entry)
        return std::nullopt;
    auto fail = [&](const std::string &what) -> void {
        throw ECFileError(4, "stream " + name + ": " + what);
    };
    const std::uint64_t size = entry->Size;
    std::string out;
    if (size < MiniCutoff) {
        if (size > MiniStreamBytes.size())
            fail("size " + std::to_string(size) + " beyond the mini stream");
        out.reserve(size_t(size));
        std::vector<bool> seen(MiniFatTable.size(), false);
        std::uint32_t s = entry->Start;
        while (out.size() < size) {
            if (s >= MiniFatTable.size())
                fail("mini sector " + std::to_string(s) + " out of range");
            if (seen[s])
                fail("mini chain loops at sector " + std::to_string(s));
            seen[s] = true;
            const size_t take = std::min<size_t>(64, size_t(size) - out.size());
            if (size_t(s) * 64 + take > MiniStreamBytes.size())
                fail("mini sector " + std::to_string(s) + " beyond the mini stream");
            out.append(MiniStreamBytes, size_t(s) * 64, take);
            s = MiniFatTable[s];
        }
        return out;
    }
    if (size > std::uint64_t(SectorCount) * SectorSize)
        fail("size " + std::to_string(size) + " beyond the file");
    out.reserve(size_t(size));
    std::vector<bool> seen(SectorCount, false);
    std::uint32_t s = entry->Start;
    while (out.size() < size) {
        if (s >= SectorCount || s >= FatTable.size())
            fail("sector " + std::to_string(s) + " out of range after " + std::to_string(out.size())
                 + " of " + std::to_string(size) + " bytes");
        if (seen[s] || Owner[s] != Free)
            fail("chain loops or enters the file's tables at sector " + std::to_string(s));
        seen[s] = true;
        auto sv = Sector(s);
        const size_t take = std::min<size_t>(SectorSize, size_t(size) - out.size());
        out.append(sv.substr(0, std::min(take, sv.size())));
        out.append(take - std::min(take, sv.size()), '\0');
        s = FatTable[s];
    }
    return out;
}

} // namespace vartesk::xls
