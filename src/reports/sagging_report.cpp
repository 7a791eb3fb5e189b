// The field sagging sheet: the template's model lines copied into place, one sheet a section.
#include "reports/sagging_report.h"

#include "base/text_format.h"
#include "calc/sagging_grid.h"
#include "calc/strain_sections.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/report_messages.h"
#include "reports/template_fill.h"
#include "reports/templates.h"
#include "xls/cell_ref.h"
#include "xls/cells.h"
#include "xls/xls_file.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vartesk {

namespace {

using xls::Col;
using xls::TCellRef;

struct TWidth
{
    int First, Last; // columns, both included
    double Chars;
};

const TWidth kWidths[] = {
    {Col("A"), Col("A"), 1.43},
    {Col("B"), Col("B"), 10.57},
    {Col("C"), Col("C"), 8.43},
    {Col("D"), Col("D"), 10.57},
    {Col("E"), Col("U"), 6.43},
};

constexpr TCellRef kSectionNameCell = "B3";

// The lines of a sheet; all but the blank one have a model in the template. A strain
// section's line names its conductor, since a printed page may begin inside a block.
enum class TLine {
    WireHeading,
    CordHeading,
    WireStrainSection,
    CordStrainSection,
    Tension,
    Span,
    Problem,
    Blank
};

// The models' rows (0-based), rows 7..14 on screen; the span takes two.
constexpr int kFirstModelRow = 6; // also the first row the report writes
constexpr int kModelRows = 8;
constexpr int ModelRow(TLine line)
{
    return kFirstModelRow + int(line) + (line > TLine::Span ? 1 : 0);
}
constexpr int LineRows(TLine line)
{
    return line == TLine::Span ? 2 : 1;
}
static_assert(ModelRow(TLine::Problem) == kFirstModelRow + kModelRows - 1);

// Cells of the lines, by column.
constexpr int kTypeCol = Col("E"); // in the headings and the strain sections' lines
constexpr int kLabelCol = Col("D");
constexpr int kRulingSpanCol = Col("J");
constexpr int kStateCol = Col("O");
constexpr int kSpanCol = Col("B");
constexpr int kLengthCol = Col("C");
constexpr int kFirstValueCol = Col("E");
constexpr int kProblemCol = Col("B");
static_assert(kFirstValueCol + kSagGridSize - 1 == Col("U"));

// One line of the sheet with what it shows.
struct TPlaced
{
    TLine Line;
    const TSaggingConductor *Conductor = nullptr;
    const TSaggingStrainSection *StrainSection = nullptr;
    const TSaggingSpan *Span = nullptr;
    const std::string *Problem = nullptr;
};

std::vector<TPlaced> Lines(const TSaggingSection &s)
{
    std::vector<TPlaced> out;
    for (const TSaggingConductor *c : {&s.Wire, &s.Cord}) {
        const bool wire = c == &s.Wire;
        if (!wire)
            out.push_back({TLine::Blank});
        out.push_back({wire ? TLine::WireHeading : TLine::CordHeading, c});
        if (c->Error) {
            out.push_back({TLine::Problem, c, nullptr, nullptr, &*c->Error});
            continue;
        }
        for (const TSaggingStrainSection &ss : c->StrainSections) {
            out.push_back({wire ? TLine::WireStrainSection : TLine::CordStrainSection, c, &ss});
            if (ss.Error) {
                out.push_back({TLine::Problem, c, &ss, nullptr, &*ss.Error});
                continue;
            }
            out.push_back({TLine::Tension, c, &ss});
            for (const TSaggingSpan &span : ss.Spans)
                out.push_back({TLine::Span, c, &ss, &span});
        }
    }
    return out;
}

// The template's model lines, taken once per sheet: a long line copies them tens of thousands
// of times, and a copy of the rows as they stand is much cheaper than the general block copy,
// which shifts formulas and looks through every merged area of the sheet.
class TModels
{
public:
    TModels(xls::TSheet &sheet, int first)
        : First(first)
    {
        auto &cells = sheet.Cells();
        for (int r = first; r < first + kModelRows; ++r) {
            Cells.push_back(size_t(r) < cells.Rows.size() ? cells.Rows[size_t(r)]
                                                          : std::vector<xls::TCellData> {});
            for (const xls::TCellData &d : Cells.back())
                Formulas = Formulas || d.Kind == xls::TCellKind::Formula;
            const auto it = sheet.Rows().Items.find(std::uint16_t(r));
            Settings.push_back(it == sheet.Rows().Items.end()
                                   ? std::nullopt
                                   : std::optional<xls::TRowData>(it->second));
        }
        for (const xls::TRect &a : sheet.Ranges().MergedAreas())
            if (a.Row1 >= first && a.Row2 < first + kModelRows)
                Merged.push_back(a);
    }

