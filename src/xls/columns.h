// TColumns: column settings keyed by column number.
#pragma once

#include "xls/custom_xls_item.h"

#include <cstdint>
#include <map>

namespace vartesk::xls {

class TSheet;

// One COLINFO entry: width in 1/256 of the width of "0" in the default font, XF, options
// (0x0001 hidden, outline level in 0x0700, 0x1000 collapsed).
struct TColumnData
{
    std::uint16_t Width = 2340; // 8.43 characters of Arial 10
    std::uint16_t Xf = 15;
    std::uint16_t Options = 0;
    friend bool operator==(const TColumnData &, const TColumnData &) = default;
};

// Character units (the spreadsheet's width box) and the stored units, for a default font
// whose digits are 7 pixels wide (Arial 10): the rule of the spreadsheet program,
// stored = trunc((chars * 7 + 5) / 7 * 256).
std::uint16_t WidthToUnits(double chars);
double UnitsToWidth(std::uint16_t units);

class TColumn : public TCustomXLSItem
{
public:
    TColumn(TSheet &sheet, int col)
        : Owner(&sheet)
        , ColNo(col)
    { }
    int Col() const { return ColNo; }
    double Width() const;
    void SetWidth(double chars); // EXLSError 4 outside 0..255
    bool Hidden() const;
    void SetHidden(bool hidden);

protected:
    TWorkbook &Book() const override;
    std::uint32_t CurrentXF() const override;
    void StoreXF(std::uint32_t xf) override;

private:
    TColumnData &Data();
    TSheet *Owner;
    int ColNo;
};

class TColumns
{
public:
    explicit TColumns(TSheet &sheet)
        : Owner(&sheet)
    { }
    TColumns(const TColumns &) = delete;
    TColumns &operator=(const TColumns &) = delete;
    TColumn Item(int col); // EXLSError 5 outside 0..255
    std::map<std::uint16_t, TColumnData> Items;

private:
    TSheet *Owner;
};

} // namespace vartesk::xls
