// Sheets: names, inherited cell formats, block operations, copies, header/footer texts.
#include "xls/sheet.h"

#include "xls/formula.h"
#include "xls/workbook.h"

#include <algorithm>

namespace vartesk::xls {

namespace {

constexpr int kMaxRow = 65535;
constexpr int kMaxCol = 255;

struct TMovedCell
{
    int Row, Col;
    TCellData Data;
    TFormula Formula;
};

} // namespace

std::string THeaderFooter::Text() const
{
    std::string s;
    if (!Left.empty())
        s += "&L" + Left;
    if (!Center.empty())
        s += "&C" + Center;
    if (!Right.empty())
        s += "&R" + Right;
    return s;
}

THeaderFooter THeaderFooter::Parse(std::string_view text)
{
    // Text before the first section code belongs to the centre, as the spreadsheet program
    // shows it; "&&" is a literal ampersand and other codes stay in their part.
    THeaderFooter h;
    std::string *part = &h.Center;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            const char c = text[i + 1];
            if (c == 'L' || c == 'C' || c == 'R') {
                part = c == 'L' ? &h.Left : c == 'C' ? &h.Center : &h.Right;
                ++i;
                continue;
            }
            *part += text[i];
            *part += c;
            ++i;
            continue;
        }
        *part += text[i];
    }
    return h;
}

TSheet::TSheet(TWorkbook &book, std::string name)
    : Book(&book)
    , SheetName(std::move(name))
    , CellItems(*this)
    , ColumnItems(*this)
    , RowItems(*this)
    , RangeItems(*this)
{
    ColumnXF.fill(15);
}

void TSheet::SetName(const std::string &name)
{
    Book->Sheets().CheckName(name);
    SheetName = name;
}

void TSheet::ColumnFormatChanged(int col)
{
    auto it = ColumnItems.Items.find(std::uint16_t(col));
    ColumnXF[size_t(col)] = it == ColumnItems.Items.end() ? 15 : it->second.Xf;
}

std::uint32_t TSheet::InitialXF(int row, int col) const
{
    const std::uint32_t colXf = ColumnXF[size_t(col)];
    std::uint32_t rowXf = 15;
    if (!RowItems.Items.empty()) {
        auto it = RowItems.Items.find(std::uint16_t(row));
        if (it != RowItems.Items.end() && (it->second.Options & TRowData::kHasFormat))
            rowXf = it->second.Xf;
    }
    if (rowXf == 15 || colXf == 15)
        return rowXf != 15 ? rowXf : colXf;
    auto &xfs = Book->XFs;
    if (rowXf >= xfs.size() || colXf >= xfs.size())
        return 15;
    // Both carry a format: each property from the row where the row sets it (differs from
    // the default format), otherwise from the column.
    const TXF d = xfs[15], r = xfs[rowXf];
    TXF x = xfs[colXf];
    if (r.Font != d.Font)
        x.Font = r.Font;
    if (r.NumFormat != d.NumFormat)
        x.NumFormat = r.NumFormat;
    if (r.Align != d.Align || r.Rotation != d.Rotation || r.IndentEtc != d.IndentEtc) {
        x.Align = r.Align;
        x.Rotation = r.Rotation;
        x.IndentEtc = r.IndentEtc;
    }
    for (int s = 0; s < 4; ++s)
        if (r.LineStyle(s) != d.LineStyle(s) || r.LineColor(s) != d.LineColor(s)) {
            x.SetLineStyle(s, r.LineStyle(s));
            x.SetLineColor(s, r.LineColor(s));
        }
    if (TXF::kPattern.Get(r.Border2) != TXF::kPattern.Get(d.Border2)
        || r.FillColors != d.FillColors) {
        x.Border2 = TXF::kPattern.Set(x.Border2, TXF::kPattern.Get(r.Border2));
        x.FillColors = r.FillColors;
    }
    if ((r.TypeProt & 3) != (d.TypeProt & 3))
        x.TypeProt = std::uint16_t((x.TypeProt & ~3u) | (r.TypeProt & 3u));
    x.Used |= r.Used;
    return Book->InternXF(x);
}