    // Model rows `model`.. (0 is the first), `count` of them, onto the empty rows from `row`.
    void Copy(xls::TSheet &sheet, int model, int count, int row) const
    {
        const int from = First + model;
        if (Formulas) {
            // Formulas an office put into a model must follow their new place.
            sheet.CopyRows(from, from + count - 1, row);
            return;
        }
        auto &cells = sheet.Cells().Rows;
        if (cells.size() < size_t(row + count))
            cells.resize(size_t(row + count));
        for (int k = 0; k < count; ++k) {
            cells[size_t(row + k)] = Cells[size_t(model + k)];
            if (const auto &settings = Settings[size_t(model + k)])
                sheet.Rows().Items[std::uint16_t(row + k)] = *settings;
        }
        for (const xls::TRect &a : Merged)
            if (a.Row1 >= from && a.Row2 < from + count)
                sheet.Ranges().AddMerged(
                    {a.Row1 - from + row, a.Col1, a.Row2 - from + row, a.Col2});
    }

private:
    int First;
    std::vector<std::vector<xls::TCellData>> Cells;
    std::vector<std::optional<xls::TRowData>> Settings;
    std::vector<xls::TRect> Merged;
    bool Formulas = false;
};

class TSaggingWriter
{
public:
    TSaggingWriter(TProject &project,
                   const TWiresList &catalog,
                   xls::TXLSFile &file,
                   TMessages &messages,
                   TWaitScope *wait)
        : Project(project)
        , Catalog(catalog)
        , File(file)
        , Messages(messages)
        , Wait(wait)
    { }

    // Gives false when a strain section of a conductor its section carries was left out.
    bool Fill()
    {
        std::vector<std::string> names;
        for (int i = 0; i < Project.Parcels.Count(); ++i)
            names.push_back(Project.Parcels.Get(i).Name);
        MakeSectionSheets(File, names);
        bool whole = true;
        for (int i = 0; i < Project.Parcels.Count(); ++i) {
            Current = i;
            xls::TSheet &sheet = File.Sheets().Item(i);
            const TParcel &p = Project.Parcels.Get(i);
            sheet.Cells().Item(kSectionNameCell.Row, kSectionNameCell.Col).SetText(p.Name);
            const TSaggingSection s = CalcSectionSagging(
                Project,
                Catalog,
                i,
                [this, &p](int,
                           TConductor conductor,
                           const std::string &label,
                           TCalcMessageKind kind,
                           const std::string &text) {
                    Messages.Tell(
                        kind == TCalcMessageKind::Error ? TMessageKind::Error
                                                        : TMessageKind::Warning,
                        FormatText(LocalString("Calc_place"),
                                   {p.Name,
                                    LocalString(conductor == TConductor::Wire ? "The_wire_of"
                                                                              : "The_cord_of"),
                                    label,
                                    text}));
                });
            for (const auto &[c, carried] : {std::pair {&s.Wire, p.IsProvod}, {&s.Cord, p.IsTros}})
                if (carried
                    && (c->Error
                        || std::any_of(c->StrainSections.begin(),
                                       c->StrainSections.end(),
                                       [](const auto &ss) { return ss.Error.has_value(); })))
                    whole = false;
            Section(sheet, s);
            if (Wait)
                Wait->Step();
        }
        return whole;
    }

    int Current = 0; // the section being filled, for a message when the filling stops

private:
    // The models move below the lines they make room for, are copied from there, and go
    // once the sheet is written.
    void Section(xls::TSheet &sheet, const TSaggingSection &s)
    {
        const std::vector<TPlaced> lines = Lines(s);
        int rows = 0;
        for (const TPlaced &l : lines)
            rows += LineRows(l.Line);
        sheet.InsertRows(kFirstModelRow - 1, rows);
        TModels models(sheet, kFirstModelRow + rows);
        int row = kFirstModelRow;
        for (const TPlaced &l : lines) {
            if (l.Line != TLine::Blank) {
                models.Copy(sheet, ModelRow(l.Line) - kFirstModelRow, LineRows(l.Line), row);
                Write(sheet, row, l);
            }
            row += LineRows(l.Line);
        }
        RemoveModels(sheet, kFirstModelRow + rows);
    }

