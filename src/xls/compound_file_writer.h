// Writing OLE2 compound files ([MS-CFB] version 3, 512-byte sectors).
#pragma once

#include "base/file_io.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vartesk::xls {

// Collects streams under the root storage and lays out the whole file at once: the
// streams of 4096 bytes and more in regular sectors, smaller ones in the mini stream, then
// the mini FAT, the directory, the FAT and, beyond 109 FAT sectors, the DIFAT. Timestamps
// and class ids stay zero so that equal content gives equal files.
class TCompoundFileWriter
{
public:
    // sectorShift 9 (version 3) is what the engine writes; 12 (version 4) serves the tests.
    explicit TCompoundFileWriter(unsigned sectorShift = 9)
        : Shift(sectorShift)
    { }
    void AddStream(std::string name, std::string data);
    std::string Build() const;
    // ECFileError 0 when the file cannot be created or written.
    void Save(const std::filesystem::path &path) const;
    // Saves the file of the one stream `name` that `produce` writes into the sink it is given
    // (bytes of the stream, offsets counted from the stream's start), without holding a large
    // stream whole: byte for byte the file AddStream and Save give. ECFileError 0 as Save;
    // an exception of produce goes on to the caller and leaves the previous file.
    static void SaveStream(const std::filesystem::path &path,
                           std::string name,
                           const std::function<void(TFileSink &)> &produce,
                           unsigned sectorShift = 9);

private:
    struct TStream
    {
        std::string Name;
        std::string Data;
        std::uint64_t Size = 0; // of Data, or of a stream whose bytes are written elsewhere
    };
    // The file around the streams' bytes: the header sector, the streams that take regular
    // sectors in file order (each then padded to whole sectors), and what follows them (mini
    // stream, mini FAT, directory, FAT, DIFAT).
    struct TLayout
    {
        std::string Head;
        std::vector<size_t> Large;
        std::string Tail;
    };
    TLayout Layout() const;
    void WriteTo(TFileSink &out) const;
    unsigned Shift;
    std::vector<TStream> Streams;
};

} // namespace vartesk::xls