void TSheet::CopyBlock(
    int firstRow, int lastRow, int firstCol, int lastCol, int targetRow, int targetCol)
{
    CopyCells(firstRow, lastRow, firstCol, lastCol, targetRow, targetCol);
    CopyMergedAreas(firstRow, lastRow, firstCol, lastCol, targetRow, targetCol);
}

namespace {

// The block's corners in order and within the sheet.
TRect SourceBlock(int firstRow, int lastRow, int firstCol, int lastCol)
{
    if (firstRow > lastRow)
        std::swap(firstRow, lastRow);
    if (firstCol > lastCol)
        std::swap(firstCol, lastCol);
    return {std::max(firstRow, 0),
            std::max(firstCol, 0),
            std::min(lastRow, kMaxRow),
            std::min(lastCol, kMaxCol)};
}

} // namespace

void TSheet::CopyCells(
    int firstRow, int lastRow, int firstCol, int lastCol, int targetRow, int targetCol)
{
    const TRect from = SourceBlock(firstRow, lastRow, firstCol, lastCol);
    const int dRow = targetRow - from.Row1;
    const int dCol = targetCol - from.Col1;

    // Gather first: source and target may overlap.
    std::vector<TMovedCell> moved;
    for (int r = from.Row1; r <= from.Row2 && size_t(r) < CellItems.Rows.size(); ++r)
        for (const auto &d : CellItems.Rows[size_t(r)])
            if (d.Col >= from.Col1 && d.Col <= from.Col2) {
                TMovedCell m {r + dRow, d.Col + dCol, d, {}};
                if (d.Kind == TCellKind::Formula)
                    m.Formula = CellItems.Formulas.at(d.Ref());
                moved.push_back(std::move(m));
            }
    for (auto &m : moved) {
        if (m.Row < 0 || m.Row > kMaxRow || m.Col < 0 || m.Col > kMaxCol)
            continue;
        TCellData &t = CellItems.Put(m.Row, m.Col);
        t = m.Data;
        t.Col = std::uint16_t(m.Col);
        if (m.Data.Kind == TCellKind::Formula) {
            std::string rpn = m.Formula.Tokens.substr(0, m.Formula.RpnSize);
            if (ShiftFormula(rpn, dRow, dCol)) {
                m.Formula.Tokens.replace(0, m.Formula.RpnSize, rpn);
                t.Payload = CellItems.Formulas.size();
                CellItems.Formulas.push_back(std::move(m.Formula));
            } else {
                // The moved formula would leave the sheet: keep its result as a value.
                const TFormula &f = m.Formula;
                t.Kind = f.ResultKind == TCellKind::Blank ? TCellKind::Text : f.ResultKind;
                t.Small = f.ResultSmall;
                if (f.ResultKind == TCellKind::Number)
                    t.SetNumber(f.ResultNumber);
                else if (f.ResultKind == TCellKind::Text)
                    t.Payload = f.ResultText;
                else if (f.ResultKind == TCellKind::Blank)
                    t.Payload = Book->Strings.Intern("");
            }
        }
    }
}

