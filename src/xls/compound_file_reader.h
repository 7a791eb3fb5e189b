// Reading OLE2 compound files ([MS-CFB] versions 3 and 4): FAT, DIFAT, mini FAT, directory.
#pragma once

#include "base/file_io.h"
#include "xls/stream_source.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk::xls {

// Holds the file's bytes, or the open file, and its allocation tables; streams are read on
// demand. Every sector number, chain and size is checked against the file, and a
// sector-ownership map catches loops and sectors shared between chains (after xlrd
// compdoc.py's seen[]).
class TCompoundFileReader
{
public:
    // ECFileError 3 when the bytes are not a compound file or its tables are broken.
    explicit TCompoundFileReader(std::string bytes);
    // ECFileError 3 also when the file cannot be read. A compound file is read from the file
    // as its tables and streams are needed; anything else is read whole, to be named.
    static TCompoundFileReader FromFile(const std::filesystem::path &path);

    int Version() const { return MajorVersion; }
    // Names (UTF-8) of the streams directly under the root storage.
    std::vector<std::string> StreamNames() const;
    // The stream of that name, compared without regard to case; nullopt when there is
    // none; ECFileError 4 when its chain is broken.
    std::optional<std::string> ReadStream(const std::string &name) const;
    // The same bytes to be read in order: where the stream lies in consecutive sectors (as
    // writers lay out a large stream) they are taken from the file's bytes or from the file
    // itself as they are needed; otherwise ReadStream's bytes, kept in `scratch`. Null when
    // there is no such stream. It lives as long as the reader and `scratch`.
    std::unique_ptr<TStreamSource> OpenStream(const std::string &name, std::string &scratch) const;

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
    explicit TCompoundFileReader(TFileReader file);
    void Load();
    std::uint64_t FileSize() const { return File ? File->Size() : Bytes.size(); }
    std::string_view Sector(std::uint32_t n) const;
    const TEntry *FindStream(const std::string &name) const;

    std::string Bytes; // the whole file, when it was given as bytes
    std::optional<TFileReader> File; // the file, when it is read as needed
    mutable std::string SectorBytes; // the sector last read from File
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
