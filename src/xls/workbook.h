// TWorkbook: the sheets and the tables shared by them (fonts, formats, XFs, palette, links).
#pragma once

#include "xls/cell_format.h"
#include "xls/sheet.h"
#include "xls/sheets.h"
#include "xls/string_pool.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vartesk::xls {

// One external or internal book of the link table; internal books are rebuilt on writing.
struct TSupBook
{
    bool Internal = false;
    std::string Body; // SUPBOOK as read (external and add-in books)
    std::vector<TRawRecord> Names; // EXTERNNAME records that follow it
};

// One EXTERNSHEET entry; for the internal book the sheets are held by identity, so that
// the entry still points at them after sheets have been inserted before them.
struct TXti
{
    std::uint16_t SupBook = 0;
    std::int32_t First = 0, Last = 0; // as stored, for external books and special values
    const TSheet *FirstSheet = nullptr;
    const TSheet *LastSheet = nullptr;
};

// A NAME record the engine does not turn into a range or a print setting; kept with its
// scope sheet by identity.
struct TRawName
{
    std::string Body;
    const TSheet *Scope = nullptr;
};

class TWorkbook
{
public:
    TWorkbook();
    TWorkbook(const TWorkbook &) = delete;
    TWorkbook &operator=(const TWorkbook &) = delete;

    TSheets &Sheets() { return SheetList; }
    const TSheets &Sheets() const { return SheetList; }

    // No sheets, default tables (the 21 standard XFs, four Arial fonts, standard palette).
    void Clear();
    // No sheets and empty tables, before reading a file.
    void ClearForReading();

    // Tables. Fonts are in memory order: BIFF's font index 4 does not exist, so file index
    // i >= 5 is memory index i - 1.
    std::vector<TFont> Fonts;
    std::map<std::uint16_t, std::string> Formats; // FORMAT records by number
    std::vector<TXF> XFs;
    std::vector<TRawRecord> Styles; // STYLE records
    std::array<std::uint32_t, 56> Palette {}; // 0xRRGGBB, palette index 8 first
    TStringPool Strings;
    std::vector<TSupBook> SupBooks;
    std::vector<TXti> Xtis;
    std::vector<TRawName> OtherNames;
    TRawRecord DrawingGroup; // MSODRAWINGGROUP joined
    bool WindowProtect = false, Protect = false;
    std::uint16_t Password = 0;
    int CodePage = 1251; // of 8-bit texts handed to Value

    std::uint32_t InternXF(const TXF &xf);
    std::uint16_t InternFont(const TFont &font);
    // The number of a format text: a built-in number, an existing FORMAT, or a new one.
    std::uint16_t InternFormat(std::string_view text);
    std::string FormatText(std::uint16_t id) const;
    static const std::map<std::uint16_t, std::string> &BuiltinFormats();
    static const std::array<std::uint32_t, 56> &DefaultPalette();

private:
    TSheets SheetList;
    std::unordered_map<std::string, std::uint32_t> XFIndex;
    size_t XFIndexed = 0;
};

} // namespace vartesk::xls
