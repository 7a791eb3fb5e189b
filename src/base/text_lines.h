// Line-by-line text in Windows-1251 with CR LF, as the program's own files use.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

// Reads lines of any length from the bytes of a file. A line ends at LF or CR LF; a CR not
// followed by LF is dropped. Lines come out in UTF-8.
class TTextReader
{
public:
    explicit TTextReader(std::string bytes)
        : Bytes(std::move(bytes))
    { }
    // False at the end of the text (a final line without LF is still a line).
    bool ReadLine(std::string &line);
    // 1-based number of the last line read.
    int LineNumber() const { return Line; }

private:
    std::string Bytes;
    size_t Pos = 0;
    int Line = 0;
};

// Collects UTF-8 lines and gives them as Windows-1251 bytes, each ended by CR LF.
class TTextWriter
{
public:
    void WriteLine(std::string_view line);
    const std::string &Bytes() const { return Out; }

private:
    std::string Out;
};

} // namespace vartesk
