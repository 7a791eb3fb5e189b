// TRows: row settings keyed by row number.
#pragma once

#include "xls/custom_xls_item.h"

#include <cstdint>
#include <map>

namespace vartesk::xls {

class TSheet;

// One ROW record's settings: height in twips and the option bits of [MS-XLS] 2.4.221.
struct TRowData
{
    std::uint16_t Height = 255; // 12.75 points
    std::uint16_t Options = 0; // outline 0x7, collapsed 0x10, hidden 0x20, custom height 0x40,
                               // has format 0x80
    std::uint16_t Xf = 15;
    static constexpr std::uint16_t kHidden = 0x20;
    static constexpr std::uint16_t kCustomHeight = 0x40;
    static constexpr std::uint16_t kHasFormat = 0x80;
    friend bool operator==(const TRowData &, const TRowData &) = default;
};

class TRow : public TCustomXLSItem
{
public:
    TRow(TSheet &sheet, int row)
        : Owner(&sheet)
        , RowNo(row)
    { }
    int Row() const { return RowNo; }
    double Height() const; // points
    void SetHeight(double points); // EXLSError 4 outside 0..409
    bool Hidden() const;
    void SetHidden(bool hidden);

protected:
    TWorkbook &Book() const override;
    std::uint32_t CurrentXF() const override;
    void StoreXF(std::uint32_t xf) override;

private:
    TRowData &Data();
    TSheet *Owner;
    int RowNo;
};

class TRows
{
public:
    explicit TRows(TSheet &sheet)
        : Owner(&sheet)
    { }
    TRows(const TRows &) = delete;
    TRows &operator=(const TRows &) = delete;
    TRow Item(int row); // EXLSError 5 outside 0..65535
    std::map<std::uint16_t, TRowData> Items;

private:
    TSheet *Owner;
};

} // namespace vartesk::xls
