// Sheet names: forbidden characters, length, names apart without regard to case.
#include "xls/sheet_names.h"

#include "base/utf8.h"

namespace vartesk::xls {

namespace {

bool Forbidden(char32_t c)
{
    return c == '[' || c == ']' || c == ':' || c == '*' || c == '?' || c == '/' || c == '\\';
}

// The longest start of `text` of at most `units` UTF-16 units, without "'" at its end.
std::string Cut(const std::string &text, size_t units)
{
    std::string out;
    size_t used = 0;
    TUtf8Cursor cursor(text);
    char32_t c;
    while (cursor.Next(c)) {
        used += c > 0xFFFF && c != kUtf8Invalid ? 2 : 1;
        if (used > units)
            break;
        AppendUtf8(out, c == kUtf8Invalid ? U'\uFFFD' : c);
    }
    while (!out.empty() && out.back() == '\'')
        out.pop_back();
    return out;
}

} // namespace

std::string AcceptableSheetName(std::string_view wanted)
{
    std::string name;
    TUtf8Cursor cursor(wanted);
    char32_t c;
    while (cursor.Next(c))
        AppendUtf8(name, Forbidden(c) ? U'_' : c == kUtf8Invalid ? U'\uFFFD' : c);
    const size_t first = name.find_first_not_of('\'');
    name = first == std::string::npos ? std::string() : Cut(name.substr(first), kSheetNameLength);
    // The engine, like the spreadsheet program, takes no blank name.
    if (name.find_first_not_of(" \t\r\n") == std::string::npos)
        return "_";
    return name;
}

void TSheetNames::Take(std::string_view name)
{
    Taken.insert(Utf8Lower(name));
}

std::string TSheetNames::Give(std::string_view wanted)
{
    const std::string base = AcceptableSheetName(wanted);
    std::string name = base;
    for (int n = 2; !Taken.insert(Utf8Lower(name)).second; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        name = Cut(base, kSheetNameLength - suffix.size()) + suffix;
    }
    return name;
}

} // namespace vartesk::xls
