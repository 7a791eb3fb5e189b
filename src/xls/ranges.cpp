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

void TRange::SetRect(const TRect &rect)
{
    Area = rect;
    Owner->Ranges().Changed();
}

void TRange::SetMerged(bool merged)
{
    IsMerged = merged;
    Owner->Ranges().Changed();
}

TRange &TRanges::Append(std::unique_ptr<TRange> range)
{
    range->Serial = NextSerial++;
    Items.push_back(std::move(range));
    TRange &r = *Items.back();
    if (Indexed)
        Index(&r);
    return r;
}

TRange &TRanges::Add(std::string_view address)
{
    return Append(std::make_unique<TRange>(*Owner, ParseA1Range(address)));
}

TRange &TRanges::Add(const TRect &rect)
{
    return Append(std::make_unique<TRange>(*Owner, rect));
}

TRange &TRanges::AddMerged(const TRect &rect)
{
    RemoveMergedMeeting(rect);
    auto range = std::make_unique<TRange>(*Owner, rect);
    range->IsMerged = true;
    return Append(std::move(range));
}

std::vector<TRect> TRanges::MergedAreas() const
{
    std::vector<TRect> out;
    for (const auto &r : Items)
        if (r->Merged() && r->Valid())
            out.push_back(r->Rect());
    return out;
}

void TRanges::Index(TRange *range) const
{
    if (!range->Valid())
        return;
    const TRect &a = range->Rect();
    ByRow.emplace(a.Row1, range);
    Tallest = std::max(Tallest, a.Row2 - a.Row1);
}

void TRanges::Unindex(TRange *range) const
{
    if (!range->Valid())
        return;
    auto [it, end] = ByRow.equal_range(range->Rect().Row1);
    for (; it != end; ++it)
        if (it->second == range) {
            ByRow.erase(it);
            return;
        }
}

void TRanges::BuildIndex() const
{
    if (Indexed)
        return;
    ByRow.clear();
    Tallest = 0;
    for (const auto &r : Items)
        Index(r.get());
    Indexed = true;
}

template<class F>
void TRanges::ForNear(int first, int last, F &&visit) const
{
    BuildIndex();
    auto it = ByRow.lower_bound(first - Tallest);
    const auto end = ByRow.upper_bound(last);
    for (; it != end; ++it)
        visit(it->second);
}

std::vector<TRect> TRanges::MergedAreasInside(const TRect &rect) const
{
    std::vector<const TRange *> found;
    ForNear(rect.Row1, rect.Row2, [&](const TRange *r) {
        const TRect &a = r->Rect();
        if (r->Merged() && a.Row1 >= rect.Row1 && a.Row2 <= rect.Row2 && a.Col1 >= rect.Col1
            && a.Col2 <= rect.Col2)
            found.push_back(r);
    });
    std::sort(found.begin(), found.end(), [](const TRange *a, const TRange *b) {
        return a->Serial < b->Serial;
    });
    std::vector<TRect> out;
    for (const TRange *r : found)
        out.push_back(r->Rect());
    return out;
}

void TRanges::RemoveMergedMeeting(const TRect &rect)
{
    std::vector<TRange *> meeting;
    ForNear(rect.Row1, rect.Row2, [&](TRange *r) {
        const TRect &o = r->Rect();
        if (r->Merged()
            && !(o.Row2 < rect.Row1 || o.Row1 > rect.Row2 || o.Col2 < rect.Col1
                 || o.Col1 > rect.Col2))
            meeting.push_back(r);
    });
    Remove(meeting);
}

void TRanges::Uncover(int row, int col)
{
    std::vector<TRange *> covering;
    ForNear(row, row, [&](TRange *r) {
        const TRect &a = r->Rect();
        if (r->Merged() && a.Contains(row, col) && (a.Row1 != row || a.Col1 != col))
            covering.push_back(r);
    });
    Remove(covering);
}

void TRanges::Remove(std::vector<TRange *> ranges, bool indexed)
{
    if (ranges.empty())
        return;
    if (indexed)
        for (TRange *r : ranges)
            Unindex(r);
    std::sort(ranges.begin(), ranges.end());
    std::erase_if(Items, [&](const std::unique_ptr<TRange> &r) {
        return std::binary_search(ranges.begin(), ranges.end(), r.get());
    });
}

void TRanges::InsertRows(int row, int count, int lastRow)
{
    std::vector<TRange *> moved, dropped;
    ForNear(row + 1, lastRow, [&](TRange *r) {
        if (r->Rect().Row2 > row)
            moved.push_back(r);
    });
    for (TRange *r : moved) {
        Unindex(r);
        TRect &a = *r->Area;
        if (a.Row1 > row) {
            if (a.Row1 + count > lastRow) {
                dropped.push_back(r);
                continue;
            }
            a.Row1 += count;
        }
        a.Row2 = std::min(a.Row2 + count, lastRow);
        Index(r);
    }
    Remove(std::move(dropped), false);
}

void TRanges::CopyFrom(const TRanges &source)
{
    Clear();
    for (const auto &r : source.Items) {
        // A copy of a workbook-wide name would clash with the original: it becomes the
        // new sheet's own name (a new TRange is not global).
        auto copy = std::make_unique<TRange>(
            *Owner, r->Valid() ? std::optional<TRect>(r->Rect()) : std::nullopt);
        copy->IsMerged = r->Merged();
        copy->SetName(r->Name());
        Append(std::move(copy));
    }
}

void TRanges::Clear()
{
    Items.clear();
    ByRow.clear();
    Tallest = 0;
    Indexed = true;
}

} // namespace vartesk::xls
