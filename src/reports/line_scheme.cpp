// The line scheme: the calculation passes, then one column per support, the frame and tables.
#include "reports/line_scheme.h"

#include "base/file_io.h"
#include "base/number_text.h"
#include "base/rounding.h"
#include "base/text_format.h"
#include "cad/acad_dxf.h"
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "mechanics/arithmetic_error.h"
#include "model/angle_text.h"
#include "model/project.h"
#include "reports/calc_messages.h"
#include "reports/report_messages.h"
#include "reports/scheme_slots.h"

#include <cmath>
#include <string_view>

namespace vartesk {

namespace {

constexpr std::int8_t kColour = 7; // every line of the scheme
constexpr double kText = 2.5; // the usual text height
constexpr double kSmallText = 2.0;

// The columns: support k (0-based over the whole line) stands at kFirstX + kColumn * k; the
// drawing ends at the right edge R = kRightMargin + kColumn * S for S supports.
constexpr double kFirstX = 60;
constexpr double kColumn = 40;
constexpr double kRightMargin = 50;

// The frame's left edge, top and bottom.
constexpr double kLeft = -17;
constexpr double kTop = 100;
constexpr double kBottom = -78;
constexpr double kFrameWidth = 0.1;

// The horizontal lines of the tables, from their x to the right edge.
struct TTableLine
{
    double Y;
    double FromX;
};

// The legend down the left margin.
struct TLegend
{
    double Y;
    double Height;
    const char *Key; // in the daN system
    const char *KeyN; // in the N system, when it differs
};

// clang-format off
constexpr TTableLine kTableLines[] = {
    {100, 0},
    {90, -17}, {80, -17}, {70, -17}, {60, -17}, {50, -17},
    // the sag table's rows
    {44.7, 35.5}, {39.4, 35.5}, {34.1, 35.5}, {28.8, 35.5}, {23.5, 35.5}, {18.2, 35.5},
    {12.9, 35.5},
    {7.6, -17},
    // the tension table's rows
    {2.3, 35.5}, {-3.0, 35.5}, {-8.3, 35.5}, {-13.6, 35.5}, {-18.9, 35.5}, {-24.2, 35.5},
    {-29.5, 35.5},
    {-34.8, -17},
    {-44.8, -17}, {-54.8, -17}, {-64.8, -17},
};

constexpr double kLegendX = -15;
constexpr TLegend kLegend[] = {
    {94,  2.0, "Angles_and_straight",  nullptr},
    {84,  2.0, "Length_strain_sector", nullptr},
    {74,  2.0, "Equivalent_span",      nullptr},
    {65,  2.0, "Mess_w1",              nullptr},
    {61,  2.0, "Mess_w2",              "Mess_w2_n"},
    {56,  2.0, "Mess_c1",              nullptr},
    {52,  2.0, "Mess_c2",              "Mess_c2_n"},
    {35,  2.5, "Mounting_sag1",        nullptr},
    {30,  2.5, "Mounting_sag2",        nullptr},
    {25,  2.5, "wire_cord",            nullptr},
    {20,  2.5, "at_temperature",       nullptr},
    {-10, 2.5, "Mounting_stress",      nullptr},
    {-15, 2.5, "daN",                  "kN"},
    {-20, 2.5, "wire_cord",            nullptr},
    {-25, 2.5, "at_temperature",       nullptr},
    {-42, 2.5, "Muffs",                nullptr},
    {-52, 2.5, "Note",                 nullptr},
    {-62, 2.5, "Span_length_",         nullptr},
    {-72, 2.5, "Name_sector",          nullptr},
};
// clang-format on

// The temperature labels of both tables, +40 C at the top, 5.2 apart.
constexpr double kLabelX = 40;
constexpr double kSagLabelsTop = 44.8;
constexpr double kTensionLabelsTop = 2.8;
constexpr double kLabelStep = 5.2;

// A section's notes below the frame, 4 apart (one gap of 5) from kNotesTop.
struct TNote
{
    const char *Key;
    double Gap; // below the note before
};
constexpr double kNotesTop = -87;
constexpr TNote kNotesWithCreep[] = {{"am_1_1", 0},
                                     {"am_1_2", 4},
                                     {"am_1_3", 4},
                                     {"am_1_4", 4},
                                     {"am_1_5", 4},
                                     {"am_2_1", 4},
                                     {"am_2_2", 4},
                                     {"am_2_3", 4},
                                     {"am_2_4", 4},
                                     {"am_2_5", 4}};
constexpr TNote kNotesWithoutCreep[] = {{"am_3_1", 0},
                                        {"am_3_2", 4},
                                        {"am_3_3", 4},
                                        {"am_3_4", 4},
                                        {"am_3_5", 4},
                                        {"am_2_1", 4},
                                        {"am_2_2", 4},
                                        {"am_2_3", 5},
                                        {"am_2_4", 4},
                                        {"am_2_5", 4}};

TDxfPoint At(double x, double y)
{
    return {float(x), float(y)};
}

// Where the export is, for the message when it stops.
struct TPlace
{
    int Section = -1;
    std::string StrainSection; // "first-last" support numbers
};

class TSchemeExport
{
public:
    TSchemeExport(TProject &project,
                  const TWiresList &catalog,
                  TAcadDxf &dxf,
                  TMessages &messages,
                  TWaitScope *wait)
        : Project(project)
        , Catalog(catalog)
        , Dxf(dxf)
        , Calls(messages)
        , Wait(wait)
    {
        int supports = 0;
        for (int i = 0; i < Project.Parcels.Count(); ++i)
            supports += Project.Parcels.Get(i).Pillars.Count();
        Right = kRightMargin + kColumn * supports;
    }