void TSheet::CopyMergedAreas(
    int firstRow, int lastRow, int firstCol, int lastCol, int targetRow, int targetCol)
{
    const TRect from = SourceBlock(firstRow, lastRow, firstCol, lastCol);
    const int dRow = targetRow - from.Row1;
    const int dCol = targetCol - from.Col1;
    const std::vector<TRect> areas = RangeItems.MergedAreasInside(from);
    // The block brings its own merged areas: those the target had would hide copied values.
    const TRect target {std::max(from.Row1 + dRow, 0),
                        std::max(from.Col1 + dCol, 0),
                        std::min(from.Row2 + dRow, kMaxRow),
                        std::min(from.Col2 + dCol, kMaxCol)};
    if (target.Row1 <= target.Row2 && target.Col1 <= target.Col2)
        RangeItems.RemoveMergedMeeting(target);
    // Merged areas inside the source go along, clipped to the sheet.
    for (const TRect &a : areas) {
        TRect t {a.Row1 + dRow,
                 a.Col1 + dCol,
                 std::min(a.Row2 + dRow, kMaxRow),
                 std::min(a.Col2 + dCol, kMaxCol)};
        if (t.Row1 < 0 || t.Col1 < 0 || t.Row1 > kMaxRow || t.Col1 > kMaxCol)
            continue;
        RangeItems.AddMerged(t);
    }
}

void TSheet::ClearBlock(int firstRow, int lastRow, int firstCol, int lastCol)
{
    if (firstRow > lastRow)
        std::swap(firstRow, lastRow);
    if (firstCol > lastCol)
        std::swap(firstCol, lastCol);
    for (int r = std::max(firstRow, 0); r <= lastRow && size_t(r) < CellItems.Rows.size(); ++r)
        std::erase_if(CellItems.Rows[size_t(r)],
                      [&](const TCellData &d) { return d.Col >= firstCol && d.Col <= lastCol; });
}

void TSheet::InsertRows(int row, int count)
{
    if (count <= 0 || row < -1 || row >= kMaxRow)
        return;
    auto &rows = CellItems.Rows;
    if (size_t(row + 1) < rows.size()) {
        rows.insert(rows.begin() + row + 1, size_t(count), std::vector<TCellData> {});
        if (rows.size() > size_t(kMaxRow) + 1)
            rows.resize(size_t(kMaxRow) + 1);
    }
    // Row settings below the insertion move down, the last first so that none is overwritten.
    auto &settings = RowItems.Items;
    std::vector<std::uint16_t> below;
    for (auto it = row < 0 ? settings.begin() : settings.upper_bound(std::uint16_t(row));
         it != settings.end();
         ++it)
        below.push_back(it->first);
    for (auto r = below.rbegin(); r != below.rend(); ++r) {
        auto node = settings.extract(*r);
        if (*r + count <= kMaxRow) {
            node.key() = std::uint16_t(*r + count);
            settings.insert(std::move(node));
        }
    }
    RangeItems.InsertRows(row, count, kMaxRow);
}

void TSheet::CopyRows(int firstRow, int lastRow, int targetRow)
{
    if (firstRow > lastRow)
        std::swap(firstRow, lastRow);
    std::vector<std::pair<int, std::optional<TRowData>>> settings;
    for (int r = firstRow; r <= lastRow; ++r) {
        auto it = RowItems.Items.find(std::uint16_t(r));
        settings.emplace_back(targetRow + r - firstRow,
                              it == RowItems.Items.end() ? std::nullopt
                                                         : std::optional<TRowData>(it->second));
    }
    for (auto &[t, d] : settings) {
        if (t < 0 || t > kMaxRow)
            continue;
        if (d)
            RowItems.Items[std::uint16_t(t)] = *d;
        else
            RowItems.Items.erase(std::uint16_t(t));
    }
    CopyBlock(firstRow, lastRow, 0, kMaxCol, targetRow, 0);
}

void TSheet::CopyFrom(const TSheet &source)
{
    CellItems.Rows = source.CellItems.Rows;
    CellItems.Formulas = source.CellItems.Formulas;
    ColumnItems.Items = source.ColumnItems.Items;
    RowItems.Items = source.RowItems.Items;
    ColumnXF = source.ColumnXF;
    RangeItems.CopyFrom(source.RangeItems);
    PageSetup = source.PageSetup;
    RowBreaks = source.RowBreaks;
    ColBreaks = source.ColBreaks;
    View = source.View;
    // The drawing and comments need ids of their own in the workbook: TSheets::CopySheet
    // gives them (CopyDrawing).
}

} // namespace vartesk::xls
