// Ranges: A1 addresses, merged areas, named ranges, outlines.
#include "xls/ranges.h"

#include "xls/sheet.h"

#include <algorithm>
#include <cctype>

namespace vartesk::xls {

namespace {

// One "$B$5" cell reference at pos; advances pos.
bool ParseCellRef(std::string_view s, size_t &pos, int &row, int &col)
{
    if (pos < s.size() && s[pos] == '$')
        ++pos;
    int c = 0;
    size_t letters = 0;
    while (pos < s.size() && std::isalpha(static_cast<unsigned char>(s[pos])) && letters < 3) {
        c = c * 26 + (std::toupper(static_cast<unsigned char>(s[pos])) - 'A' + 1);
        ++pos;
        ++letters;
    }
    if (letters == 0 || c > 256)
        return false;
    if (pos < s.size() && s[pos] == '$')
        ++pos;
    long r = 0;
    size_t digits = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) && digits < 6) {
        r = r * 10 + (s[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0 || r < 1 || r > 65536)
        return false;
    row = int(r - 1);
    col = c - 1;
    return true;
}

} // namespace

std::optional<TRect> ParseA1Range(std::string_view address)
{
    size_t pos = 0;
    TRect r;
    if (!ParseCellRef(address, pos, r.Row1, r.Col1))
        return std::nullopt;
    r.Row2 = r.Row1;
    r.Col2 = r.Col1;
    if (pos < address.size()) {
        if (address[pos] != ':')
            return std::nullopt;
        ++pos;
        if (!ParseCellRef(address, pos, r.Row2, r.Col2) || pos != address.size())
            return std::nullopt;
    }
    if (r.Row1 > r.Row2)
        std::swap(r.Row1, r.Row2);
    if (r.Col1 > r.Col2)
        std::swap(r.Col1, r.Col2);
    return r;
}

std::string ColumnLetters(int col)
{
    std::string s;
    int c = col + 1;
    while (c > 0) {
        const int d = (c - 1) % 26;
        s.insert(s.begin(), char('A' + d));
        c = (c - 1) / 26;
    }
    return s;
}

std::string A1Address(const TRect &rect)
{
    std::string a = ColumnLetters(rect.Col1) + std::to_string(rect.Row1 + 1);
    if (rect.Row2 != rect.Row1 || rect.Col2 != rect.Col1)
        a += ":" + ColumnLetters(rect.Col2) + std::to_string(rect.Row2 + 1);
    return a;
}

void TRange::BorderAround(int colour, int style)
{
    if (!Area)
        return;
    const TRect a = *Area;
    auto side = [&](int row, int col, int s) {
        TCell cell = Owner->Cells().Item(row, col);
        cell.SetBorderStyle(s, style);
        cell.SetBorderColor(s, colour);
    };
    for (int c = a.Col1; c <= a.Col2; ++c) {
        side(a.Row1, c, 2);
        side(a.Row2, c, 3);
    }
    for (int r = a.Row1; r <= a.Row2; ++r) {
        side(r, a.Col1, 0);
        side(r, a.Col2, 1);
    }
}

TRange &TRanges::Add(std::string_view address)
{
    Items.push_back(std::make_unique<TRange>(*Owner, ParseA1Range(address)));
    return *Items.back();
}

TRange &TRanges::Add(const TRect &rect)
{
    Items.push_back(std::make_unique<TRange>(*Owner, rect));
    return *Items.back();
}

TRange &TRanges::AddMerged(const TRect &rect)
{
    // Merged areas may not overlap: a new one replaces those it meets.
    std::erase_if(Items, [&](const std::unique_ptr<TRange> &r) {
        if (!r->Merged() || !r->Valid())
            return false;
        const TRect &o = r->Rect();
        return !(o.Row2 < rect.Row1 || o.Row1 > rect.Row2 || o.Col2 < rect.Col1
                 || o.Col1 > rect.Col2);
    });
    TRange &r = Add(rect);
    r.SetMerged(true);
    return r;
}

std::vector<TRect> TRanges::MergedAreas() const
{
    std::vector<TRect> out;
    for (const auto &r : Items)
        if (r->Merged() && r->Valid())
            out.push_back(r->Rect());
    return out;
}

} // namespace vartesk::xls
