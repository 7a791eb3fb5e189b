// SplitByChar.
#include "base/split_by_char.h"

namespace vartesk {

std::vector<std::string> SplitByChar(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < text.size() && text[i] == separator)
        ++i;
    std::string current;
    bool open = i < text.size();
    for (; i < text.size(); ++i) {
        if (text[i] != separator) {
            current += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != separator) {
            parts.push_back(std::move(current));
            current.clear();
        }
    }
    if (open && !current.empty())
        parts.push_back(std::move(current));
    return parts;
}

} // namespace vartesk