    void Write(xls::TSheet &sheet, int row, const TPlaced &l)
    {
        auto &cells = sheet.Cells();
        switch (l.Line) {
        case TLine::WireHeading:
        case TLine::CordHeading:
            if (l.Conductor->Carried)
                cells.Item(row, kTypeCol).SetText(l.Conductor->Type);
            break;
        case TLine::WireStrainSection:
        case TLine::CordStrainSection:
            cells.Item(row, kLabelCol).SetText(l.StrainSection->Label);
            cells.Item(row, kTypeCol).SetText(l.Conductor->Type);
            cells.Item(row, kRulingSpanCol).SetNumber(l.StrainSection->RulingSpan);
            if (!l.StrainSection->Error)
                cells.Item(row, kStateCol)
                    .SetText(SaggingStateText(l.StrainSection->UsesStrings,
                                              int(l.StrainSection->State)));
            break;
        case TLine::Tension:
            for (int k = 0; k < kSagGridSize; ++k)
                cells.Item(row, kFirstValueCol + k)
                    .SetNumber(l.StrainSection->Tension[size_t(k)] * ForceFactor());
            break;
        case TLine::Span:
            cells.Item(row, kSpanCol).SetText(l.Span->From + "-" + l.Span->To);
            cells.Item(row, kLengthCol).SetNumber(l.Span->Length);
            for (int k = 0; k < kSagGridSize; ++k) {
                cells.Item(row, kFirstValueCol + k).SetNumber(l.Span->Sag[size_t(k)]);
                cells.Item(row + 1, kFirstValueCol + k).SetNumber(l.Span->WaveTime3[size_t(k)]);
            }
            break;
        case TLine::Problem:
            cells.Item(row, kProblemCol).SetText(*l.Problem);
            break;
        case TLine::Blank:
            break;
        }
    }

    static void RemoveModels(xls::TSheet &sheet, int first)
    {
        const int last = first + kModelRows - 1;
        sheet.ClearBlock(first, last, 0, 255);
        // Nothing above reaches into the models' rows, so what meets them is theirs.
        sheet.Ranges().RemoveMergedMeeting({first, 0, last, 255});
        for (int r = first; r <= last; ++r)
            sheet.Rows().Items.erase(std::uint16_t(r));
    }

    TProject &Project;
    const TWiresList &Catalog;
    xls::TXLSFile &File;
    TMessages &Messages;
    TWaitScope *Wait;
};

// The rows a section's sheet takes: a heading per conductor, and for each strain section its
// line, its tensions and two rows a span (a conductor not carried shows its heading and why).
int SectionRows(const TParcel &p)
{
    int rows = kFirstModelRow + LineRows(TLine::Blank);
    for (const auto &[carried, strainSections] :
         {std::pair {p.IsProvod, WireStrainSections(p)}, {p.IsTros, CordStrainSections(p)}}) {
        rows += LineRows(TLine::WireHeading) + LineRows(TLine::Problem);
        if (carried)
            for (const TStrainSection &ss : strainSections)
                rows += LineRows(TLine::WireStrainSection) + LineRows(TLine::Tension)
                    + LineRows(TLine::Span) * (ss.Last - ss.First);
    }
    return rows + kModelRows; // the models stay below until the sheet is written
}

// Refused before anything is written, as the stringing tables are: cut short, the sheet would
// pass for the whole section.
bool SectionsFitSheets(const TProject &project, TMessages &messages)
{
    for (const auto &p : project.Parcels)
        if (const int rows = SectionRows(*p); rows > xls::kSheetRows) {
            messages.Tell(
                TMessageKind::Error,
                FormatText(LocalString("Sheet_rows_limit"), {p->Name, std::to_string(rows)}));
            return false;
        }
    return true;
}

} // namespace

std::string SaggingStateText(bool usesStrings, int state)
{
    if (usesStrings)
        return LocalString("Sag_state_strings");
    if (state >= 1 && state <= 3)
        return LocalString("Sag_state_" + std::to_string(state));
    return {};
}

TReportOutcome WriteSaggingReport(TProject &project,
                                  const TWiresList &catalog,
                                  const std::filesystem::path &formsFolder,
                                  const std::filesystem::path &target,
                                  TMessages &messages,
                                  TWaitScope *wait)
{
    const std::filesystem::path templatePath
        = formsFolder / TemplateFileName(kSaggingTemplate, CurrentLanguage(), UnitSystem());
    if (!SectionsFitSheets(project, messages))
        return {};
    xls::TXLSFile file;
    TSaggingWriter writer(project, catalog, file, messages, wait);
    return FillTemplate(file,
                        templatePath,
                        target,
                        messages,
                        {[](xls::TXLSFile &f) {
                             xls::TSheet &model = f.Sheets().Item(0);
                             for (const TWidth &w : kWidths)
                                 for (int col = w.First; col <= w.Last; ++col)
                                     model.Columns().Item(col).SetWidth(w.Chars);
                         },
                         [&] { return writer.Fill(); },
                         [&] {
                             return TFillPlace {SectionName(project, writer.Current), {}};
                         }});
}

} // namespace vartesk
