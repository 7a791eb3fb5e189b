// TRanges: rectangles of a sheet, merged areas and named ranges among them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk::xls {

class TSheet;

// A rectangle of 0-based rows and columns, both ends included.
struct TRect
{
    int Row1 = 0, Col1 = 0, Row2 = 0, Col2 = 0;
    bool Contains(int r, int c) const { return r >= Row1 && r <= Row2 && c >= Col1 && c <= Col2; }
    friend bool operator==(const TRect &, const TRect &) = default;
};

// "B5:I6" or "B5" (with or without $) as a rectangle; nullopt when it is not one.
std::optional<TRect> ParseA1Range(std::string_view address);
// Column letters of a 0-based column: 0 "A", 27 "AB".
std::string ColumnLetters(int col);
// "B5" for (4, 1); "B5:I6" for a rectangle of more than one cell.
std::string A1Address(const TRect &rect);

class TRange
{
public:
    TRange(TSheet &sheet, std::optional<TRect> rect)
        : Owner(&sheet)
        , Area(rect)
    { }
    bool Valid() const { return Area.has_value(); }
    const TRect &Rect() const { return *Area; }
    void SetRect(const TRect &rect) { Area = rect; }
    std::string Address() const { return Area ? A1Address(*Area) : std::string(); }

    bool Merged() const { return IsMerged; }
    void SetMerged(bool merged) { IsMerged = merged; }
    // A named range is a defined name of its sheet; Global marks a workbook-wide name.
    const std::string &Name() const { return RangeName; }
    void SetName(std::string name) { RangeName = std::move(name); }
    bool Global() const { return IsGlobal; }
    void SetGlobal(bool global) { IsGlobal = global; }

    // The outline of the rectangle in the colour and line style (BorderAround);
    // nothing for a range that covers nothing.
    void BorderAround(int colour, int style);

private:
    TSheet *Owner;
    std::optional<TRect> Area;
    bool IsMerged = false;
    bool IsGlobal = false;
    std::string RangeName;
};

class TRanges
{
public:
    explicit TRanges(TSheet &sheet)
        : Owner(&sheet)
    { }
    TRanges(const TRanges &) = delete;
    TRanges &operator=(const TRanges &) = delete;

    // A new range over the A1 rectangle, neither named nor merged.
    TRange &Add(std::string_view address);
    TRange &Add(const TRect &rect);
    TRange &AddMerged(const TRect &rect);
    size_t Count() const { return Items.size(); }
    TRange &Item(size_t i) { return *Items.at(i); }
    const TRange &Item(size_t i) const { return *Items.at(i); }
    std::vector<TRect> MergedAreas() const;
    void Clear() { Items.clear(); }

    std::vector<std::unique_ptr<TRange>> Items;

private:
    TSheet *Owner;
};

} // namespace vartesk::xls
