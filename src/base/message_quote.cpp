// QuoteForMessage.
#include "base/message_quote.h"

#include "base/utf8.h"

#include <cstdio>

namespace vartesk {

namespace {

std::string Hex(unsigned value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", value & 0xFFu);
    return buf;
}

// The escape of c, or nothing when it is shown as it is. C1 controls (U+0080..U+009F)
// count as well: some terminals act on them, and Windows-1251 byte 0x98 reads as one.
std::string Escape(char32_t c)
{
    switch (c) {
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case 0:
        return "\\0";
    default:
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return Hex(unsigned(c));
        return {};
    }
}

} // namespace

std::string QuoteForMessage(std::string_view text, size_t maxChars)
{
    std::string out = "'";
    size_t shown = 0;
    TUtf8Cursor cursor(text);
    size_t at = 0;
    for (char32_t c; cursor.Next(c); at = cursor.Position()) {
        const std::string escape
            = c == kUtf8Invalid ? Hex(static_cast<unsigned char>(text[at])) : Escape(c);
        const size_t width = escape.empty() ? 1 : escape.size();
        if (shown + width > maxChars) {
            out += "…";
            break;
        }
        if (escape.empty())
            out.append(text.substr(at, cursor.Position() - at));
        else
            out += escape;
        shown += width;
    }
    out += "'";
    return out;
}

} // namespace vartesk
