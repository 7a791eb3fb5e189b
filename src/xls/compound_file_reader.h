// Reading OLE2 compound files ([MS-CFB] versions 3 and 4): FAT, DIFAT, mini FAT, directory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vartesk::xls {

// Holds the file's bytes and its allocation tables; streams are read on demand. Every
// sector number, chain and size is checked against the file, and a sector-ownership map
// catches loops and sectors shared between chains (after xlrd compdoc.py's seen[]).
class TCompoundFileReader
{
public:
    // ECFileError 3 when the bytes are not a compound file or its tables are broken.
    explicit TCompoundFileReader(std::string bytes);
    // ECFileError 3 also when the file cannot be read.
    static TCompoundFileReader FromFile(const std::filesystem::path &path);

    int Version() const { return MajorVersion; }
    // Names (UTF-8) of the streams directly under the root storage.
    std::vector<std::string> StreamNames() const;
    // The stream of that name, compared without regard to case; nullopt when there is
    // none; ECFileError 4 when its chain is broken.
    std::optional<std::string> ReadStream(const std::string &name) const;

private:
    struct TEntry
    {
        std::u16string Name;
        std::uint8_t Type = 0;
        std::uint32_t Left = 0, Right = 0, Child = 0;
        std::uint32_t Start = 0;
        std::uint64_t Size = 0;
    };
    enum TOwner : std::uint8_t { Free, Fat, Difat, Directory, MiniFat, MiniStream };

    std::vector<std::uint32_t>
    Chain(std::uint32_t start, std::uint64_t maxSectors, TOwner owner, const char *what);
    std::string ChainBytes(const std::vector<std::uint32_t> &sectors) const;
    std::string_view Sector(std::uint32_t n) const;

    std::string Bytes;
    int MajorVersion = 3;
    std::uint32_t SectorSize = 512;
    std::uint32_t MiniCutoff = 4096;
    std::uint32_t SectorCount = 0;
    std::vector<std::uint32_t> FatTable;
    std::vector<std::uint32_t> MiniFatTable;
    std::vector<std::uint8_t> Owner;
    std::vector<TEntry> Entries;
    std::vector<std::uint32_t> TopLevel; // entry ids under the root
    std::string MiniStreamBytes;
};

} // namespace vartesk::xls
