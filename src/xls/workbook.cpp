// Workbook tables: the standard defaults, interning of XFs, fonts and number formats.
#include "xls/workbook.h"

#include <algorithm>

namespace vartesk::xls {

namespace {

std::string XFKey(const TXF &x)
{
    std::string k;
    TByteWriter w(k);
    w.U16(x.Font);
    w.U16(x.NumFormat);
    w.U16(x.TypeProt);
    w.U8(x.Align);
    w.U8(x.Rotation);
    w.U8(x.IndentEtc);
    w.U8(x.Used);
    w.U32(x.Border1);
    w.U32(x.Border2);
    w.U16(x.FillColors);
    return k;
}

TRawRecord Style(unsigned xf, unsigned builtin)
{
    TRawRecord r;
    r.Id = 0x0293;
    TByteWriter w(r.Body);
    w.U16(0x8000 | xf);
    w.U8(builtin);
    w.U8(0xFF);
    return r;
}

} // namespace

const std::map<std::uint16_t, std::string> &TWorkbook::BuiltinFormats()
{
    // The US-English texts of the built-in numbers, as xlrd and the spreadsheet program
    // show them ([MS-XLS] 2.4.126).
    static const std::map<std::uint16_t, std::string> table = {
        {0x00, "General"},
        {0x01, "0"},
        {0x02, "0.00"},
        {0x03, "#,##0"},
        {0x04, "#,##0.00"},
        {0x05, "$#,##0_);($#,##0)"},
        {0x06, "$#,##0_);[Red]($#,##0)"},
        {0x07, "$#,##0.00_);($#,##0.00)"},
        {0x08, "$#,##0.00_);[Red]($#,##0.00)"},
        {0x09, "0%"},
        {0x0a, "0.00%"},
        {0x0b, "0.00E+00"},
        {0x0c, "# ?/?"},
        {0x0d, "# ?\?/?\?"},
        {0x0e, "m/d/yy"},
        {0x0f, "d-mmm-yy"},
        {0x10, "d-mmm"},
        {0x11, "mmm-yy"},
        {0x12, "h:mm AM/PM"},
        {0x13, "h:mm:ss AM/PM"},
        {0x14, "h:mm"},
        {0x15, "h:mm:ss"},
        {0x16, "m/d/yy h:mm"},
        {0x25, "#,##0_);(#,##0)"},
        {0x26, "#,##0_);[Red](#,##0)"},
        {0x27, "#,##0.00_);(#,##0.00)"},
        {0x28, "#,##0.00_);[Red](#,##0.00)"},
        {0x29, "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
        {0x2a, "_($* #,##0_);_($* (#,##0);_($* \"-\"_);_(@_)"},
        {0x2b, "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"?\?_);_(@_)"},
        {0x2c, "_($* #,##0.00_);_($* (#,##0.00);_($* \"-\"?\?_);_(@_)"},
        {0x2d, "mm:ss"},
        {0x2e, "[h]:mm:ss"},
        {0x2f, "mm:ss.0"},
        {0x30, "##0.0E+0"},
        {0x31, "@"},
    };
    return table;
}

const std::array<std::uint32_t, 56> &TWorkbook::DefaultPalette()
{
    // The standard BIFF8 palette, indices 8..63, as 0xRRGGBB.
    static const std::array<std::uint32_t, 56> palette = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
    };
    return palette;
}

TWorkbook::TWorkbook()
    : SheetList(*this)
{
    Clear();
}

void TWorkbook::ClearForReading()
{
    SheetList.Clear();
    Fonts.clear();
    Formats.clear();
    XFs.clear();
    Styles.clear();
    Palette = DefaultPalette();
    Strings.Clear();
    SupBooks.clear();
    Xtis.clear();
    OtherNames.clear();
    DrawingGroup = {};
    WindowProtect = Protect = false;
    Password = 0;
    XFIndex.clear();
    XFIndexed = 0;
}

void TWorkbook::Clear()
{
    ClearForReading();
    // The default tables of the spreadsheet program (as Apache POI's InternalWorkbook
    // creates them): four Arial fonts, 15 style XFs, the default cell XF 15, five styles.
    Fonts.assign(4, TFont {});
    for (std::uint16_t id : {0x05, 0x06, 0x07, 0x08, 0x2a, 0x29, 0x2c, 0x2b})
        Formats[id] = BuiltinFormats().at(id);
    auto styleXf = [](std::uint16_t font, std::uint16_t fmt, std::uint8_t used) {
        TXF x;
        x.Font = font;
        x.NumFormat = fmt;
        x.TypeProt = 0xFFF5;
        x.Used = used;
        return x;
    };
    XFs.push_back(styleXf(0, 0, 0x00));
    XFs.push_back(styleXf(1, 0, 0xF4));
    XFs.push_back(styleXf(1, 0, 0xF4));
    XFs.push_back(styleXf(2, 0, 0xF4));
    XFs.push_back(styleXf(2, 0, 0xF4));
    for (int i = 5; i < 15; ++i)
        XFs.push_back(styleXf(0, 0, 0xF4));
    XFs.push_back(TXF {}); // 15: the default cell format
    XFs.push_back(styleXf(1, 0x2B, 0xF8));
    XFs.push_back(styleXf(1, 0x29, 0xF8));
    XFs.push_back(styleXf(1, 0x2C, 0xF8));
    XFs.push_back(styleXf(1, 0x2A, 0xF8));
    XFs.push_back(styleXf(1, 0x09, 0xF8));
    Styles = {Style(0x10, 3),
              Style(0x11, 6),
              Style(0x12, 4),
              Style(0x13, 7),
              Style(0x00, 0),
              Style(0x14, 5)};
}

std::uint32_t TWorkbook::InternXF(const TXF &xf)
{
    for (; XFIndexed < XFs.size(); ++XFIndexed)
        XFIndex.emplace(XFKey(XFs[XFIndexed]), std::uint32_t(XFIndexed));
    auto [it, added] = XFIndex.emplace(XFKey(xf), std::uint32_t(XFs.size()));
    if (added) {
        XFs.push_back(xf);
        XFIndexed = XFs.size();
    }
    return it->second;
}

std::uint16_t TWorkbook::InternFont(const TFont &font)
{
    for (size_t i = 0; i < Fonts.size(); ++i)
        if (Fonts[i] == font)
            return std::uint16_t(i);
    Fonts.push_back(font);
    return std::uint16_t(Fonts.size() - 1);
}

std::uint16_t TWorkbook::InternFormat(std::string_view text)
{
    for (const auto &[id, t] : Formats)
        if (t == text)
            return id;
    for (const auto &[id, t] : BuiltinFormats())
        if (t == text)
            return id;
    std::uint16_t id = 164; // the first number of user formats
    if (!Formats.empty())
        id = std::max<std::uint16_t>(id, std::uint16_t(Formats.rbegin()->first + 1));
    Formats[id] = std::string(text);
    return id;
}

std::string TWorkbook::FormatText(std::uint16_t id) const
{
    if (auto it = Formats.find(id); it != Formats.end())
        return it->second;
    if (auto it = BuiltinFormats().find(id); it != BuiltinFormats().end())
        return it->second;
    return "General";
}

} // namespace vartesk::xls
