// The journal of supports: template, sheets, the wire and cord passes, the support pass and
// the footers.
#include "reports/journal_report.h"

#include "base/number_text.h"
#include "base/rounding.h"
#include "base/text_format.h"
#include "base/utf8.h"
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "calc/temperature_grid.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "mechanics/arithmetic_error.h"
#include "mechanics/state_equation.h"
#include "model/angle_text.h"
#include "model/project.h"
#include "reports/calc_messages.h"
#include "reports/report_messages.h"
#include "reports/template_fill.h"
#include "reports/templates.h"
#include "xls/cell_ref.h"
#include "xls/xls_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace vartesk {

namespace {

using xls::Col;

// Support k (1-based, in the section's order) is on row k + 1, below the two caption rows.
constexpr int kFirstSupportRow = 2;
constexpr double kFirstRowHeight = 24.75; // points
constexpr double kLineHeight = 12.75; // points, a line of the default font

struct TWidth
{
    int Column;
    double Chars;
};

// clang-format off
const TWidth kWidths[] = {
    {Col("A"), 0.5},  {Col("B"), 6.57},  {Col("C"), 8.43},  {Col("D"), 15.57}, {Col("E"), 8.57},
    {Col("F"), 8.57}, {Col("G"), 8.57},  {Col("H"), 8.43},  {Col("I"), 11.57}, {Col("J"), 8.43},
    {Col("K"), 10.14}, {Col("L"), 8.43}, {Col("M"), 10.14}, {Col("N"), 8.43},
};
// clang-format on

// The columns of a support row.
constexpr int kNumber = Col("B");
constexpr int kCode = Col("C");
constexpr int kAngle = Col("D");
constexpr int kPicket = Col("E");
constexpr int kSpan = Col("F");
constexpr int kStrainLength = Col("G"); // on the support that closes a strain section
constexpr int kEquivalentSpan = Col("H"); // the same
constexpr int kNotes = Col("I");
constexpr int kWireSpan = Col("K");
constexpr int kWireStrain = Col("L");
constexpr int kCordSpan = Col("M");
constexpr int kCordStrain = Col("N");
// The footers: the caption in C, the length in D, the totals under the span lengths.
constexpr int kFooterCaption = Col("C");
constexpr int kFooterLength = Col("D");

// Borders as the workbook interface numbers them: colour 1 is black; side 4 is all four.
constexpr int kBlack = 1;
constexpr int kThin = 1;
constexpr int kMedium = 2;
constexpr int kAllSides = 4;

// The lengths use the tension at +10 C.
constexpr size_t kPlus10 = 5;
static_assert(kTemperatureGrid[kPlus10] > 9.5 && kTemperatureGrid[kPlus10] < 10.5);

// The two codes that stand for "no particular code" read in English as the support types.
struct TCodeWord
{
    const char *Russian;
    const char *English;
};
const TCodeWord kEnglishCodes[] = {{kShifrAnchor, "Str."}, {kShifrIntermediate, "Int."}};

constexpr const char *kCrossing = "Пер."; // not translated

// What tells the wire pass from the cord pass.
struct TPass
{
    TConductor Conductor;
    int SpanColumn; // the length of each span
    int StrainColumn; // the length of the strain section, on its closing support
    bool BoxesSupportColumns; // B..I as well as K..N
    bool BoxesClosingRow; // the closing support's row gets its borders from this pass
};
const TPass kWirePass {TConductor::Wire, kWireSpan, kWireStrain, true, true};
const TPass kCordPass {TConductor::Cord, kCordSpan, kCordStrain, false, false};

class TJournalWriter
{
public:
    TJournalWriter(TProject &project,
                   const TWiresList &catalog,
                   xls::TXLSFile &file,
                   TMessages &messages,
                   TWaitScope *wait)
        : Project(project)
        , Catalog(catalog)
        , File(file)
        , Messages(messages)
        , Calls(messages)
        , Wait(wait)
    { }

