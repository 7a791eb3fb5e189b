// TTextReader and TTextWriter.
#include "base/text_lines.h"

#include "base/cp1251.h"

namespace vartesk {

bool TTextReader::ReadLine(std::string &line)
{
    if (Pos >= Bytes.size())
        return false;
    size_t end = Bytes.find('\n', Pos);
    const size_t stop = end == std::string::npos ? Bytes.size() : end;
    std::string raw;
    raw.reserve(stop - Pos);
    for (size_t i = Pos; i < stop; ++i)
        if (Bytes[i] != '\r')
            raw += Bytes[i];
    Pos = end == std::string::npos ? Bytes.size() : end + 1;
    ++Line;
    line = Cp1251ToUtf8(raw);
    return true;
}

void TTextWriter::WriteLine(std::string_view line)
{
    Out += Utf8ToCp1251(line);
    Out += "\r\n";
}

} // namespace vartesk
