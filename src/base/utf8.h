// UTF-8 walking, character counts and UTF-16 conversion.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

// Returned by TUtf8Cursor for a byte that does not start a valid sequence.
inline constexpr char32_t kUtf8Invalid = 0xFFFFFFFF;

// Walks a UTF-8 text a character at a time; a broken sequence yields kUtf8Invalid for
// its first byte and the walk goes on with the next one.
class TUtf8Cursor
{
public:
    explicit TUtf8Cursor(std::string_view text)
        : Text(text)
    { }
    bool Next(char32_t &c);
    size_t Position() const { return Pos; }

private:
    std::string_view Text;
    size_t Pos = 0;
};

void AppendUtf8(std::string &out, char32_t c);

// Number of characters (broken bytes count one each).
size_t Utf8Length(std::string_view text);
// The first n characters.
std::string Utf8Prefix(std::string_view text, size_t n);

std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace vartesk

namespace vartesk {

// Lower case of Latin and Cyrillic letters (А..Я, Ё and the other Windows-1251 capitals);
// other characters unchanged. Enough for comparing keys and names without regard to case.
std::string Utf8Lower(std::string_view text);

} // namespace vartesk