    // Gives false when a length could not be calculated.
    bool Fill()
    {
        const int n = Project.Parcels.Count();
        std::vector<std::string> names;
        for (const auto &p : Project.Parcels)
            names.push_back(p->Name);
        MakeSectionSheets(File, names);
        int lastRow = kFirstSupportRow - 1;
        for (int i = 0; i < n; ++i) {
            Current = i;
            xls::TSheet &sheet = File.Sheets().Item(i);
            TParcel &p = Project.Parcels.Get(i);
            std::optional<double> wire, cord;
            if (p.IsProvod)
                wire = ConductorPass(sheet, i, kWirePass);
            if (p.IsTros)
                cord = ConductorPass(sheet, i, kCordPass);
            const double length = SupportPass(sheet, p);
            lastRow = kFirstSupportRow + p.Pillars.Count() - 1;
            OutlineLastSupports(sheet, lastRow);
            Footer(sheet, lastRow + 1, "On_the_sector", length);
            RouteLength += length;
            if (p.IsProvod)
                AddTotal(sheet, lastRow + 1, kWireSpan, wire, RouteWire);
            if (p.IsTros)
                AddTotal(sheet, lastRow + 1, kCordSpan, cord, RouteCord);
            if (Wait)
                Wait->Step();
        }
        // Without sections the template's own sheet carries the route footer, right below the
        // captions.
        xls::TSheet &sheet = File.Sheets().Item(n > 0 ? n - 1 : 0);
        const int routeRow = n > 0 ? lastRow + 2 : kFirstSupportRow;
        OutlineLastSupports(sheet, lastRow);
        Footer(sheet, routeRow, "On_the_tracе", RouteLength);
        for (auto [total, column] : {std::pair {&RouteWire, kWireSpan}, {&RouteCord, kCordSpan}})
            if (total->Sections > 0 && total->Known)
                Total(sheet, routeRow, column, total->Length);
        return Whole;
    }

    // Where the filling is, for a message when it stops.
    TFillPlace Place() const { return {SectionName(Project, Current), CurrentStrainSection}; }
    int Current = 0;
    std::string CurrentStrainSection;

private:
    // What the route footer sums for a conductor: the sections that carry it, and whether
    // each of their lengths could be calculated.
    struct TRouteTotal
    {
        double Length = 0;
        int Sections = 0;
        bool Known = true;
    };

    void SetText(xls::TSheet &sheet, int row, int col, const std::string &text)
    {
        if (!text.empty())
            sheet.Cells().Item(row, col).SetText(text);
    }

    void SetNumber(xls::TSheet &sheet, int row, int col, double value)
    {
        sheet.Cells().Item(row, col).SetNumber(value);
    }

    void Box(xls::TSheet &sheet, int row, int firstCol, int lastCol, int style)
    {
        for (int col = firstCol; col <= lastCol; ++col) {
            xls::TCell cell = sheet.Cells().Item(row, col);
            cell.SetBorderStyle(kAllSides, style);
            cell.SetBorderColor(kAllSides, kBlack);
        }
    }

    void Outline(xls::TSheet &sheet, int row1, int col1, int row2, int col2, int style)
    {
        xls::TRange(sheet, xls::TRect {row1, col1, row2, col2}).BorderAround(kBlack, style);
    }

    void BoxSupportRow(xls::TSheet &sheet, int row, const TPass &pass)
    {
        if (pass.BoxesSupportColumns)
            Box(sheet, row, kNumber, kNotes, kThin);
        Box(sheet, row, kWireSpan, kCordStrain, kThin);
    }

    // One conductor over the strain sections of the section; gives its total, or nothing when
    // a strain section could not be calculated. Both passes end a strain section at an anchor
    // support only, as the journal always has, the cord's dead-end supports included.
    std::optional<double> ConductorPass(xls::TSheet &sheet, int section, const TPass &pass)
    {
        TParcel &p = Project.Parcels.Get(section);
        TCalcHooks hooks;
        hooks.Message = Calls.Hook();
        int row = kFirstSupportRow;
        double total = 0;
        std::vector<std::string> missing;
        for (const TStrainSection &ss : WireStrainSections(p)) {
            CurrentStrainSection = p.Pillars.Get(ss.First - 1).Nomer.str() + "-"
                + p.Pillars.Get(ss.Last - 1).Nomer.str();
            const TCalcResult result = CalcSection(
                Project, Catalog, TCalcMode::Journal, section, pass.Conductor, ss, hooks);
            CurrentStrainSection.clear();
            Calls.AfterCall(Project, result);
            const auto lengths = SpanLengths(p, ss, !result.Error);
            double sum = 0;
            for (int j = ss.First; j < ss.Last; ++j, ++row) {
                BoxSupportRow(sheet, row, pass);
                if (lengths) {
                    const double length = (*lengths)[size_t(j - ss.First)];
                    SetNumber(sheet, row, pass.SpanColumn, length);
                    sum += length;
                }
            }
            if (pass.BoxesClosingRow)
                BoxSupportRow(sheet, row, pass);
            if (lengths) {
                SetNumber(sheet, row, pass.StrainColumn, sum);
                total += sum;
            } else {
                missing.push_back(p.Pillars.Get(ss.First - 1).Nomer.str() + "-"
                                  + p.Pillars.Get(ss.Last - 1).Nomer.str());
            }
        }
        SetNumber(sheet, row, pass.SpanColumn, 0);
        if (missing.empty())
            return total;
        TellMissing(p.Name, pass.Conductor, missing);
        Whole = false;
        return std::nullopt;
    }

