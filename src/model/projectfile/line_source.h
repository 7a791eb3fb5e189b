// Lines of a project file as the readers of its blocks take them.
#pragma once

#include "base/text_lines.h"

#include <optional>
#include <string>

namespace vartesk {

class TLineSource
{
public:
    explicit TLineSource(std::string bytes)
        : Reader(std::move(bytes))
    { }
    // The next line; past the end of the file an empty text, which no number converts from.
    std::string Next();
    // The next line, or nothing at the end of the file.
    std::optional<std::string> TryNext();
    // 1-based number of the last line taken (0 before the first).
    int LineNumber() const { return Line; }

private:
    TTextReader Reader;
    int Line = 0;
};

} // namespace vartesk
