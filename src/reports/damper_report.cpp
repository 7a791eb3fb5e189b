// The vibration-damper report: per damper section a sheet of strain-section blocks with the
// damper positions, the spans that need dampers, and the tallies of dampers by type.
#include "reports/damper_report.h"

#include "base/number_text.h"
#include "base/text_format.h"
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "dampers/calc_dampers.h"
#include "dampers/damper_tally.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/calc_messages.h"
#include "reports/report_messages.h"
#include "reports/template_fill.h"
#include "reports/templates.h"
#include "xls/cell_ref.h"
#include "xls/sheet_names.h"
#include "xls/xls_file.h"

#include <iterator>
#include <string>
#include <vector>

namespace vartesk {

namespace {

using xls::Col;

struct TWidth
{
    int Column;
    double Chars;
};

// clang-format off
const TWidth kWidths[] = {
    {Col("A"), 0.75},  {Col("B"), 7.43},  {Col("C"), 8},     {Col("D"), 8.71},  {Col("E"), 8},
    {Col("F"), 14.57}, {Col("G"), 14.57}, {Col("H"), 14.57}, {Col("I"), 14.57}, {Col("J"), 7.43},
    {Col("K"), 8},     {Col("L"), 8.71},  {Col("M"), 8},     {Col("N"), 14.57}, {Col("O"), 14.57},
    {Col("P"), 14.57}, {Col("Q"), 14.57},
};
// clang-format on

// The five-row model of a strain section (0-based rows 5..9) over the wire half B..I and the
// cord half J..Q; the cord's cells are the wire's shifted by kCordHalf.
constexpr int kModelFirstRow = 5;
constexpr int kModelSpanRow = 9;
constexpr int kBlockFirstCol = Col("B");
constexpr int kBlockLastCol = Col("Q");
constexpr int kCordHalf = Col("J") - Col("B");
constexpr int kFirstTableRow = 6; // 1-based row of the first distances line
constexpr int kFirstSpanRow = 10;

// Within a half, relative to the wire's columns.
constexpr int kName = Col("B"); // section name on row 1; anchor label; span name
constexpr int kRulingSpan = Col("C");
constexpr int kLength = Col("D"); // strain section length; span length
constexpr int kTension = Col("E");
constexpr int kFirstPosition = Col("F"); // positions 1..4 in F..I
constexpr int kTypeRow = 2; // the conductor's type in F3 / N3
constexpr int kSectionRow = 1;
constexpr int kPositions = 4;

// The tally model S2:W3: a caption line and one item line; items put the type in the first
// column of the half and the quantity in its fourth.
constexpr int kTallyFirstRow = 1;
constexpr int kTallyLastRow = 2;
constexpr int kTallyFirstCol = Col("S");
constexpr int kTallyLastCol = Col("W");
constexpr int kTallyQuantity = Col("E");
constexpr int kTallyLineLastCol = Col("F");

// The bill of the whole project: the dampers by type, then the spans left without a type.
constexpr double kBillWidths[] = {26, 18, 10, 22, 14, 32};
constexpr int kBillFirstTypeRow = 3;

// A span whose dampers the rules ask for but no type fits.
struct TUnselectedSpan
{
    std::string Section, StrainSection, Span, Conductor;
    double Tension = 0; // shown units
};

class TDamperWriter
{
public:
    TDamperWriter(TProject &project,
                  const TWiresList &catalog,
                  xls::TXLSFile &file,
                  TMessages &messages,
                  TWaitScope *wait)
        : Project(project)
        , Catalog(catalog)
        , File(file)
        , Calls(messages)
        , Wait(wait)
    { }

    // Gives false when a strain section was left out.
    bool Fill()
    {
        std::vector<int> sections;
        std::vector<std::string> names;
        for (int i = 0; i < Project.Parcels.Count(); ++i)
            if (Project.Parcels.Get(i).HasVMCalc()) {
                sections.push_back(i);
                names.push_back(Project.Parcels.Get(i).Name);
            }
        // The sections are named first, so that their sheets keep the names they always had;
        // a section called like the bill pushes the bill to "Total (2)".
        xls::TSheetNames taken = MakeSectionSheets(File, names);
        for (size_t q = 0; q < sections.size(); ++q) {
            Section(File.Sheets().Item(int(q)), sections[q]);
            if (Wait)
                Wait->Step();
        }
        Bill(taken.Give(LocalString("Damp_total_sheet")));
        return Whole;
    }

private:
    struct TFilled
    {
        const TVM_SpanData *Record = nullptr;
        TCalcResult Result;
        int Offset = 0;
    };

