// BIFF8 records: the id table that drives dispatch and dumps, and the record structs.
#pragma once

#include "xls/byte_reader.h"
#include "xls/cell_format.h"

#include <cstdint>
#include <span>
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

// Every record the engine knows by name, in id order: the dispatch tables of the reader use
// these ids, and dumps and messages these names.
std::span<const TRecordType> RecordTypes();
// "LABELSST" for 0x00FD; "?" for an id the table does not hold.
const char *RecordName(std::uint16_t id);

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
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
    static constexpr size_t kSize = 14;
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

// Cell records. The fixed-size ones write through any writer with TByteWriter's calls
// (TFixedWriter on the cell loop); their Read and Write stay in the header to be inlined there.

// The cell's place, the first six bytes of every single-cell record: 0 2 row, 2 2 column,
// 4 2 XF.
struct TCellPlace
{
    std::uint16_t Row = 0, Col = 0, Xf = 15;
    void Read(TByteReader &r)
    {
        Row = r.U16();
        Col = r.U16();
        Xf = r.U16();
    }
    template<class W>
    void Write(W &w) const
    {
        w.U16(Row);
        w.U16(Col);
        w.U16(Xf);
    }
    static constexpr size_t kSize = 6;
};

// BLANK: 0 6 cell place.
struct TBlankRecord
{
    TCellPlace Cell;
    void Read(TByteReader &r) { Cell.Read(r); }
    template<class W>
    void Write(W &w) const
    {
        Cell.Write(w);
    }
    static constexpr size_t kSize = 6;
};

// NUMBER: 0 6 cell place, 6 8 IEEE double.
struct TNumberRecord
{
    TCellPlace Cell;
    std::uint64_t Bits = 0; // the double as stored, NaN payloads included
    void Read(TByteReader &r)
    {
        Cell.Read(r);
        Bits = r.U64();
    }
    template<class W>
    void Write(W &w) const
    {
        Cell.Write(w);
        w.U64(Bits);
    }
    static constexpr size_t kSize = 14;
};

// RK: 0 6 cell place, 6 4 RK number.
struct TRkRecord
{
    TCellPlace Cell;
    std::uint32_t Rk = 0;
    void Read(TByteReader &r)
    {
        Cell.Read(r);
        Rk = r.U32();
    }
    template<class W>
    void Write(W &w) const
    {
        Cell.Write(w);
        w.U32(Rk);
    }
    static constexpr size_t kSize = 10;
};

// An RK number: bit 0 set, the value is divided by 100; bit 1 set, bits 2..31 are a signed
// integer, else they are the high 30 bits of a double whose low 34 bits are zero.
constexpr TBits kRkDiv100 {0, 0x1}, kRkInteger {1, 0x1};
double DecodeRk(std::uint32_t rk);

// LABELSST: 0 6 cell place, 6 4 index into the shared-string table.
struct TLabelSstRecord
{
    TCellPlace Cell;
    std::uint32_t Sst = 0;
    void Read(TByteReader &r)
    {
        Cell.Read(r);
        Sst = r.U32();
    }
    template<class W>
    void Write(W &w) const
    {
        Cell.Write(w);
        w.U32(Sst);
    }
    static constexpr size_t kSize = 10;
};

// BOOLERR: 0 6 cell place, 6 1 boolean (0, 1) or error code (TErrorCode), 7 1 0 boolean,
// 1 error.
struct TBoolErrRecord
{
    TCellPlace Cell;
    std::uint8_t Value = 0;
    std::uint8_t IsError = 0;
    void Read(TByteReader &r)
    {
        Cell.Read(r);
        Value = r.U8();
        IsError = r.U8();
    }
    template<class W>
    void Write(W &w) const
    {
        Cell.Write(w);
        w.U8(Value);
        w.U8(IsError);
    }
    static constexpr size_t kSize = 8;
};

