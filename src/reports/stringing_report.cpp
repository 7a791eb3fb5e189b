// The stringing-table and loads reports: template, sheets, header cells, the two passes.
#include "reports/stringing_report.h"

#include "base/text_format.h"
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/calc_messages.h"
#include "reports/report_messages.h"
#include "reports/result_blocks.h"
#include "reports/template_fill.h"
#include "reports/templates.h"
#include "xls/cell_ref.h"
#include "xls/xls_file.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vartesk {

namespace {

using xls::TCellRef;

struct TWidths
{
    int First, Last; // columns, both included
    double Chars;
};

// clang-format off
const std::vector<TWidths> kWideWidths = {
    {0, 0, 1.43}, {1, 1, 10.57}, {2, 5, 7}, {6, 6, 9.14}, {7, 12, 7}, {13, 13, 8.43},
    {14, 20, 7}, {21, 21, 10.57}, {22, 41, 7}};
const std::vector<TWidths> kWideFullWidths = {
    {0, 0, 1.43}, {1, 1, 10.57}, {2, 5, 7}, {6, 6, 9.14}, {7, 12, 7}, {13, 13, 8.43},
    {14, 22, 7}, {23, 23, 10.57}, {24, 45, 7}};
const std::vector<TWidths> kCompactWidths = {
    {0, 0, 1.43}, {1, 1, 11.43}, {2, 10, 8}, {11, 11, 11.43}, {12, 20, 8}};
// clang-format on

// The climate and coefficient cells every sheet of these reports carries.
struct THeaderCell
{
    TCellRef Cell;
    double (*Value)(const TProject &);
};

// clang-format off
const THeaderCell kHeaderCells[] = {
    {"G4",  [](const TProject &p) { return p.Klimat.Tols; }},
    {"G5",  [](const TProject &p) { return p.Klimat.VMax; }},
    {"G6",  [](const TProject &p) { return p.Klimat.Vwetsg; }},
    {"G7",  [](const TProject &p) { return p.Klimat.TMin; }},
    {"G8",  [](const TProject &p) { return p.Klimat.TMax; }},
    {"G9",  [](const TProject &p) { return p.Klimat.TGsw; }},
    {"G10", [](const TProject &p) { return p.Klimat.Tgbw; }},
    {"G11", [](const TProject &p) { return p.Klimat.Tsrec; }},
    {"N4",  [](const TProject &p) { return p.KlimatKoef.V_Otv; }},
    {"N5",  [](const TProject &p) { return p.KlimatKoef.V_Reg; }},
    {"N6",  [](const TProject &p) { return p.KlimatKoef.V_Nad; }},
    {"N8",  [](const TProject &p) { return p.KlimatKoef.G_Otv; }},
    {"N9",  [](const TProject &p) { return p.KlimatKoef.G_Reg; }},
    {"N10", [](const TProject &p) { return p.KlimatKoef.G_Nad; }},
    {"N11", [](const TProject &p) { return p.KlimatKoef.G_Usl; }},
    {"T4",  [](const TProject &p) { return double(p.KlimatKoef.visotaPC); }},
    {"T8",  [](const TProject &p) { return double(p.KlimatKoef.visotaPC_tros); }},
};
// clang-format on
constexpr TCellRef kTerrainCell = "T3";
constexpr TCellRef kSectionNameCell = "B20";

// The notes block P9..P14: the keys when the creep elongation is accounted, and when not.
constexpr TCellRef kNotesCell = "P9";
const char *const kNotesWithCreep[] = {"m_1_1", "m_1_2", "m_1_3", "m_2_1", "m_2_2", "m_2_3"};
const char *const kNotesWithoutCreep[] = {"m_3_1", "m_3_2", "m_3_3", "m_2_1", "m_2_2", "m_2_3"};

enum class TNameRule {
    IfCarried, // only when the section carries the conductor
    Always,
};

// Everything that tells the four reports apart.
struct TLayout
{
    const char *Template;
    TCalcMode Mode;
    const std::vector<TWidths> *Widths;
    int FirstTableRow; // TableRow and SpanRow at the start of each pass (1-based)
    int FirstSpanRow;
    std::vector<TCellRef> WireNameCells;
    std::vector<TCellRef> CordNameCells;
    TNameRule NameRule;
    std::optional<TCellRef> SectionNameAgain; // written in the cord pass
    bool Compact; // the four-row blocks of Form 2
    bool CopiesLoadRows; // each further strain section of the loads report gets a fresh row
    bool Notes;
};

const TLayout &LayoutOf(TStringingReport report)
{
    // clang-format off
    static const TLayout kForm1 {"FormMount", TCalcMode::Form1, &kWideWidths, 27, 23,
        {"AA21", "E25"}, {"M25", "AI21"}, TNameRule::IfCarried, std::nullopt, false, false, true};
    static const TLayout kForm1Full {"FormMount1", TCalcMode::Form1Full, &kWideFullWidths, 27, 23,
        {"AC21", "E25"}, {"N25", "AL21"}, TNameRule::IfCarried, std::nullopt, false, false, true};
    static const TLayout kForm2 {"FormMount2", TCalcMode::Form2, &kCompactWidths, 26, 29,
        {"B21"}, {"L21"}, TNameRule::Always, TCellRef("L20"), true, false, true};
    static const TLayout kLoads {"FormLoads", TCalcMode::Loads, &kCompactWidths, 31, 23,
        {"D25"}, {"G25"}, TNameRule::IfCarried, std::nullopt, false, true, false};
    // clang-format on
    switch (report) {
    case TStringingReport::Form1:
        return kForm1;
    case TStringingReport::Form1Full:
        return kForm1Full;
    case TStringingReport::Form2:
        return kForm2;
    case TStringingReport::Loads:
        return kLoads;
    }
    return kForm1;
}

// Rows of the compact table's block and the columns it spans.
constexpr int kBlockRows = 4;
constexpr int kBlockFirstCol = 1;
constexpr int kBlockLastCol = 20;

// The attested spans of a strain section: the span lines its call writes at most.
int AttestedSpans(const TParcel &p, const TStrainSection &ss)
{
    int count = 0;
    for (int i = ss.First; i < ss.Last; ++i)
        count += p.Pillars.Get(i - 1).Visir ? 1 : 0;
    return count;
}

// The number of the last row a pass's lines may reach, from the supports alone: every
// attested span counted as a line. Form 2's blocks grow by one row per span line after the
// first; the wide tables and the loads put their strain-section lines (TableRow) and span
// lines (SpanRow) one row each.
int LastRowOfPass(const TLayout &layout, const TParcel &p, const std::vector<TStrainSection> &ss)
{
    int tableRow = layout.FirstTableRow;
    int spanRow = layout.FirstSpanRow;
    int last = 0;
    for (const TStrainSection &s : ss) {
        const int lines = AttestedSpans(p, s);
        if (layout.Compact) {
            last = std::max(last, tableRow + kBlockRows - 1 + std::max(lines - 1, 0));
            tableRow += kBlockRows + std::max(lines - 1, 0);
        } else {
            last = std::max(last, tableRow);
            ++tableRow;
            spanRow += lines;
            if (lines > 0 && layout.Mode != TCalcMode::Loads)
                last = std::max(last, spanRow - 1);
        }
    }
    return last;
}

// A section whose tables would run past the last row of a sheet is refused before anything
// is written: cut short, a stringing table would pass for the whole section.
bool SectionsFitSheets(const TLayout &layout, const TProject &project, TMessages &messages)
{
    for (const auto &p : project.Parcels) {
        int last = LastRowOfPass(layout, *p, WireStrainSections(*p));
        if (p->IsTros)
            last = std::max(last, LastRowOfPass(layout, *p, CordStrainSections(*p)));
        if (last > xls::kSheetRows) {
            messages.Tell(
                TMessageKind::Error,
                FormatText(LocalString("Sheet_rows_limit"), {p->Name, std::to_string(last)}));
            return false;
        }
    }
    return true;
}

void SetNumber(xls::TSheet &sheet, TCellRef cell, double value)
{
    sheet.Cells().Item(cell.Row, cell.Col).SetNumber(value);
}

void SetText(xls::TSheet &sheet, TCellRef cell, const std::string &text)
{
    sheet.Cells().Item(cell.Row, cell.Col).SetText(text);
}

class TReportWriter
{
public:
    TReportWriter(const TLayout &layout,
                  TProject &project,
                  const TWiresList &catalog,
                  xls::TXLSFile &file,
                  TMessages &messages,
                  TWaitScope *wait)
        : Layout(layout)
        , Project(project)
        , Catalog(catalog)
        , File(file)
        , Calls(messages)
        , Wait(wait)
    { }

