// Where each report mode's CalcSection call puts its cells, and the hooks that put them there.
#include "reports/result_blocks.h"

#include "l10n/units.h"
#include "model/project.h"
#include "xls/cell.h"
#include "xls/cell_ref.h"
#include "xls/ranges.h"
#include "xls/sheet.h"

#include <string_view>

namespace vartesk {

namespace {

using xls::Col;
using xls::TCellRef;

constexpr int kNone = -1; // a line without that cell

// The grid indices a table shows (0 is -40 C, 8 is +40 C).
struct TGridRange
{
    int First = 0;
    int Count = 0;
};
constexpr TGridRange kMinus30To40 {1, 8};
constexpr TGridRange kMinus40To40 {0, 9};
constexpr TGridRange kMinus30To30 {1, 7};

// A run of grid values in consecutive columns from Col.
struct TGridCells
{
    int Col = kNone;
    TGridRange Range;
};

// The limits of a conductor: sigma max and its tension; the averages one row below.
struct TLimitCells
{
    TCalcMode Mode;
    TConductor Conductor;
    TCellRef Stress;
    TCellRef Tension;
};

// One attested span, on row SpanRow-1.
struct TSpanLine
{
    TCalcMode Mode;
    TConductor Conductor;
    bool Boxed;
    int Label; // AnchorLabel
    int Length; // S1
    int Ruling; // lr
    int Span; // l
    int SpanLabel;
    TGridCells Sags;
    bool OpensRow; // each attested span after the call's first inserts its own row
};

// The strain section's line, on row TableRow-1.
struct TAnchorLine
{
    TCalcMode Mode;
    TConductor Conductor;
    bool Boxed;
    int Label; // AnchorLabel
    int Length; // S1
    int Ruling; // lr
    TGridCells Tensions;
    int TensionRow; // rows below the label
    int Loads; // the three load cases' tensions, one column each
};

// Catalog data, one column downwards: d, F, w, E, alpha; written for every call.
constexpr TCellRef kWireCatalog = "G14";
constexpr TCellRef kCordCatalog = "N14";

// Loads mode: temperature, ice wall and wind velocity of the three load cases downwards, one
// column per case; written only for the first strain section of a pass.
constexpr TCellRef kWireLoadCases = "D28";
constexpr TCellRef kCordLoadCases = "G28";
constexpr int kLoadCasesTableRow = 31;

// The compact table's line that an inserted span row copies.
constexpr int kCompactFirstCol = Col("B");
constexpr int kCompactLastCol = Col("U");

// A boxed cell: all four sides, colour 1 (palette black), medium line.
constexpr int kAllSides = 4;
constexpr int kBoxColour = 1;
constexpr int kBoxStyle = 2;

using enum TCalcMode;
using enum TConductor;

// clang-format off
constexpr TLimitCells kLimits[] = {
    // mode     cond. stress tension
    {Form1,     Wire, "H22", "K22"},
    {Form1,     Cord, "P22", "S22"},
    {Form1Full, Wire, "H22", "K22"},
    {Form1Full, Cord, "Q22", "T22"},
    {Form2,     Wire, "F22", "I22"},
    {Form2,     Cord, "P22", "S22"},
    {Loads,     Wire, "E22", "H22"},
    {Loads,     Cord, "M22", "P22"},
};

constexpr TSpanLine kSpanLines[] = {
    // mode     cond. boxed  label     S1        lr        l          span label
    //                sags                       opens a row
    {Form1,     Wire, true,  Col("V"), Col("W"), Col("X"), Col("Y"),  Col("Z"),
                      {Col("AA"), kMinus30To40}, false},
    {Form1,     Cord, true,  kNone,    kNone,    kNone,    kNone,     kNone,
                      {Col("AI"), kMinus30To40}, false},
    {Form1Full, Wire, true,  Col("X"), Col("Y"), Col("Z"), Col("AA"), Col("AB"),
                      {Col("AC"), kMinus40To40}, false},
    {Form1Full, Cord, true,  kNone,    kNone,    kNone,    kNone,     kNone,
                      {Col("AL"), kMinus40To40}, false},
    {Form2,     Wire, false, kNone,    kNone,    kNone,    Col("D"),  Col("B"),
                      {Col("E"), kMinus30To30},  true},
    {Form2,     Cord, false, kNone,    kNone,    kNone,    Col("N"),  Col("L"),
                      {Col("O"), kMinus30To30},  false},
};

// The compact table gives lr before S1; the loads' cord line repeats the wire's label and lr.
constexpr TAnchorLine kAnchorLines[] = {
    // mode     cond. boxed  label     S1        lr        tensions                  row loads
    {Form1,     Wire, true,  Col("B"), Col("C"), Col("D"), {Col("E"), kMinus30To40}, 0,  kNone},
    {Form1,     Cord, true,  kNone,    kNone,    kNone,    {Col("M"), kMinus30To40}, 0,  kNone},
    {Form1Full, Wire, true,  Col("B"), Col("C"), Col("D"), {Col("E"), kMinus40To40}, 0,  kNone},
    {Form1Full, Cord, true,  kNone,    kNone,    kNone,    {Col("N"), kMinus40To40}, 0,  kNone},
    {Form2,     Wire, false, Col("B"), Col("D"), Col("C"), {Col("E"), kMinus30To30}, 1,  kNone},
    {Form2,     Cord, false, Col("L"), Col("N"), Col("M"), {Col("O"), kMinus30To30}, 1,  kNone},
    {Loads,     Wire, false, Col("B"), kNone,    Col("C"), {},                       0,  Col("D")},
    {Loads,     Cord, false, Col("B"), kNone,    Col("C"), {},                       0,  Col("G")},
};
// clang-format on

// The table's entry for the call's mode and conductor, or none.
template<class T, size_t N>
const T *Find(const T (&table)[N], TCalcMode mode, TConductor conductor)
{
    for (const T &entry : table)
        if (entry.Mode == mode && entry.Conductor == conductor)
            return &entry;
    return nullptr;
}

template<class T, size_t N>
bool HasMode(const T (&table)[N], TCalcMode mode)
{
    return Find(table, mode, Wire) || Find(table, mode, Cord);
}

bool IsWire(const TCalcResult &r)
{
    return r.Conductor == TConductor::Wire;
}

// Grids exist only for a type the catalog holds and a strain section with a governing state
// (or the insulator strings, which need none); a blank cell says "not calculated" where a zero
// would pass for a value.
bool GridsComputed(const TCalcResult &r)
{
    return r.TypeFound && (r.UsesStrings || r.State != TGoverningState::None);
}

// The wire's values go only into the sheet of a section that carries one; its labels and
// lengths still frame the cord's values of the same rows.
bool ValuesShown(const TProject &project, const TCalcResult &r)
{
    return GridsComputed(r) && (!IsWire(r) || project.Parcels.Get(r.Section).IsProvod);
}

// The cells of one row; a boxed row gets its borders before its values, and keeps them when a
// value is not written.
class TRowCells
{
public:
    TRowCells(xls::TSheet &sheet, int row, bool boxed)
        : Sheet(sheet)
        , Row(row)
        , Boxed(boxed)
    { }