// LABEL and RSTRING: 0 6 cell place, 6 var XLUnicodeString; RSTRING then has formatting
// runs, which are not read.
struct TLabelRecord
{
    TCellPlace Cell;
    std::string Text;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// MULRK: 0 2 row, 2 2 first column, 4 6n per cell 2 XF and 4 RK number, 4+6n 2 last column.
struct TMulRkRecord
{
    struct TItem
    {
        std::uint16_t Xf;
        std::uint32_t Rk;
    };
    std::uint16_t Row = 0, First = 0;
    std::vector<TItem> Cells; // the reader keeps one record and its capacity
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// MULBLANK: 0 2 row, 2 2 first column, 4 2n the XF of each cell, 4+2n 2 last column.
struct TMulBlankRecord
{
    std::uint16_t Row = 0, First = 0;
    std::vector<std::uint16_t> Xfs;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// FORMULA: 0 6 cell place, 6 8 result, 14 2 options (0x0008 shared), 16 4 reserved,
// 20 2 size of the RPN tokens, 22 var the tokens, then any extra data (array constants).
// The result is a double unless its bytes 6..7 are 0xFFFF: byte 0 is then its type (0 a
// text that a STRING record brings, 1 boolean, 2 error, 3 empty text) and byte 2 the
// boolean or the error code.
struct TFormulaRecord
{
    TCellPlace Cell;
    std::uint64_t Result = 0;
    std::uint16_t Options = 0;
    std::uint16_t RpnSize = 0;
    std::string Tokens; // the RPN tokens and the extra data
    static constexpr std::uint16_t kShared = 0x0008;
    enum TResultType : std::uint8_t { ResultText, ResultBoolean, ResultError, ResultEmpty };
    bool NumberResult() const { return (Result >> 48) != 0xFFFF; }
    TResultType Type() const { return TResultType(Result & 0xFF); }
    std::uint8_t Value() const { return std::uint8_t(Result >> 16); }
    static std::uint64_t OtherResult(TResultType type, std::uint8_t value = 0)
    {
        return std::uint64_t(type) | (std::uint64_t(value) << 16) | (std::uint64_t(0xFFFF) << 48);
    }
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// STRING: the text result of the formula before it, 0 var XLUnicodeString.
struct TStringRecord
{
    std::string Text;
    void Read(TByteReader &r) { Text = ReadUnicodeString(r, false); }
    void Write(TByteWriter &w) const { WriteUnicodeString(w, Text, false); }
};

// SHRFMLA: 0 2 first row, 2 2 last row, 4 1 first column, 5 1 last column, 6 2 reserved
// and use count, 8 2 size of the RPN tokens, 10 var the tokens (relative references).
struct TShrFmlaRecord
{
    std::uint16_t Row1 = 0, Row2 = 0;
    std::uint8_t Col1 = 0, Col2 = 0;
    std::uint16_t Uses = 0;
    std::string Rpn;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// NAME: 0 2 options (0x0001 hidden, 0x0002 function, 0x0020 built-in), 2 1 keyboard
// shortcut, 3 1 length of the name, 4 2 size of the formula, 6 2 reserved, 8 2 sheet
// (1-based, 0 global), 10 4 lengths of menu, description, help and status texts (0 here),
// 14 1 form flag, var the name's characters (a built-in name is one code: 0x06 print area,
// 0x07 print titles), var the formula's tokens. The texts behind the formula are not read.
struct TNameRecord
{
    std::uint16_t Options = 0;
    std::uint8_t Key = 0;
    std::uint16_t Sheet = 0;
    std::string Name; // UTF-8
    std::string Rpn;
    static constexpr std::uint16_t kHidden = 0x0001, kFunction = 0x0002, kBuiltin = 0x0020;
    static constexpr char kPrintArea = 0x06, kPrintTitles = 0x07;
    static constexpr size_t kSheetOffset = 8;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// EXTERNSHEET: 0 2 count, then per entry 2 SUPBOOK index, 2 first sheet, 2 last sheet.
// A count beyond the record is error 14, as a broken link table.
struct TExternSheetRecord
{
    struct TEntry
    {
        std::uint16_t SupBook, First, Last;
    };
    std::vector<TEntry> Entries;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// SUPBOOK of the internal book: 0 2 number of sheets, 2 2 0x0401 ([MS-XLS] 2.4.271).
struct TInternalSupBookRecord
{
    std::uint16_t Sheets = 0;
    static constexpr std::uint16_t kMarker = 0x0401;
    static bool Is(std::string_view body);
    void Write(TByteWriter &w) const;
};

// PALETTE: 0 2 count, then per colour 1 red, 1 green, 1 blue, 1 unused; colour index 8 first.
struct TPaletteRecord
{
    std::vector<std::uint32_t> Colors; // 0xRRGGBB
    static constexpr size_t kMaxColors = 56; // more are not read
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// HORIZONTALPAGEBREAKS and VERTICALPAGEBREAKS: 0 2 count, then per break 2 the row (column)
// it comes before, 2 first and 2 last column (row) it spans.
struct TPageBreaksRecord
{
    struct TBreak
    {
        std::uint16_t Pos, First, Last;
    };
    std::vector<TBreak> Breaks;
    static constexpr size_t kMaxBreaks = 1026; // Excel's limit; the writer keeps to it
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// HEADER and FOOTER: 0 var XLUnicodeString, read as cut short where writers cut it.
struct THeaderFooterRecord
{
    std::string Text;
    void Read(TByteReader &r) { Text = ReadCutShortString(r); }
    void Write(TByteWriter &w) const { WriteUnicodeString(w, Text, false); }
};

// SCL: 0 2 numerator, 2 2 denominator of the zoom.
struct TSclRecord
{
    std::uint16_t Numerator = 100, Denominator = 100;
    void Read(TByteReader &r);
    void Write(TByteWriter &w) const;
};

// INDEX: 0 4 reserved, 4 4 first row, 8 4 last row + 1, 12 4 position of DEFCOLWIDTH (0),
// then 4 per block of rows the position of its DBCELL (none written).
struct TIndexRecord
{
    std::uint32_t FirstRow = 0, LastRowPlus1 = 0;
    void Write(TByteWriter &w) const;
};

// WINDOW1: 0 2 x, 2 2 y, 4 2 width, 6 2 height (twips), 8 2 options (0x0038 scroll bars and
// sheet tabs), 10 2 active sheet, 12 2 first tab shown, 14 2 selected sheets, 16 2 tab bar
// width ratio.
struct TWindow1Record
{
    std::uint16_t X = 0x0168, Y = 0x001E, Width = 0x3A5C, Height = 0x23BE, Options = 0x0038;
    std::uint16_t ActiveSheet = 0, FirstTab = 0, Selected = 1, TabRatio = 0x0258;
    void Write(TByteWriter &w) const;
};

// EXTSST: 0 2 strings per bucket, then per bucket 4 stream position of its first string,
// 2 offset of it in its record, 2 reserved.
struct TExtSstRecord
{
    struct TBucket
    {
        std::uint32_t Pos;
        std::uint16_t Offset;
    };
    std::uint16_t PerBucket = 8;
    std::vector<TBucket> Buckets;
    void Write(TByteWriter &w) const;
};

} // namespace vartesk::xls