    void CopySheets()
    {
        std::vector<std::string> names;
        for (const auto &p : Project.Parcels)
            names.push_back(p->Name);
        MakeSectionSheets(File, names);
    }

    void WirePass()
    {
        for (int i = 0; i < Project.Parcels.Count(); ++i) {
            const TParcel &p = Project.Parcels.Get(i);
            xls::TSheet &sheet = File.Sheets().Item(i);
            Current = i;
            StartCursors();
            WriteHeader(sheet, p);
            WriteNames(sheet, Layout.WireNameCells, p.IsProvod, p.Provod);
            const auto strainSections = WireStrainSections(p);
            OpenedRows.clear();
            for (size_t k = 0; k < strainSections.size(); ++k) {
                if (Layout.Compact && k + 1 < strainSections.size())
                    LayOutNextBlock(sheet);
                if (Layout.CopiesLoadRows && Project.TableRow > Layout.FirstTableRow)
                    sheet.CopyRows(
                        Project.TableRow - 2, Project.TableRow - 2, Project.TableRow - 1);
                Calculate(sheet, i, TConductor::Wire, strainSections[k]);
            }
            AddOpenedRowsMerges(sheet, OpenedRows);
            Step();
        }
    }

    void CordPass()
    {
        for (int i = 0; i < Project.Parcels.Count(); ++i) {
            const TParcel &p = Project.Parcels.Get(i);
            xls::TSheet &sheet = File.Sheets().Item(i);
            Current = i;
            StartCursors();
            WriteNames(sheet, Layout.CordNameCells, p.IsTros, p.Tros);
            if (Layout.SectionNameAgain)
                SetText(sheet, *Layout.SectionNameAgain, p.Name);
            if (p.IsTros)
                for (const TStrainSection &ss : CordStrainSections(p))
                    Calculate(sheet, i, TConductor::Cord, ss);
            if (Layout.Notes)
                WriteNotes(sheet, p);
            Step();
        }
    }

