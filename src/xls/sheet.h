// TSheet: one worksheet with its cells, rows, columns, ranges, page setup and view.
#pragma once

#include "xls/cells.h"
#include "xls/columns.h"
#include "xls/ranges.h"
#include "xls/rows.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vartesk::xls {

class TWorkbook;

// A record kept as it was read, for the parts the engine carries without decoding
// (drawings, comments, hyperlinks, validations). Pieces: where CONTINUE bodies began.
struct TRawRecord
{
    std::uint16_t Id = 0;
    std::string Body;
    std::vector<std::uint32_t> Pieces;
};

// Header or footer as its three parts.
struct THeaderFooter
{
    std::string Left, Center, Right;
    bool Empty() const { return Left.empty() && Center.empty() && Right.empty(); }
    // "&L..&C..&R..", each part only when not empty.
    std::string Text() const;
    static THeaderFooter Parse(std::string_view text);
    friend bool operator==(const THeaderFooter &, const THeaderFooter &) = default;
};

struct TPageSetup
{
    // SETUP record.
    std::uint16_t PaperSize = 9; // A4
    std::uint16_t Scale = 100;
    std::uint16_t PageStart = 1;
    std::uint16_t FitWidth = 1;
    std::uint16_t FitHeight = 1;
    std::uint16_t Options = 0x0004; // 0x02 portrait, 0x04 no printer settings, ...
    std::uint16_t Resolution = 600;
    std::uint16_t VResolution = 600;
    double HeaderMargin = 0.5;
    double FooterMargin = 0.5;
    std::uint16_t Copies = 1;
    std::uint16_t WsBool = 0x04C1; // 0x0100 fit to page
    double LeftMargin = 0.75, RightMargin = 0.75, TopMargin = 1.0, BottomMargin = 1.0;
    bool HCenter = false, VCenter = false;
    bool PrintHeaders = false, PrintGridlines = false;
    THeaderFooter Header, Footer;
    std::vector<TRect> PrintArea;
    std::optional<std::pair<int, int>> TitleRows; // first, last
    std::optional<std::pair<int, int>> TitleCols;

    static constexpr std::uint16_t kPortrait = 0x0002;
    static constexpr std::uint16_t kFitToPage = 0x0100;
};

struct TSheetView
{
    std::uint16_t Options = 0x00B6; // WINDOW2: gridlines, headings, zeros, outline symbols
    std::uint16_t TopRow = 0;
    std::uint16_t LeftCol = 0;
    std::uint16_t GridColor = 64;
    std::uint16_t ZoomPageBreak = 0;
    std::uint16_t ZoomNormal = 0;
    int Zoom = 100; // SCL, percent
    bool HasPane = false; // PANE
    std::uint16_t PaneX = 0, PaneY = 0, PaneTopRow = 0, PaneLeftCol = 0;
    std::uint8_t ActivePane = 3;

    static constexpr std::uint16_t kShowGrid = 0x0002;
    static constexpr std::uint16_t kShowHeadings = 0x0004;
    static constexpr std::uint16_t kFrozen = 0x0008;
    static constexpr std::uint16_t kSelected = 0x0200;
    static constexpr std::uint16_t kActive = 0x0400;
};

struct TSheetProtection
{
    bool Protect = false, Scenarios = false, Objects = false;
    std::uint16_t Password = 0;
    std::vector<TRawRecord> Features; // FEATHEADR
};

struct TPageBreak
{
    std::uint16_t Pos = 0, First = 0, Last = 0;
    friend bool operator==(const TPageBreak &, const TPageBreak &) = default;
};

class TSheet
{
public:
    TSheet(TWorkbook &book, std::string name);
    TSheet(const TSheet &) = delete;
    TSheet &operator=(const TSheet &) = delete;

    const std::string &Name() const { return SheetName; }
    // EXLSError 7 or 6 by the sheet-name rules (the sheet's own name counts as taken).
    void SetName(const std::string &name);
    int Index() const { return Position; }
    TWorkbook &Workbook() const { return *Book; }

    TCells &Cells() { return CellItems; }
    const TCells &Cells() const { return CellItems; }
    TColumns &Columns() { return ColumnItems; }
    const TColumns &Columns() const { return ColumnItems; }
    TRows &Rows() { return RowItems; }
    const TRows &Rows() const { return RowItems; }
    TRanges &Ranges() { return RangeItems; }
    const TRanges &Ranges() const { return RangeItems; }

    // 0 visible, 1 hidden, 2 very hidden (BOUNDSHEET).
    std::uint8_t Visibility = 0;
    bool Hidden() const { return Visibility != 0; }
    void SetHidden(bool hidden) { Visibility = hidden ? 1 : 0; }

    TPageSetup PageSetup;
    TSheetView View;
    TSheetProtection Protection;
    std::vector<TPageBreak> RowBreaks, ColBreaks;
    std::vector<TRawRecord> Drawing; // MSODRAWING, OBJ, TXO in stream order
    std::vector<TRawRecord> Notes; // NOTE
    std::vector<TRawRecord> Hyperlinks; // HLINK, HLINKTOOLTIP
    std::vector<TRawRecord> Validations; // DVAL, DV

    // Block operations; rows and columns 0-based, both ends included.
    void
    CopyBlock(int firstRow, int lastRow, int firstCol, int lastCol, int targetRow, int targetCol);
    // The two halves of CopyBlock: the cells, and the merged areas inside the block.
    void
    CopyCells(int firstRow, int lastRow, int firstCol, int lastCol, int targetRow, int targetCol);
    void CopyMergedAreas(
        int firstRow, int lastRow, int firstCol, int lastCol, int targetRow, int targetCol);
    void ClearBlock(int firstRow, int lastRow, int firstCol, int lastCol);
    void InsertRows(int row, int count);
    void CopyRows(int firstRow, int lastRow, int targetRow);

    // Cells, rows, columns, ranges, page setup and breaks, view options; not validations
    // or hyperlinks. The drawing is copied by TSheets::CopySheet, which knows the workbook.
    void CopyFrom(const TSheet &source);

    // The format a new cell takes from its row and column (cell access).
    std::uint32_t InitialXF(int row, int col) const;
    // Keeps the column-format cache of InitialXF in step with Columns.
    void ColumnFormatChanged(int col);

private:
    friend class TSheets;
    TWorkbook *Book;
    std::string SheetName;
    int Position = 0;
    TCells CellItems;
    TColumns ColumnItems;
    TRows RowItems;
    TRanges RangeItems;
    std::array<std::uint16_t, 256> ColumnXF {};
};

} // namespace vartesk::xls
