// TCustomXLSItem: the formatting setters shared by cells, rows and columns.
#pragma once

#include "xls/cell_format.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vartesk::xls {

class TWorkbook;

enum class THAlign : std::uint8_t { General, Left, Center, Right, Fill, Justify, CenterAcross };
enum class TVAlign : std::uint8_t { Top, Center, Bottom, Justify };

// An item refers to one entry of the workbook's XF table; a setter builds the changed
// format, finds or adds it in the table (equal formats are stored once) and refers to that.
// Sides: 0 left, 1 right, 2 top, 3 bottom, 4 all four. Colours count from 1 (colour n is
// palette index n + 7). A value outside its range raises EXLSError 4.
class TCustomXLSItem
{
public:
    virtual ~TCustomXLSItem() = default;

    std::uint32_t FormatIndex() const { return CurrentXF(); }
    const TXF &Format() const;
    const TFont &Font() const;
    std::string NumberFormat() const;
    void SetFormatIndex(std::uint32_t xf);

    void SetHAlign(THAlign align);
    void SetVAlign(TVAlign align);
    void SetWrap(bool wrap);
    void SetRotation(int degrees); // 0..180, or 255 for vertical text
    void SetIndent(int level); // 0..15
    void SetNumberFormat(std::string_view format);
    void SetFontName(std::string_view name);
    void SetFontSize(double points);
    void SetFontColor(int colour);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetStrikeOut(bool on);
    void SetFillColor(int colour); // solid fill
    void SetBorderStyle(int side, int style);
    void SetBorderColor(int side, int colour);
    int BorderStyle(int side) const { return int(Format().LineStyle(side)); }
    int BorderColor(int side) const { return int(Format().LineColor(side)) - 7; }

protected:
    virtual TWorkbook &Book() const = 0;
    virtual std::uint32_t CurrentXF() const = 0;
    virtual void StoreXF(std::uint32_t xf) = 0;

private:
    template<class F>
    void ChangeXF(F &&change);
    template<class F>
    void ChangeFont(F &&change);
};

} // namespace vartesk::xls