    // Where the filling is, for a message when it stops.
    TFillPlace Place() const { return {SectionName(Project, Current), CurrentStrainSection}; }
    int Current = 0;
    std::string CurrentStrainSection;
    bool Whole = true; // no strain section was left out

private:
    void StartCursors()
    {
        Project.TableRow = Layout.FirstTableRow;
        Project.SpanRow = Layout.FirstSpanRow;
    }

    void WriteHeader(xls::TSheet &sheet, const TParcel &p)
    {
        for (const THeaderCell &h : kHeaderCells)
            SetNumber(sheet, h.Cell, h.Value(Project));
        SetText(sheet, kTerrainCell, Project.KlimatKoef.TypeTerText());
        SetText(sheet, kSectionNameCell, p.Name);
    }

    void WriteNames(xls::TSheet &sheet,
                    const std::vector<TCellRef> &cells,
                    bool carried,
                    const std::string &type)
    {
        if (Layout.NameRule == TNameRule::IfCarried && !carried)
            return;
        for (const TCellRef &cell : cells)
            SetText(sheet, cell, type);
    }

    void WriteNotes(xls::TSheet &sheet, const TParcel &p)
    {
        const auto &keys = p.IsVitygka ? kNotesWithCreep : kNotesWithoutCreep;
        for (int k = 0; k < 6; ++k)
            SetText(sheet, kNotesCell.Down(k), LocalString(keys[k]));
    }

