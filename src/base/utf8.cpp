// UTF-8 and UTF-16 conversions.
#include "base/utf8.h"

namespace vartesk {

bool TUtf8Cursor::Next(char32_t &c)
{
    if (Pos >= Text.size())
        return false;
    const auto b0 = static_cast<unsigned char>(Text[Pos]);
    int extra;
    char32_t value;
    char32_t minimum;
    if (b0 < 0x80) {
        c = b0;
        ++Pos;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        value = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        value = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        value = b0 & 0x07;
        minimum = 0x10000;
    } else {
        c = kUtf8Invalid;
        ++Pos;
        return true;
    }
    if (Pos + extra >= Text.size()) {
        c = kUtf8Invalid;
        ++Pos;
        return true;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(Text[Pos + i]);
        if ((b & 0xC0) != 0x80) {
            c = kUtf8Invalid;
            ++Pos;
            return true;
        }
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        c = kUtf8Invalid;
        ++Pos;
        return true;
    }
    c = value;
    Pos += extra + 1;
    return true;
}

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

size_t Utf8Length(std::string_view text)
{
    TUtf8Cursor cursor(text);
    size_t n = 0;
    char32_t c;
    while (cursor.Next(c))
        ++n;
    return n;
}

std::string Utf8Prefix(std::string_view text, size_t n)
{
    TUtf8Cursor cursor(text);
    char32_t c;
    for (size_t i = 0; i < n && cursor.Next(c); ++i) { }
    return std::string(text.substr(0, cursor.Position()));
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    TUtf8Cursor cursor(text);
    char32_t c;
    while (cursor.Next(c)) {
        if (c == kUtf8Invalid)
            c = 0xFFFD;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
            && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace vartesk

namespace vartesk {

std::string Utf8Lower(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    TUtf8Cursor cursor(text);
    char32_t c;
    size_t start = 0;
    while (cursor.Next(c)) {
        if (c == kUtf8Invalid) {
            out += text[start];
        } else {
            if (c >= 'A' && c <= 'Z')
                c += 'a' - 'A';
            else if (c >= 0x410 && c <= 0x42F)
                c += 0x20;
            else if (c >= 0x400 && c <= 0x40F)
                c += 0x50;
            else if (c == 0x490)
                c = 0x491;
            AppendUtf8(out, c);
        }
        start = cursor.Position();
    }
    return out;
}

} // namespace vartesk
