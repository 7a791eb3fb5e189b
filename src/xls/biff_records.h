// BIFF8 records: the id table that drives dispatch and dumps, and the record structs.
#pragma once

#include "xls/byte_reader.h"
#include "xls/cell_format.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk::xls {

struct TRecordType
{
    std::uint16_t Id;
    const char *Name;
};

namespace rec {
// clang-format off
constexpr std::uint16_t Formula = 0x0006, Eof = 0x000A, Protect = 0x0012, Password = 0x0013,
    Header = 0x0014, Footer = 0x0015, ExternSheet = 0x0017, Name = 0x0018, WindowProtect = 0x0019,
    VerticalPageBreaks = 0x001A, HorizontalPageBreaks = 0x001B, Note = 0x001C, DateMode = 0x0022,
    ExternName = 0x0023, LeftMargin = 0x0026, RightMargin = 0x0027, TopMargin = 0x0028,
    BottomMargin = 0x0029, PrintHeaders = 0x002A, PrintGridlines = 0x002B, FilePass = 0x002F,
    Font = 0x0031, Continue = 0x003C, Window1 = 0x003D, Pane = 0x0041, CodePage = 0x0042,
    DefColWidth = 0x0055, ObjProtect = 0x0063, Obj = 0x005D, ColInfo = 0x007D, Guts = 0x0080,
    WsBool = 0x0081, HCenter = 0x0083, VCenter = 0x0084, BoundSheet = 0x0085, Country = 0x008C,
    HideObj = 0x008D, Palette = 0x0092, Scl = 0x00A0, Setup = 0x00A1, MulRk = 0x00BD,
    MulBlank = 0x00BE, Mms = 0x00C1, RString = 0x00D6, DbCell = 0x00D7, ScenProtect = 0x00DD,
    Xf = 0x00E0, InterfaceHdr = 0x00E1, InterfaceEnd = 0x00E2, MergedCells = 0x00E5,
    MsoDrawingGroup = 0x00EB, MsoDrawing = 0x00EC, MsoDrawingSelection = 0x00ED, Sst = 0x00FC,
    LabelSst = 0x00FD, ExtSst = 0x00FF, TabId = 0x013D, Dsf = 0x0161, SupBook = 0x01AE,
    DVal = 0x01B2, Txo = 0x01B6, HLink = 0x01B8, Dv = 0x01BE, RecalcId = 0x01C1,
    Dimensions = 0x0200, Blank = 0x0201, Number = 0x0203, Label = 0x0204, BoolErr = 0x0205,
    String = 0x0207, Row = 0x0208, Index = 0x020B, Array = 0x0221, DefaultRowHeight = 0x0225,
    Table = 0x0236, Window2 = 0x023E, Rk = 0x027E, Style = 0x0293, Format = 0x041E,
    ShrFmla = 0x04BC, HLinkTooltip = 0x0800, Bof = 0x0809, FeatHeadr = 0x0867;
// clang-format on
} // namespace rec

// "LABELSST" for 0x00FD; "?" for an id the table does not hold.
const char *RecordName(std::uint16_t id);
const std::vector<TRecordType> &RecordTypes();

// The longest record body; longer data goes on in CONTINUE records ([MS-XLS] 2.1.4).
constexpr size_t kMaxRecordBody = 8224;

// Strings: XLUnicodeString (16-bit count) and ShortXLUnicodeString (8-bit count); a flag
// byte says whether the characters are 8-bit (UTF-16 with the high byte dropped) or UTF-16.
std::string ReadUnicodeString(TByteReader &r, bool shortCount);
// The same with a 16-bit count, reading what there is of a string cut short at the record's
// end; for the records where writers are known to do that (FORMAT, HEADER, FOOTER).
std::string ReadCutShortString(TByteReader &r);
void WriteUnicodeString(TByteWriter &w, std::string_view utf8, bool shortCount);
// Latin-1 or UTF-16LE characters to UTF-8.
void AppendChars(std::string &out, std::string_view bytes, bool wide);

// BOF: offset size contents
//   0 2 version (0x0600 BIFF8), 2 2 substream type (0x0005 globals, 0x0010 worksheet,
//   0x0020 chart, 0x0040 macro sheet), 4 2 build, 6 2 year, 8 4 history flags, 12 4 lowest
//   version.
struct TBofRecord
{
    std::uint16_t Version = 0x0600;
    std::uint16_t Type = 0x0005;
    std::uint16_t Build = 0x0DBB;
    std::uint16_t Year = 0x07CC;
    std::uint32_t History = 0;
    std::uint32_t LowestVersion = 0x0006;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
    static constexpr size_t kSize = 16;
};