    // Form 2: each strain section's block is a copy of the one above, laid out below it
    // before that one is calculated. Laid out ahead of the calculation, all of them, the rows
    // the span lines open would move every block below, over and over; one block ahead, only
    // that one moves. The opened rows' merged areas follow all blocks' (AddOpenedRowsMerges),
    // so the sheet lists its merged areas as it always has.
    void LayOutNextBlock(xls::TSheet &sheet)
    {
        const int row = Project.TableRow - 1; // the block's first row, 0-based
        sheet.CopyBlock(row,
                        row + kBlockRows - 1,
                        kBlockFirstCol,
                        kBlockLastCol,
                        row + kBlockRows,
                        kBlockFirstCol);
    }

    void Calculate(xls::TSheet &sheet, int section, TConductor conductor, TStrainSection ss)
    {
        const TParcel &p = Project.Parcels.Get(section);
        CurrentStrainSection = p.Pillars.Get(ss.First - 1).Nomer.str() + "-"
            + p.Pillars.Get(ss.Last - 1).Nomer.str();
        TCalcHooks base;
        base.Message = Calls.Hook();
        const TCalcResult result
            = CalcSection(Project,
                          Catalog,
                          Layout.Mode,
                          section,
                          conductor,
                          ss,
                          ResultBlockHooks(Layout.Mode, sheet, std::move(base), &OpenedRows));
        CurrentStrainSection.clear();
        if (!Calls.AfterCall(Project, result))
            Whole = false;
        if (Layout.Compact) {
            // The span lines of a strain section may run past its block; the next block
            // starts below them.
            const int overrun = Project.SpanRow - Project.TableRow - kBlockRows;
            if (overrun > 0)
                Project.TableRow += overrun;
            Project.TableRow += kBlockRows;
            // The next span line is the fourth row of the next block. Adding 3 to SpanRow
            // reaches it only after a strain section that wrote a span line; one without an
            // attested span would put the next line into the block's third row.
            Project.SpanRow = Project.TableRow + kBlockRows - 1;
        } else {
            Project.TableRow += 1;
        }
    }

    void Step()
    {
        if (Wait)
            Wait->Step();
    }

    const TLayout &Layout;
    TProject &Project;
    const TWiresList &Catalog;
    xls::TXLSFile &File;
    TPlacedCalcMessages Calls;
    TWaitScope *Wait;
    std::vector<int> OpenedRows; // Form 2: the rows the current sheet's span lines opened
};

} // namespace

std::string TemplateBase(TStringingReport report)
{
    return LayoutOf(report).Template;
}

TReportOutcome WriteStringingReport(TStringingReport report,
                                    TProject &project,
                                    const TWiresList &catalog,
                                    const std::filesystem::path &formsFolder,
                                    const std::filesystem::path &target,
                                    TMessages &messages,
                                    TWaitScope *wait)
{
    const TLayout &layout = LayoutOf(report);
    if (!SectionsFitSheets(layout, project, messages))
        return {};
    const std::filesystem::path templatePath
        = formsFolder / TemplateFileName(layout.Template, CurrentLanguage(), UnitSystem());
    xls::TXLSFile file;
    TReportWriter writer(layout, project, catalog, file, messages, wait);
    return FillTemplate(file,
                        templatePath,
                        target,
                        messages,
                        {[&](xls::TXLSFile &f) {
                             xls::TSheet &model = f.Sheets().Item(0);
                             for (const TWidths &w : *layout.Widths)
                                 for (int col = w.First; col <= w.Last; ++col)
                                     model.Columns().Item(col).SetWidth(w.Chars);
                         },
                         [&] {
                             writer.CopySheets();
                             writer.WirePass();
                             writer.CordPass();
                             return writer.Whole;
                         },
                         [&] {
                             return writer.Place();
                         }});
}

} // namespace vartesk