    // The conductor length of every span of the strain section from the tension at +10 C and
    // the weight the calculation left; nothing when the calculation did not get that far (its
    // figures would be those of another strain section, or zero).
    std::optional<std::vector<double>>
    SpanLengths(const TParcel &p, const TStrainSection &ss, bool calculated) const
    {
        if (!calculated)
            return std::nullopt;
        std::vector<double> lengths;
        try {
            for (int j = ss.First; j < ss.Last; ++j)
                lengths.push_back(WireLength(
                    Project.GridTension[kPlus10], Project.CurWeight, p.Pillars.Get(j - 1).Prolet));
        } catch (const EArithmeticError &) {
            return std::nullopt;
        }
        return lengths;
    }

    void TellMissing(const std::string &section,
                     TConductor conductor,
                     const std::vector<std::string> &labels)
    {
        std::string list;
        for (const std::string &label : labels)
            list += (list.empty() ? "" : ", ") + label;
        const char *key
            = conductor == TConductor::Wire ? "Journal_wire_blank" : "Journal_cord_blank";
        Messages.Tell(TMessageKind::Warning, FormatText(LocalString(key), {list, section}));
    }

    // Numbers, codes, angles, spans, equivalent spans, notes and pickets; gives the section's
    // length.
    double SupportPass(xls::TSheet &sheet, TParcel &p)
    {
        const int count = p.Pillars.Count();
        if (count == 0)
            return 0;
        // The last support has no next one.
        p.Pillars.Get(count - 1).Prolet = 0;
        double length = 0;
        for (int k = 1; k <= count; ++k) {
            const TPillar &s = p.Pillars.Get(k - 1);
            const int row = kFirstSupportRow + k - 1;
            SetText(sheet, row, kNumber, s.Nomer);
            SetText(sheet, row, kCode, CodeText(s.Shifr));
            SetText(sheet, row, kAngle, AngleText(s));
            SetNumber(sheet, row, kSpan, s.Prolet);
            length += s.Prolet;
            EquivalentSpan(sheet, row, k, s);
            WrapNotes(sheet, row, NotesText(s));
            if (s.RezPic)
                Picket = s.Picet1 + s.Picet2 / 100;
            else if (k > 1)
                Picket += p.Pillars.Get(k - 2).Prolet / 100;
            SetText(sheet, row, kPicket, PicketText(Picket));
        }
        return length;
    }

    // One running sum of spans and of their cubes for the whole journal: what a section leaves
    // open is carried into the next one. An anchor support closes the stretch before it (not
    // the first support of a section) and opens its own; an intermediate support adds its
    // span; a dead-end support or any other type changes nothing.
    void EquivalentSpan(xls::TSheet &sheet, int row, int k, const TPillar &s)
    {
        const double l = s.Prolet;
        if (s.Tip_Opor == TSupportType::Strain) {
            // A stretch whose spans sum to 0 (the anchor behind a dead-end portal, or after an
            // anchor of span 0) has no length and no equivalent span to show: both cells stay
            // blank, since a 0 there reads as a measured figure.
            if (k > 1 && !ExactlyEqual(SumOfSpans, 0.0)) {
                SetNumber(sheet, row, kStrainLength, SumOfSpans);
                const double ratio = SumOfCubes / SumOfSpans;
                SetNumber(sheet,
                          row,
                          kEquivalentSpan,
                          std::isfinite(ratio) && ratio > 0 ? std::sqrt(ratio) : 0.0);
            }
            SumOfSpans = l;
            SumOfCubes = l * l * l;
        } else if (s.Tip_Opor == TSupportType::Intermediate) {
            SumOfSpans += l;
            SumOfCubes += l * l * l;
        }
    }

