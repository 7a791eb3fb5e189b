// Fonts and cell formats (XF) as the workbook tables hold them, with their BIFF8 bit fields.
#pragma once

#include "xls/byte_reader.h"

#include <array>
#include <compare>
#include <cstdint>
#include <string>

namespace vartesk::xls {

// One FONT record's content.
struct TFont
{
    std::uint16_t Height = 200; // twips (1/20 point)
    std::uint16_t Options = 0; // 0x02 italic, 0x08 strike-out, 0x10 outline, 0x20 shadow
    std::uint16_t Color = 0x7FFF; // colour index; 0x7FFF the window text colour
    std::uint16_t Weight = 400; // 400 normal, 700 bold
    std::uint16_t Escapement = 0; // 1 superscript, 2 subscript
    std::uint8_t Underline = 0; // 0 none, 1 single, 2 double, 0x21, 0x22 accounting
    std::uint8_t Family = 0;
    std::uint8_t Charset = 0; // 204 Russian
    std::uint8_t Reserved = 0;
    std::string Name = "Arial"; // UTF-8

    static constexpr std::uint16_t kItalic = 0x02;
    static constexpr std::uint16_t kStrikeOut = 0x08;
    friend bool operator==(const TFont &, const TFont &) = default;
};

// One XF record's fields in disk order (20 bytes, [MS-XLS] 2.4.353), kept as stored words
// so that reading and writing give the same bytes; the named bit fields below read them.
struct TXF
{
    std::uint16_t Font = 0; // index into the font table (memory order, see TWorkbook)
    std::uint16_t NumFormat = 0; // format number
    std::uint16_t TypeProt = 0x0001; // locked, hidden, style flag, parent XF
    std::uint8_t Align = 0x20; // horizontal, wrap, vertical, justify-last
    std::uint8_t Rotation = 0;
    std::uint8_t IndentEtc = 0; // indent, shrink, reading order
    std::uint8_t Used = 0; // attributes of a cell XF that differ from its style
    std::uint32_t Border1 = 0; // left, right, top, bottom styles; left, right colours
    std::uint32_t Border2 = 0; // top, bottom, diagonal colours; diagonal; fill pattern
    std::uint16_t FillColors = 0x20C0; // pattern foreground and background colours

    // clang-format off
    static constexpr TBits kLocked    {0, 0x1};
    static constexpr TBits kHidden    {1, 0x1};
    static constexpr TBits kStyle     {2, 0x1};
    static constexpr TBits kParent    {4, 0xFFF};
    static constexpr TBits kHAlign    {0, 0x7};
    static constexpr TBits kWrap      {3, 0x1};
    static constexpr TBits kVAlign    {4, 0x7};
    static constexpr TBits kIndent    {0, 0xF};
    static constexpr TBits kShrink    {4, 0x1};
    static constexpr TBits kUsedNum   {2, 0x1};
    static constexpr TBits kUsedFont  {3, 0x1};
    static constexpr TBits kUsedAlign {4, 0x1};
    static constexpr TBits kUsedBorder{5, 0x1};
    static constexpr TBits kUsedFill  {6, 0x1};
    static constexpr TBits kUsedProt  {7, 0x1};
    // Border1: the four line styles, then the left and right colours.
    static constexpr std::array<TBits, 4> kLineStyle {{{0, 0xF}, {4, 0xF}, {8, 0xF}, {12, 0xF}}};
    static constexpr TBits kLeftColor  {16, 0x7F};
    static constexpr TBits kRightColor {23, 0x7F};
    // Border2.
    static constexpr TBits kTopColor   {0, 0x7F};
    static constexpr TBits kBottomColor{7, 0x7F};
    static constexpr TBits kPattern    {26, 0x3F};
    // FillColors.
    static constexpr TBits kForeColor  {0, 0x7F};
    static constexpr TBits kBackColor  {7, 0x7F};
    // clang-format on

    // Side 0 left, 1 right, 2 top, 3 bottom.
    unsigned LineStyle(int side) const { return kLineStyle[size_t(side)].Get(Border1); }
    void SetLineStyle(int side, unsigned style)
    {
        Border1 = kLineStyle[size_t(side)].Set(Border1, style);
    }
    unsigned LineColor(int side) const;
    void SetLineColor(int side, unsigned index);

    friend bool operator==(const TXF &, const TXF &) = default;
};

} // namespace vartesk::xls
