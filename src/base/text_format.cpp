// FormatText.
#include "base/text_format.h"

namespace vartesk {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const char k = pattern[i + 1];
            if (k == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (k >= '1' && k <= '9' && i + 3 < pattern.size() && pattern[i + 2] == '$'
                && (pattern[i + 3] == 's' || pattern[i + 3] == 'd')
                && size_t(k - '0') <= args.size()) {
                out.append(args.begin()[k - '1']);
                i += 3;
                continue;
            }
            if ((k == 's' || k == 'd') && next != args.end()) {
                out.append(*next++);
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace vartesk