    void Text(int row, int col, const std::string &text)
    {
        Sheet->Cells().Item(row, col).SetText(text);
    }
    void Number(int row, int col, double v) { Sheet->Cells().Item(row, col).SetNumber(v); }

    void Section(xls::TSheet &sheet, int i)
    {
        Sheet = &sheet;
        TParcel &p = Project.Parcels.Get(i);
        ModelMerges = sheet.Ranges().MergedAreasInside(
            {kModelFirstRow, kBlockFirstCol, kModelSpanRow, kBlockLastCol});
        Text(kSectionRow, kName, p.Name);
        Text(kSectionRow, kName + kCordHalf, p.Name);
        if (p.IsVMCalcProvod)
            Text(kTypeRow, kFirstPosition, p.Provod);
        if (p.IsVMCalcTros)
            Text(kTypeRow, kFirstPosition + kCordHalf, p.Tros);
        TOC_List wireTally, cordTally;
        const int wireMultiplier = p.KindP != 0 ? 1 : p.CntCircuitry * p.CntWires * 3;
        const int cordMultiplier = p.KindT != 0 ? 1 : p.CntRopes;
        int tableRow = kFirstTableRow;
        TCalcHooks hooks;
        hooks.Message = Calls.Hook();
        hooks.Dampers = DampersHook(hooks.Message);
        for (const TStrainSection &ss : WireStrainSections(p)) {
            Project.SpanDataProvod.Clear();
            Project.SpanDataTros.Clear();
            TFilled wire {&Project.SpanDataProvod, {}, 0};
            TFilled cord {&Project.SpanDataTros, {}, kCordHalf};
            if (p.IsVMCalcProvod) {
                wire.Result = CalcSection(
                    Project, Catalog, TCalcMode::Dampers, i, TConductor::Wire, ss, hooks);
                Whole = Calls.AfterCall(Project, wire.Result) && Whole;
            }
            if (p.IsVMCalcTros) {
                cord.Result = CalcSection(
                    Project, Catalog, TCalcMode::Dampers, i, TConductor::Cord, ss, hooks);
                Whole = Calls.AfterCall(Project, cord.Result) && Whole;
            }
            if (tableRow > kFirstTableRow) {
                CopyModel(kModelFirstRow, kModelSpanRow, tableRow - 1);
                for (int off : {0, kCordHalf})
                    for (int j = 0; j < kPositions; ++j) {
                        Text(tableRow, kFirstPosition + off + j, " ");
                        Text(tableRow + 1, kFirstPosition + off + j, " ");
                    }
                for (int col = kBlockFirstCol; col <= kBlockLastCol; ++col)
                    Text(tableRow + 3, col, " ");
            }
            const bool wireOn = wire.Record->IsCalculated;
            const bool cordOn = cord.Record->IsCalculated;
            if (!wireOn && !cordOn)
                continue;
            if (wireOn)
                Tally(*wire.Record, wireTally);
            if (cordOn)
                Tally(*cord.Record, cordTally);
            for (const TFilled *f : {&wire, &cord})
                if (f->Record->IsCalculated)
                    NoteUnselected(*f, p, f == &wire);
            for (const TFilled *f : {&wire, &cord})
                if (f->Record->IsCalculated)
                    Header(*f, tableRow);
            tableRow = Spans(wireOn ? &wire : nullptr, cordOn ? &cord : nullptr, tableRow + 4);
        }
        Tallies(wireTally, wireMultiplier, tableRow, 0);
        Tallies(cordTally, cordMultiplier, tableRow, kCordHalf);
        sheet.ClearBlock(kTallyFirstRow, kTallyLastRow, kTallyFirstCol, kTallyLastCol);
    }

