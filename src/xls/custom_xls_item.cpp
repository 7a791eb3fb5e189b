// Formatting setters: change a copy of the item's XF and refer to the shared equal entry.
#include "xls/custom_xls_item.h"

#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <cmath>

namespace vartesk::xls {

namespace {

// Colour n of the interface is palette index n + 7 (colour 1 is index 8, black).
unsigned PaletteIndex(int colour)
{
    if (colour < 1 || colour > 56)
        throw EXLSError(4);
    return unsigned(colour + 7);
}

void CheckSide(int side)
{
    if (side < 0 || side > 4)
        throw EXLSError(4);
}

} // namespace

const TXF &TCustomXLSItem::Format() const
{
    const auto &xfs = Book().XFs;
    const auto i = CurrentXF();
    return xfs.at(i < xfs.size() ? i : 15);
}

const TFont &TCustomXLSItem::Font() const
{
    const auto &fonts = Book().Fonts;
    const auto i = Format().Font;
    return fonts.at(i < fonts.size() ? i : 0);
}

std::string TCustomXLSItem::NumberFormat() const
{
    return Book().FormatText(Format().NumFormat);
}

void TCustomXLSItem::SetFormatIndex(std::uint32_t xf)
{
    if (xf >= Book().XFs.size())
        throw EXLSError(4);
    StoreXF(xf);
}

template<class F>
void TCustomXLSItem::ChangeXF(F &&change)
{
    TWorkbook &book = Book();
    TXF xf = Format();
    xf.TypeProt = TXF::kStyle.Set(xf.TypeProt, 0);
    change(xf);
    StoreXF(book.InternXF(xf));
}

template<class F>
void TCustomXLSItem::ChangeFont(F &&change)
{
    TFont font = Font();
    change(font);
    const auto index = Book().InternFont(font);
    ChangeXF([&](TXF &xf) {
        xf.Font = index;
        xf.Used = std::uint8_t(TXF::kUsedFont.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetHAlign(THAlign align)
{
    if (unsigned(align) > 7)
        throw EXLSError(4);
    ChangeXF([&](TXF &xf) {
        xf.Align = std::uint8_t(TXF::kHAlign.Set(xf.Align, unsigned(align)));
        xf.Used = std::uint8_t(TXF::kUsedAlign.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetVAlign(TVAlign align)
{
    if (unsigned(align) > 4)
        throw EXLSError(4);
    ChangeXF([&](TXF &xf) {
        xf.Align = std::uint8_t(TXF::kVAlign.Set(xf.Align, unsigned(align)));
        xf.Used = std::uint8_t(TXF::kUsedAlign.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetWrap(bool wrap)
{
    ChangeXF([&](TXF &xf) {
        xf.Align = std::uint8_t(TXF::kWrap.Set(xf.Align, wrap ? 1 : 0));
        xf.Used = std::uint8_t(TXF::kUsedAlign.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetRotation(int degrees)
{
    if (!((degrees >= 0 && degrees <= 180) || degrees == 255))
        throw EXLSError(4);
    ChangeXF([&](TXF &xf) {
        xf.Rotation = std::uint8_t(degrees);
        xf.Used = std::uint8_t(TXF::kUsedAlign.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetIndent(int level)
{
    if (level < 0 || level > 15)
        throw EXLSError(4);
    ChangeXF([&](TXF &xf) {
        xf.IndentEtc = std::uint8_t(TXF::kIndent.Set(xf.IndentEtc, unsigned(level)));
        xf.Used = std::uint8_t(TXF::kUsedAlign.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetNumberFormat(std::string_view format)
{
    if (format.size() > 255 * 3)
        throw EXLSError(4);
    const auto id = Book().InternFormat(format);
    ChangeXF([&](TXF &xf) {
        xf.NumFormat = id;
        xf.Used = std::uint8_t(TXF::kUsedNum.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetFontName(std::string_view name)
{
    if (name.empty() || name.size() > 255)
        throw EXLSError(4);
    ChangeFont([&](TFont &f) { f.Name = std::string(name); });
}

void TCustomXLSItem::SetFontSize(double points)
{
    if (!(points >= 1 && points <= 409))
        throw EXLSError(4);
    ChangeFont([&](TFont &f) { f.Height = std::uint16_t(std::lround(points * 20)); });
}

void TCustomXLSItem::SetFontColor(int colour)
{
    const auto index = PaletteIndex(colour);
    ChangeFont([&](TFont &f) { f.Color = std::uint16_t(index); });
}

void TCustomXLSItem::SetBold(bool on)
{
    ChangeFont([&](TFont &f) { f.Weight = on ? 700 : 400; });
}

void TCustomXLSItem::SetItalic(bool on)
{
    ChangeFont([&](TFont &f) {
        f.Options = std::uint16_t(on ? f.Options | TFont::kItalic : f.Options & ~TFont::kItalic);
    });
}

void TCustomXLSItem::SetUnderline(bool on)
{
    ChangeFont([&](TFont &f) { f.Underline = on ? 1 : 0; });
}

void TCustomXLSItem::SetStrikeOut(bool on)
{
    ChangeFont([&](TFont &f) {
        f.Options
            = std::uint16_t(on ? f.Options | TFont::kStrikeOut : f.Options & ~TFont::kStrikeOut);
    });
}

void TCustomXLSItem::SetFillColor(int colour)
{
    const auto index = PaletteIndex(colour);
    ChangeXF([&](TXF &xf) {
        xf.Border2 = TXF::kPattern.Set(xf.Border2, 1); // solid
        xf.FillColors = std::uint16_t(TXF::kForeColor.Set(xf.FillColors, index));
        xf.FillColors = std::uint16_t(TXF::kBackColor.Set(xf.FillColors, 64));
        xf.Used = std::uint8_t(TXF::kUsedFill.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetBorderStyle(int side, int style)
{
    CheckSide(side);
    if (style < 0 || style > 13)
        throw EXLSError(4);
    ChangeXF([&](TXF &xf) {
        for (int s = 0; s < 4; ++s)
            if (side == 4 || side == s) {
                xf.SetLineStyle(s, unsigned(style));
                // A line without a colour shows in none; give it the automatic colour.
                if (style != 0 && xf.LineColor(s) == 0)
                    xf.SetLineColor(s, 64);
            }
        xf.Used = std::uint8_t(TXF::kUsedBorder.Set(xf.Used, 1));
    });
}

void TCustomXLSItem::SetBorderColor(int side, int colour)
{
    CheckSide(side);
    const auto index = PaletteIndex(colour);
    ChangeXF([&](TXF &xf) {
        for (int s = 0; s < 4; ++s)
            if (side == 4 || side == s)
                xf.SetLineColor(s, index);
        xf.Used = std::uint8_t(TXF::kUsedBorder.Set(xf.Used, 1));
    });
}

} // namespace vartesk::xls