    void Calculate(TConductor conductor);
    void DrawSections();
    void DrawFrameAndLegend();

    TPlace Place;
    bool Whole = true; // no strain section was left out

private:
    void DrawSection(int index, int first);
    void DrawLimits(const TParcel &p, TConductor conductor, double x0, double y);
    void DrawSupport(const TParcel &p, int position, double x);
    void TableLine(double y, double fromX) { Dxf.Line(At(fromX, y), At(Right, y), kColour); }
    void Step()
    {
        if (Wait)
            Wait->Step();
    }

    TProject &Project;
    const TWiresList &Catalog;
    TAcadDxf &Dxf;
    TPlacedCalcMessages Calls;
    TWaitScope *Wait;
    double Right = 0; // R

    // Running over the whole line.
    double Picket = 0; // m
    // Running over one section.
    double SpanSum = 0;
    double StrainLength = 0; // L
    double StrainCubes = 0; // Q
    bool StrainOpen = false;
    std::string StrainFirst; // the number of the support that opened it
};

void TSchemeExport::Calculate(TConductor conductor)
{
    TCalcHooks base;
    base.Message = Calls.Hook();
    const TCalcHooks hooks = SchemeTextHooks(Dxf, std::move(base));
    const bool wire = conductor == TConductor::Wire;
    for (int i = 0; i < Project.Parcels.Count(); ++i) {
        const TParcel &p = Project.Parcels.Get(i);
        Place = {i, {}};
        // A section without the conductor has nothing to show, and its calculation could
        // only repeat the boxes about the other conductor.
        if (wire ? p.IsProvod : p.IsTros) {
            const auto strainSections = wire ? WireStrainSections(p) : CordStrainSections(p);
            for (const TStrainSection &ss : strainSections) {
                Place.StrainSection = p.Pillars.Get(ss.First - 1).Nomer.str() + "-"
                    + p.Pillars.Get(ss.Last - 1).Nomer.str();
                const TCalcResult result
                    = CalcSection(Project, Catalog, TCalcMode::Cad, i, conductor, ss, hooks);
                Whole = Calls.AfterCall(Project, result) && Whole;
            }
        }
        Step();
    }
}

void TSchemeExport::DrawSections()
{
    int first = 0; // running number of the section's first support
    for (int i = 0; i < Project.Parcels.Count(); ++i) {
        DrawSection(i, first);
        first += Project.Parcels.Get(i).Pillars.Count();
        Step();
    }
}

void TSchemeExport::DrawSection(int index, int first)
{
    TParcel &p = Project.Parcels.Get(index);
    Place = {index, {}};
    const double x0 = kFirstX + kColumn * first;
    Dxf.Line(At(x0 - 10, kBottom), At(x0 - 10, kTop), kColour);
    Dxf.Text(p.Name, At(x0 - 5, -72), kText);
    double y = kNotesTop;
    for (const TNote &note : p.IsVitygka ? kNotesWithCreep : kNotesWithoutCreep) {
        y -= note.Gap;
        Dxf.Text(LocalString(note.Key), At(x0 - 5, y), kSmallText);
    }
    if (p.IsTros)
        DrawLimits(p, TConductor::Cord, x0, 55);
    if (p.IsProvod)
        DrawLimits(p, TConductor::Wire, x0, 65);
    // The last support has no span after it.
    const int count = p.Pillars.Count();
    if (count > 0)
        p.Pillars.Get(count - 1).Prolet = 0;
    SpanSum = 0;
    StrainLength = 0;
    StrainCubes = 0;
    StrainOpen = true;
    StrainFirst = count > 0 ? p.Pillars.Get(0).Nomer.str() : std::string();
    for (int j = 1; j <= count; ++j)
        DrawSupport(p, j, kFirstX + kColumn * (first + j - 1));
    Dxf.Text(FormatGeneral(CheckFinite(SpanSum)), At(x0 - 5, -62), kSmallText);
}

void TSchemeExport::DrawLimits(const TParcel &p, TConductor conductor, double x0, double y)
{
    const bool wire = conductor == TConductor::Wire;
    const std::string &type = wire ? p.Provod : p.Tros;
    // A type the catalog lacks has no area: limits given as tensions then have no stress,
    // and the drawing stops here with the data-entry message.
    const double area = Catalog.FindByName(type).Section;
    const double factor = StressFactor();
    const double max = CheckFinite(wire ? p.MaxStressProvod(area) : p.MaxStressTros(area));
    const double avg = CheckFinite(wire ? p.AvgStressProvod(area) : p.AvgStressTros(area));
    Dxf.Text(type + " " + FormatGeneral(max * factor) + "/" + FormatGeneral(avg * factor),
             At(x0 - 5, y),
             kText);
}

// "12+35.5" for 1235.5 m: the hundreds, "+", the metres to the centimetre. Counted in whole
// centimetres, so that sums of spans such as 1499.9999999 m read 15+0 and never 14+100.
std::string PicketText(double metres)
{
    const double centimetres = Round(CheckFinite(metres * 100));
    const double hundreds = std::trunc(centimetres / 10000);
    return FormatGeneral(hundreds) + "+" + FormatGeneral((centimetres - hundreds * 10000) / 100);
}

std::string ShownCode(const TPillar &s)
{
    if (IsEnglish()) {
        if (s.Shifr.str() == kShifrAnchor)
            return "Str.";
        if (s.Shifr.str() == kShifrIntermediate)
            return "Int.";
    }
    return s.Shifr;
}

void TSchemeExport::DrawSupport(const TParcel &p, int position, double x)
{
    const TPillar &s = p.Pillars.Get(position - 1);
    Place.StrainSection = StrainFirst + "-" + s.Nomer.str();
    if (!s.Coment.empty())
        Dxf.Text(s.Coment.str(), At(x + 10, -52), kText);
    if (const std::string angle = AngleText(s); !angle.empty())
        Dxf.Text(angle, At(x - 2, 93), kText);
    const double span = s.Prolet;
    SpanSum += span;
    const bool anchor = s.Tip_Opor == TSupportType::Strain;
    const bool intermediate = s.Tip_Opor == TSupportType::Intermediate;
    if (anchor) {
        for (const double foot : {0.0, 2.0, 4.0})
            Dxf.Line(At(x + foot, 100), At(x + 2, 150), kColour);
        Dxf.Text(s.Nomer.str(), At(x + 2, 157), kText);
        Dxf.Text(ShownCode(s), At(x + 2, 153), kText);
        Dxf.Text(FormatGeneral(span), At(x + 9, 115), kText);
    } else if (intermediate) {
        Dxf.Line(At(x, 100), At(x, 150), kColour);
        Dxf.Text(s.Nomer.str(), At(x, 157), kText);
        Dxf.Text(ShownCode(s), At(x, 153), kText);
        Dxf.Text(FormatGeneral(span), At(x + 7, 115), kText);
    }
    // The strain section's length and equivalent span, at the anchor that closes it. The
    // anchor then opens the next one with its own span; a dead-end support takes no part.
    if (anchor && StrainOpen) {
        // Spans that add up to nothing (the anchor behind a dead-end portal) have no length
        // and no equivalent span: neither is written, as a 0 would read as a figure.
        if (position > 1 && !ExactlyEqual(StrainLength, 0)) {
            const double equivalent = CheckedSqrt(CheckedDiv(StrainCubes, StrainLength));
            Dxf.Text(FormatGeneral(CheckFinite(StrainLength)), At(x - 2, 85), kText);
            Dxf.Text(FormatGeneral(Round(equivalent)), At(x - 2, 75), kText);
        }
        StrainLength = 0;
        StrainCubes = 0;
        StrainOpen = false;
    }
    if (intermediate && StrainOpen) {
        StrainLength += span;
        StrainCubes += span * span * span;
    }
    if (anchor && !StrainOpen) {
        StrainOpen = true;
        StrainFirst = s.Nomer;
        StrainLength += span;
        StrainCubes += span * span * span;
    }
    // The running picket: given, or the previous support's plus its span.
    if (s.RezPic)
        Picket = 100.0 * s.Picet1 + s.Picet2;
    else if (position > 1)
        Picket += p.Pillars.Get(position - 2).Prolet;
    Dxf.Text(PicketText(Picket), At(x - 16, 142), kText);
}

void TSchemeExport::DrawFrameAndLegend()
{
    Place = {};
    Dxf.SetColor(kColour);
    Dxf.PolylineBegin(false, kFrameWidth);
    for (const TDxfPoint p : {At(kLeft, kTop),
                              At(Right, kTop),
                              At(Right, kBottom),
                              At(kLeft, kBottom),
                              At(kLeft, kTop)})
        Dxf.Vertex(p.X, p.Y);
    Dxf.PolylineEnd();
    for (const TTableLine &line : kTableLines)
        TableLine(line.Y, line.FromX);
    const bool newtons = UnitSystem() == TUnitSystem::KN;
    for (const TLegend &l : kLegend)
        Dxf.Text(LocalString(newtons && l.KeyN ? l.KeyN : l.Key), At(kLegendX, l.Y), l.Height);
    for (const double top : {kSagLabelsTop, kTensionLabelsTop})
        for (int j = 0; j < 8; ++j)
            Dxf.Text(std::to_string(40 - 10 * j), At(kLabelX, top - kLabelStep * j), kText);
    Dxf.Line(At(50, kTop), At(50, kBottom), kColour);
    Dxf.Line(At(35.5, 50), At(35.5, -35), kColour);
}

std::string StopMessage(const TProject &project, const TPlace &place, const std::string &why)
{
    if (place.Section < 0 || place.Section >= project.Parcels.Count())
        return FormatText(LocalString("Scheme_stopped"), {why});
    const std::string strainSection = place.StrainSection.empty()
        ? std::string()
        : FormatText(LocalString("At_strain_section"), {place.StrainSection});
    return FormatText(LocalString("Scheme_stopped_at"),
                      {project.Parcels.Get(place.Section).Name, strainSection, why});
}

} // namespace

int SchemeSteps(const TProject &project)
{
    return 3 * project.Parcels.Count();
}

TSchemeOutcome ExportScheme(TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &path,
                            TMessages &messages,
                            TWaitScope *wait)
{
    TSchemeOutcome outcome;
    TAcadDxf dxf;
    dxf.Open(path);
    TSchemeExport scheme(project, catalog, dxf, messages, wait);
    try {
        scheme.Calculate(TConductor::Wire);
        scheme.Calculate(TConductor::Cord);
        scheme.DrawSections();
        scheme.DrawFrameAndLegend();
        outcome.Complete = scheme.Whole;
    } catch (const EArithmeticError &) {
        messages.Tell(TMessageKind::Warning,
                      StopMessage(project, scheme.Place, LocalString("Error_data_entry")));
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Warning, StopMessage(project, scheme.Place, e.what()));
    }
    try {
        dxf.Close();
    } catch (const EFileError &e) {
        messages.Tell(TMessageKind::Error, CannotWrite(path, e));
        outcome.Complete = false;
        return outcome;
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, e.what());
        outcome.Complete = false;
        return outcome;
    }
    outcome.Written = true;
    return outcome;
}

} // namespace vartesk