    void Number(int col, double value, bool shown = true)
    {
        if (col == kNone)
            return;
        xls::TCell cell = Box(col);
        if (shown) {
            Uncover(col);
            cell.SetNumber(value);
        }
    }
    void Text(int col, const std::string &text)
    {
        if (col == kNone)
            return;
        Uncover(col);
        Box(col).SetText(text);
    }
    void Grid(const TGridCells &cells, const TGrid &grid, double factor, bool shown)
    {
        if (cells.Col == kNone)
            return;
        for (int k = 0; k < cells.Range.Count; ++k)
            Number(cells.Col + k, grid[size_t(cells.Range.First + k)] * factor, shown);
    }

private:
    // Form 2 lays out its blocks for the wire: a cord whose strain sections end elsewhere (at
    // a dead-end support) puts its lines on rows laid out for other lines, whose merged areas
    // would hide its values.
    void Uncover(int col) { Sheet.Ranges().Uncover(Row, col); }

    xls::TCell Box(int col)
    {
        xls::TCell cell = Sheet.Cells().Item(Row, col);
        if (Boxed) {
            cell.SetBorderColor(kAllSides, kBoxColour);
            cell.SetBorderStyle(kAllSides, kBoxStyle);
        }
        return cell;
    }

    xls::TSheet &Sheet;
    int Row;
    bool Boxed;
};

void SetNumber(xls::TSheet &sheet, TCellRef at, double value)
{
    sheet.Cells().Item(at.Row, at.Col).SetNumber(value);
}

void WriteHeader(xls::TSheet &sheet, TCalcMode mode, const TProject &project, const TCalcResult &r)
{
    const double force = ForceFactor();
    const double stress = StressFactor();
    const TCellRef catalog = IsWire(r) ? kWireCatalog : kCordCatalog;
    const double figures[] = {r.Diameter, r.Area, r.Weight, r.Modulus * force, r.ThermalCoef};
    for (int i = 0; i < 5; ++i)
        SetNumber(sheet, catalog.Down(i), figures[i]);
    const TLimitCells *limits = Find(kLimits, mode, r.Conductor);
    if (!limits || (IsWire(r) && !project.Parcels.Get(r.Section).IsProvod))
        return;
    SetNumber(sheet, limits->Stress, r.StressMax * stress);
    SetNumber(sheet, limits->Stress.Down(1), r.StressAvg * stress);
    SetNumber(sheet, limits->Tension, r.TensionMax * force);
    SetNumber(sheet, limits->Tension.Down(1), r.TensionAvg * force);
}

bool AttestedBefore(const TCalcResult &r, const TSpanResult &span)
{
    for (const TSpanResult &s : r.Spans)
        if (s.Support < span.Support && s.Attested)
            return true;
    return false;
}

void WriteSpanLine(xls::TSheet &sheet,
                   TCalcMode mode,
                   TProject &project,
                   const TCalcResult &r,
                   const TSpanResult &span,
                   std::vector<int> *openedRows)
{
    const TSpanLine *line = Find(kSpanLines, mode, r.Conductor);
    if (!line)
        return;
    const int row = project.SpanRow - 1;
    if (line->OpensRow && AttestedBefore(r, span)) {
        // The new row takes the formats and merged cells of the line above.
        sheet.InsertRows(row - 1, 1);
        sheet.CopyCells(row - 1, row - 1, kCompactFirstCol, kCompactLastCol, row, kCompactFirstCol);
        if (openedRows)
            openedRows->push_back(row);
        else
            AddOpenedRowsMerges(sheet, {row});
    }
    TRowCells cells(sheet, row, line->Boxed);
    cells.Text(line->Label, r.Label);
    cells.Number(line->Length, r.Length);
    cells.Number(line->Ruling, r.RulingSpan);
    cells.Number(line->Span, span.Length);
    cells.Text(line->SpanLabel, span.From + "-" + span.To);
    cells.Grid(line->Sags, span.Sag, 1, ValuesShown(project, r));
    ++project.SpanRow;
}

void WriteAnchorLine(xls::TSheet &sheet,
                     TCalcMode mode,
                     const TProject &project,
                     const TCalcResult &r)
{
    const TAnchorLine *line = Find(kAnchorLines, mode, r.Conductor);
    if (!line)
        return;
    const double force = ForceFactor();
    const int row = project.TableRow - 1;
    TRowCells cells(sheet, row, line->Boxed);
    cells.Text(line->Label, r.Label);
    cells.Number(line->Length, r.Length);
    cells.Number(line->Ruling, r.RulingSpan);
    TRowCells(sheet, row + line->TensionRow, line->Boxed)
        .Grid(line->Tensions, r.Tension, force, ValuesShown(project, r));
    // The loads of a wire the section does not carry would be loads nobody puts on the
    // supports: they follow the same rule as the wire's other values.
    if (line->Loads != kNone)
        for (int j = 0; j < 3; ++j)
            cells.Number(
                line->Loads + j, r.LoadCases[size_t(j)].Tension * force, ValuesShown(project, r));
}

void WriteLoadCases(xls::TSheet &sheet, const TProject &project, const TCalcResult &r)
{
    if (project.TableRow != kLoadCasesTableRow)
        return;
    const TCellRef first = IsWire(r) ? kWireLoadCases : kCordLoadCases;
    for (int j = 0; j < 3; ++j) {
        const TLoadCase &lc = r.LoadCases[size_t(j)];
        const TCellRef at = first.Right(j);
        SetNumber(sheet, at, lc.Temperature);
        SetNumber(sheet, at.Down(1), lc.IceShown);
        SetNumber(sheet, at.Down(2), lc.WindShown);
    }
}

} // namespace

void AddOpenedRowsMerges(xls::TSheet &sheet, const std::vector<int> &openedRows)
{
    for (const int row : openedRows)
        sheet.CopyMergedAreas(
            row - 1, row - 1, kCompactFirstCol, kCompactLastCol, row, kCompactFirstCol);
}

TCalcHooks
ResultBlockHooks(TCalcMode mode, xls::TSheet &sheet, TCalcHooks base, std::vector<int> *openedRows)
{
    TCalcHooks hooks;
    hooks.Message = std::move(base.Message);
    if (!HasMode(kAnchorLines, mode))
        return hooks;
    xls::TSheet *target = &sheet;
    hooks.Header = [target, mode](TProject &project, const TCalcResult &r) {
        WriteHeader(*target, mode, project, r);
    };
    if (HasMode(kSpanLines, mode))
        hooks.SpanLine = [target, mode, openedRows](
                             TProject &project, const TCalcResult &r, const TSpanResult &span) {
            WriteSpanLine(*target, mode, project, r, span, openedRows);
        };
    if (mode == TCalcMode::Loads)
        hooks.LoadCases = [target](TProject &project, const TCalcResult &r) {
            WriteLoadCases(*target, project, r);
        };
    hooks.AnchorLine = [target, mode](TProject &project, const TCalcResult &r) {
        WriteAnchorLine(*target, mode, project, r);
    };
    return hooks;
}

} // namespace vartesk