    static std::string CodeText(const std::string &code)
    {
        if (IsEnglish())
            for (const TCodeWord &w : kEnglishCodes)
                if (code == w.Russian)
                    return w.English;
        return code;
    }

    static std::string NotesText(const TPillar &s)
    {
        if (!s.Insect.empty() && !s.Coment.empty())
            return kCrossing + s.Insect.str() + ";" + s.Coment.str();
        if (!s.Insect.empty())
            return kCrossing + s.Insect.str();
        return s.Coment;
    }

    // A long crossing text stays inside its column: it wraps, and its row grows to the lines it
    // takes, as a spreadsheet does not fit a row's height on opening. A line holds about one
    // character less than the column's width.
    void WrapNotes(xls::TSheet &sheet, int row, const std::string &text)
    {
        SetText(sheet, row, kNotes, text);
        sheet.Cells().Item(row, kNotes).SetWrap(true);
        const double perLine = std::max(1.0, sheet.Columns().Item(kNotes).Width() - 1);
        const double lines = std::ceil(double(Utf8Length(text)) / perLine);
        if (lines > 1)
            sheet.Rows().Item(row).SetHeight(std::min(409.0, lines * kLineHeight));
    }

    // The thin outline from B to I over the last two support rows.
    void OutlineLastSupports(xls::TSheet &sheet, int lastRow)
    {
        if (lastRow < kFirstSupportRow)
            return;
        Outline(sheet, std::max(lastRow - 1, kFirstSupportRow), kNumber, lastRow, kNotes, kThin);
    }

    void Footer(xls::TSheet &sheet, int row, const char *captionKey, double length)
    {
        Outline(sheet, row, kFooterCaption, row, kFooterLength, kMedium);
        Box(sheet, row, kFooterCaption, kFooterCaption, kMedium);
        SetText(sheet, row, kFooterCaption, LocalString(captionKey));
        SetNumber(sheet, row, kFooterLength, length);
    }

    void Total(xls::TSheet &sheet, int row, int column, double length)
    {
        Outline(sheet, row, column, row, column, kMedium);
        SetNumber(sheet, row, column, length);
    }

    void AddTotal(xls::TSheet &sheet,
                  int row,
                  int column,
                  const std::optional<double> &total,
                  TRouteTotal &route)
    {
        ++route.Sections;
        if (!total) {
            route.Known = false;
            return;
        }
        Total(sheet, row, column, *total);
        route.Length += *total;
    }

    TProject &Project;
    const TWiresList &Catalog;
    xls::TXLSFile &File;
    TMessages &Messages;
    TPlacedCalcMessages Calls;
    TWaitScope *Wait;
    double Picket = 0; // hundreds of metres, carried from section to section
    double SumOfSpans = 0;
    double SumOfCubes = 0;
    double RouteLength = 0;
    TRouteTotal RouteWire, RouteCord;
    bool Whole = true; // every length was calculated
};

} // namespace

std::string PicketText(double hundreds)
{
    const double metres = Round2(hundreds * 100);
    // + 0.0: no "-0" for a picket just below zero.
    const double whole = std::trunc(metres / 100) + 0.0;
    return FormatGeneral(whole) + "+" + FormatGeneral(Round2(metres - whole * 100) + 0.0);
}

TReportOutcome WriteJournal(TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &formsFolder,
                            const std::filesystem::path &target,
                            TMessages &messages,
                            TWaitScope *wait)
{
    const std::filesystem::path templatePath
        = formsFolder / TemplateFileName(kJournalTemplate, CurrentLanguage(), UnitSystem(), false);
    xls::TXLSFile file;
    TJournalWriter writer(project, catalog, file, messages, wait);
    return FillTemplate(file,
                        templatePath,
                        target,
                        messages,
                        {[](xls::TXLSFile &f) {
                             xls::TSheet &model = f.Sheets().Item(0);
                             model.Rows().Item(0).SetHeight(kFirstRowHeight);
                             for (const TWidth &w : kWidths)
                                 model.Columns().Item(w.Column).SetWidth(w.Chars);
                         },
                         [&] { return writer.Fill(); },
                         [&] {
                             return writer.Place();
                         }});
}

} // namespace vartesk
