// TRanges: rectangles of a sheet, merged areas and named ranges among them.
#pragma once

#include <cstdint>
#include <map>
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
    void SetRect(const TRect &rect);
    std::string Address() const { return Area ? A1Address(*Area) : std::string(); }

    bool Merged() const { return IsMerged; }
    void SetMerged(bool merged);
    // A named range is a defined name of its sheet; Global marks a workbook-wide name.
    const std::string &Name() const { return RangeName; }
    void SetName(std::string name) { RangeName = std::move(name); }
    bool Global() const { return IsGlobal; }
    void SetGlobal(bool global) { IsGlobal = global; }

    // The outline of the rectangle in the colour and line style (BorderAround);
    // nothing for a range that covers nothing.
    void BorderAround(int colour, int style);

private:
    friend class TRanges;
    TSheet *Owner;
    std::optional<TRect> Area;
    bool IsMerged = false;
    bool IsGlobal = false;
    std::string RangeName;
    std::uint64_t Serial = 0; // order of addition, which is the order of the list
};

// The ranges in the order they were added (the order they are written in). Block operations
// of a sheet with thousands of merged areas ask only for those near some rows: an index by
// first row answers them without walking the whole list.
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
    // Merged areas may not overlap: a new one replaces those it meets.
    TRange &AddMerged(const TRect &rect);
    size_t Count() const { return Items.size(); }
    TRange &Item(size_t i) { return *Items.at(i); }
    const TRange &Item(size_t i) const { return *Items.at(i); }
    const std::vector<std::unique_ptr<TRange>> &All() const { return Items; }
    std::vector<TRect> MergedAreas() const;
    // The merged areas that lie inside the rectangle, in list order.
    std::vector<TRect> MergedAreasInside(const TRect &rect) const;
    void RemoveMergedMeeting(const TRect &rect);
    // Drops the merged area that would hide the cell: one that holds it, not as its top-left.
    void Uncover(int row, int col);
    // Ranges below `row` move down by count rows and those the insertion opens inside grow,
    // neither beyond lastRow; one that would start beyond it is dropped.
    void InsertRows(int row, int count, int lastRow);
    // The source's ranges as ranges of this list's sheet.
    void CopyFrom(const TRanges &source);
    void Clear();

private:
    friend class TRange;
    TRange &Append(std::unique_ptr<TRange> range);
    // A range changed behind the index: it is built again when next needed.
    void Changed() { Indexed = false; }
    void BuildIndex() const;
    void Index(TRange *range) const;
    void Unindex(TRange *range) const;
    // The valid ranges that may meet rows first..last (a superset), unordered.
    template<class F>
    void ForNear(int first, int last, F &&visit) const;
    void Remove(std::vector<TRange *> ranges, bool indexed = true);

    TSheet *Owner;
    std::vector<std::unique_ptr<TRange>> Items;
    std::uint64_t NextSerial = 0;
    // Valid ranges by first row; Tallest bounds how far above a row one may start and still
    // reach it.
    mutable std::multimap<int, TRange *> ByRow;
    mutable int Tallest = 0;
    mutable bool Indexed = true;
};

} // namespace vartesk::xls
