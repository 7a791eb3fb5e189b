// Writing OLE2 compound files ([MS-CFB] version 3, 512-byte sectors).
#pragma once

#include <filesystem>
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

private:
    struct TStream
    {
        std::string Name;
        std::string Data;
    };
    unsigned Shift;
    std::vector<TStream> Streams;
};

} // namespace vartesk::xls