    // Rows of the model with the model's merged areas. A block may come to lie on the model's
    // own rows (after a strain section without a span line), so what those rows hold later is
    // not the model any more: its span line's merged areas, kept there, would hide the next
    // header line's values.
    void CopyModel(int firstRow, int lastRow, int targetRow)
    {
        Sheet->CopyCells(
            firstRow, lastRow, kBlockFirstCol, kBlockLastCol, targetRow, kBlockFirstCol);
        const int dRow = targetRow - firstRow;
        Sheet->Ranges().RemoveMergedMeeting(
            {targetRow, kBlockFirstCol, lastRow + dRow, kBlockLastCol});
        for (const xls::TRect &a : ModelMerges)
            if (a.Row1 >= firstRow && a.Row2 <= lastRow)
                Sheet->Ranges().AddMerged({a.Row1 + dRow, a.Col1, a.Row2 + dRow, a.Col2});
    }

    static void Tally(const TVM_SpanData &d, TOC_List &tally)
    {
        for (const auto &span : d.Spans)
            for (size_t j = 0; j < kPositions; ++j)
                if (d.Distances[j] > 0 && span->Counts[j] > 0)
                    tally.AddOrIncrement(d.DamperTypes[j], span->Counts[j]);
    }

    void Header(const TFilled &f, int tableRow)
    {
        const TVM_SpanData &d = *f.Record;
        // Each half shows its own conductor's strain section, not whichever call came last.
        Text(tableRow - 1, kName + f.Offset, f.Result.Label);
        Number(tableRow - 1, kRulingSpan + f.Offset, f.Result.RulingSpan);
        Number(tableRow - 1, kLength + f.Offset, f.Result.Length);
        Number(tableRow - 1, kTension + f.Offset, d.TensionAvg * ForceFactor());
        for (size_t j = 0; j < kPositions; ++j) {
            if (!(d.Distances[j] > 0))
                continue;
            std::string distance = FormatGeneral(d.Distances[j]);
            if (j == 0 && d.IsDielectric)
                distance += "/5";
            Text(tableRow, kFirstPosition + f.Offset + int(j), distance);
            Text(tableRow + 1, kFirstPosition + f.Offset + int(j), d.DamperTypes[j]);
        }
    }

    // The span lines from `spanRow` on; gives the row after the last one.
    int Spans(const TFilled *wire, const TFilled *cord, int spanRow)
    {
        const int first = spanRow;
        const TFilled *one = wire ? wire : cord;
        const bool both = wire && cord;
        for (int s = 0; s < one->Record->Spans.Count(); ++s) {
            const auto has = [s](const TFilled *f) {
                return f && s < f->Record->Spans.Count() && f->Record->Spans.Get(s).HasDampers;
            };
            if (!has(wire) && !has(cord))
                continue;
            if (spanRow > first) {
                CopyModel(kModelSpanRow, kModelSpanRow, spanRow - 1);
                for (int col = kBlockFirstCol; col <= kBlockLastCol; ++col)
                    Text(spanRow - 1, col, " ");
            }
            const int row = spanRow - 1;
            for (const TFilled *f : {wire, cord}) {
                if (!f)
                    continue;
                const TSpan &span = f->Record->Spans.Get(s);
                if (both && !span.HasDampers) {
                    for (int j = 0; j < kPositions; ++j)
                        Text(row, kFirstPosition + f->Offset + j, " ");
                    continue;
                }
                Text(row, kName + f->Offset, span.Name);
                Number(row, kLength + f->Offset, span.Length);
                for (size_t j = 0; j < kPositions; ++j) {
                    const int col = kFirstPosition + f->Offset + int(j);
                    if (span.Counts[j] >= 1)
                        Number(row, col, span.Counts[j]);
                    else
                        Text(row, col, both ? " " : "");
                }
            }
            ++spanRow;
        }
        return spanRow;
    }

    void Tallies(const TOC_List &tally, int multiplier, int last, int offset)
    {
        if (tally.Count() == 0)
            return;
        Sheet->CopyBlock(kTallyFirstRow,
                         kTallyLastRow,
                         kTallyFirstCol,
                         kTallyLastCol,
                         last + 2,
                         kBlockFirstCol + offset);
        for (int k = 0; k < tally.Count(); ++k) {
            const int t = last + 3 + k;
            if (k > 0)
                Sheet->CopyBlock(t - 1,
                                 t - 1,
                                 kBlockFirstCol + offset,
                                 kTallyLineLastCol + offset,
                                 t,
                                 kBlockFirstCol + offset);
            Text(t, kName + offset, tally.Get(k).Name);
            Number(t, kTallyQuantity + offset, tally.Get(k).Quantity * multiplier);
            ProjectTally.AddOrIncrement(tally.Get(k).Name, tally.Get(k).Quantity * multiplier);
        }
    }