// BOUNDSHEET: 0 4 stream position of the sheet's BOF, 4 1 visibility, 5 1 sheet type
// (0 worksheet, 1 macro, 2 chart, 6 VB module), 6 var ShortXLUnicodeString name.
struct TBoundSheetRecord
{
    std::uint32_t Position = 0;
    std::uint8_t Visibility = 0;
    std::uint8_t Type = 0;
    std::string Name;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// FONT: 0 2 height, 2 2 options, 4 2 colour, 6 2 weight, 8 2 escapement, 10 1 underline,
// 11 1 family, 12 1 charset, 13 1 reserved, 14 var ShortXLUnicodeString name.
struct TFontRecord
{
    TFont Font;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// FORMAT: 0 2 number, 2 var XLUnicodeString text.
struct TFormatRecord
{
    std::uint16_t Id = 0;
    std::string Text;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// XF: 0 2 font, 2 2 format, 4 2 type and protection, 6 1 alignment, 7 1 rotation, 8 1 indent,
// 9 1 used attributes, 10 4 border lines and colours, 14 4 colours and pattern, 18 2 fill.
// Font is the file's index here (4 skipped).
struct TXFRecord
{
    TXF Xf;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
    static constexpr size_t kSize = 20;
};

// COLINFO: 0 2 first column, 2 2 last column, 4 2 width, 6 2 XF, 8 2 options, 10 2 reserved.
struct TColInfoRecord
{
    std::uint16_t First = 0, Last = 0, Width = 2340, Xf = 15, Options = 0, Reserved = 0;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
    static constexpr size_t kSize = 12;
};

// ROW: 0 2 row, 2 2 first column, 4 2 last column + 1, 6 2 height, 8 2 reserved, 10 2 unused,
// 12 4 options (low byte flags, 0x0100 always set, bits 16..27 XF).
struct TRowRecord
{
    std::uint16_t Row = 0, FirstCol = 0, LastColPlus1 = 0, Height = 255;
    std::uint32_t Options = 0x0100;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
    static constexpr size_t kSize = 16;
};

// DIMENSIONS: 0 4 first row, 4 4 last row + 1, 8 2 first column, 10 2 last column + 1,
// 12 2 reserved.
struct TDimensionsRecord
{
    std::uint32_t FirstRow = 0, LastRowPlus1 = 0;
    std::uint16_t FirstCol = 0, LastColPlus1 = 0;
    void Write(TByteWriter &w) const;
};

// WINDOW2: 0 2 options, 2 2 top row, 4 2 left column, 6 2 gridline colour, 8 2 reserved,
// 10 2 page-break preview zoom, 12 2 normal zoom, 14 4 reserved.
struct TWindow2Record
{
    std::uint16_t Options = 0x00B6, TopRow = 0, LeftCol = 0, GridColor = 64;
    std::uint16_t ZoomPageBreak = 0, ZoomNormal = 0;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// PANE: 0 2 x split, 2 2 y split, 4 2 top row of the lower pane, 6 2 left column of the
// right pane, 8 1 active pane, 9 1 unused.
struct TPaneRecord
{
    std::uint16_t X = 0, Y = 0, TopRow = 0, LeftCol = 0;
    std::uint8_t Active = 3;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// SETUP: 0 2 paper, 2 2 scale, 4 2 first page number, 6 2 fit width, 8 2 fit height,
// 10 2 options, 12 2 resolution, 14 2 vertical resolution, 16 8 header margin,
// 24 8 footer margin, 32 2 copies.
struct TSetupRecord
{
    std::uint16_t Paper = 9, Scale = 100, PageStart = 1, FitWidth = 1, FitHeight = 1;
    std::uint16_t Options = 0x0004, Res = 600, VRes = 600;
    double HeaderMargin = 0.5, FooterMargin = 0.5;
    std::uint16_t Copies = 1;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// MERGEDCELLS: 0 2 count, then per range 2 first row, 2 last row, 2 first column,
// 2 last column.
struct TMergedCellsRecord
{
    struct TRef
    {
        std::uint16_t Row1, Row2, Col1, Col2;
    };
    std::vector<TRef> Ranges;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
    static constexpr size_t kMaxRanges = 1024;
};

} // namespace vartesk::xls