    void NoteUnselected(const TFilled &f, const TParcel &p, bool isWire)
    {
        const std::string conductor = LocalString(isWire ? "Sag_wire_word" : "Sag_cord_word") + " "
            + (isWire ? p.Provod : p.Tros);
        for (const auto &span : f.Record->Spans)
            if (span->Unselected)
                Unselected.push_back({p.Name,
                                      f.Result.Label,
                                      span->Name,
                                      conductor,
                                      f.Record->TensionAvg * ForceFactor()});
    }

    // The sheet after the sections: the sum of their tallies by type and the spans for which
    // no type was selected, so that an empty span line is not read as "none needed".
    void Bill(const std::string &name)
    {
        Sheet = &File.Sheets().Item(File.Sheets().Add(name));
        for (int c = 0; c < int(std::size(kBillWidths)); ++c)
            Sheet->Columns().Item(c).SetWidth(kBillWidths[c]);
        const auto bold = [&](int row, int col, const std::string &text) {
            Text(row, col, text);
            Sheet->Cells().Item(row, col).SetBold(true);
        };
        bold(0, 0, LocalString("Damp_total_caption"));
        bold(kBillFirstTypeRow - 1, 0, LocalString("Damp_total_type"));
        bold(kBillFirstTypeRow - 1, 1, LocalString("Damp_total_quantity"));
        int row = kBillFirstTypeRow;
        for (int k = 0; k < ProjectTally.Count(); ++k, ++row) {
            Text(row, 0, ProjectTally.Get(k).Name);
            Number(row, 1, ProjectTally.Get(k).Quantity);
        }
        if (Unselected.empty())
            return;
        row += 1;
        bold(row++, 0, LocalString("Damp_unselected_caption"));
        const std::string heads[] = {
            LocalString("Damp_unselected_section"),
            LocalString("Damp_unselected_strain"),
            LocalString("Damp_unselected_span"),
            LocalString("Damp_unselected_conductor"),
            FormatText(LocalString("Damp_unselected_tension"), {ForceUnitLabel()}),
            LocalString("Damp_unselected_dampers"),
        };
        for (int c = 0; c < int(std::size(heads)); ++c)
            bold(row, c, heads[c]);
        for (const TUnselectedSpan &u : Unselected) {
            ++row;
            Text(row, 0, u.Section);
            Text(row, 1, u.StrainSection);
            Text(row, 2, u.Span);
            Text(row, 3, u.Conductor);
            Number(row, 4, u.Tension);
            Text(row, 5, LocalString("Damp_unselected"));
        }
    }

    TProject &Project;
    const TWiresList &Catalog;
    xls::TXLSFile &File;
    TPlacedCalcMessages Calls;
    TWaitScope *Wait;
    xls::TSheet *Sheet = nullptr;
    bool Whole = true;
    TOC_List ProjectTally; // the tallies of every section with their multipliers
    std::vector<TUnselectedSpan> Unselected;
    std::vector<xls::TRect> ModelMerges; // those of rows 5..9 as the template has them
};

} // namespace

TReportOutcome WriteDamperReport(TProject &project,
                                 const TWiresList &catalog,
                                 const std::filesystem::path &formsFolder,
                                 const std::filesystem::path &target,
                                 TMessages &messages,
                                 TWaitScope *wait)
{
    bool any = false;
    for (int i = 0; i < project.Parcels.Count(); ++i)
        any = any || project.Parcels.Get(i).HasVMCalc();
    if (!any) {
        messages.Tell(TMessageKind::Warning, LocalString("No_damper_sections"));
        return {};
    }
    const std::filesystem::path templatePath
        = formsFolder / TemplateFileName(kDamperTemplate, CurrentLanguage(), UnitSystem());
    xls::TXLSFile file;
    // No section name for a stop: a damper workbook is written whole or not at all.
    return FillTemplate(
        file,
        templatePath,
        target,
        messages,
        {[](xls::TXLSFile &f) {
             xls::TSheet &model = f.Sheets().Item(0);
             for (const TWidth &w : kWidths)
                 model.Columns().Item(w.Column).SetWidth(w.Chars);
         },
         [&] { return TDamperWriter(project, catalog, file, messages, wait).Fill(); },
         {}});
}

} // namespace vartesk
