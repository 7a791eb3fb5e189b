// The curves' description from the sagging grid.
#include "app/curve_plot.h"

#include "base/number_text.h"
#include "base/text_format.h"
#include "base/text_formats.h"
#include "calc/sagging_grid.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"
#include "model/project.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vartesk {

namespace {

// Distinct on screen and on paper, and none of them the red and orange of the permissible
// lines or the grey of the governing states.
constexpr std::uint32_t kPalette[]
    = {0x1f77b4, 0x2ca02c, 0x9467bd, 0x8c564b, 0xe377c2, 0x17becf, 0xbcbd22, 0x393b79};
constexpr size_t kPaletteSize = sizeof kPalette / sizeof kPalette[0];
constexpr std::uint32_t kMaxColor = 0xd62728;
constexpr std::uint32_t kAvgColor = 0xff7f0e;
constexpr std::uint32_t kGoverningColor = 0x606060;
constexpr int kMaxTicks = 8;
// Indexed by the governing state's number: each state a line of its own.
constexpr TLineStyle kStateStyles[]
    = {TLineStyle::Dashed, TLineStyle::Dotted, TLineStyle::DashDot, TLineStyle::Dashed};

void AddSeries(TCurvePlot &plot, std::string name, const TSagGrid &values, double factor)
{
    TPlotSeries s;
    s.Name = std::move(name);
    const size_t n = plot.Series.size();
    s.Color = kPalette[n % kPaletteSize];
    s.Style = (n / kPaletteSize) % 2 == 1 ? TLineStyle::Dashed : TLineStyle::Solid;
    for (size_t k = 0; k < size_t(kSagGridSize); ++k) {
        s.X.push_back(kSagTemperatures[k]);
        s.Y.push_back(values[k] * factor);
    }
    plot.Series.push_back(std::move(s));
}

double StateTemperature(const TProject &project, TGoverningState state)
{
    switch (state) {
    case TGoverningState::AverageTemperature:
        return project.Klimat.Tsrec;
    case TGoverningState::MinimumTemperature:
        return project.Klimat.TMin;
    case TGoverningState::MaximumLoad:
        return project.Klimat.TGsw;
    case TGoverningState::None:
        break;
    }
    return 0;
}

// One vertical line per governing state and temperature, naming the strain sections that
// share it when the plot has more than one.
void AddGoverningMarks(TCurvePlot &plot,
                       const TProject &project,
                       const std::vector<const TSaggingStrainSection *> &shown)
{
    std::map<std::pair<int, double>, std::string> labels;
    for (const TSaggingStrainSection *ss : shown) {
        if (ss->UsesStrings || ss->State == TGoverningState::None)
            continue;
        std::string &l = labels[{int(ss->State), StateTemperature(project, ss->State)}];
        l += (l.empty() ? "" : ", ") + ss->Label;
    }
    for (const auto &[key, sections] : labels) {
        const std::string state = LocalString("Sag_state_" + std::to_string(key.first));
        const std::string t = SignedText(key.second, 1);
        TPlotMark m;
        m.Kind = TPlotMark::Governing;
        m.Value = key.second;
        m.Label = shown.size() > 1
            ? FormatText(LocalString("Curve_governing_of"), {sections, state, t})
            : FormatText(LocalString("Curve_governing"), {state, t});
        m.Color = kGoverningColor;
        m.Style = kStateStyles[key.first];
        plot.Marks.push_back(std::move(m));
    }
}

std::string TensionValue(double daN)
{
    return FixedNumber(daN * ForceFactor(), UnitSystem() == TUnitSystem::DaN ? 0 : 2);
}

void AddPermissibleMarks(TCurvePlot &plot, const TProject &project, const TSaggingStrainSection &ss)
{
    const std::string unit = ForceUnitLabel();
    TPlotMark max;
    max.Value = ss.TensionMax * ForceFactor();
    max.Label
        = FormatText(LocalString("Curve_permissible_max"), {TensionValue(ss.TensionMax), unit});
    max.Color = kMaxColor;
    plot.Marks.push_back(std::move(max));
    TPlotMark avg;
    avg.Value = ss.TensionAvg * ForceFactor();
    avg.Label
        = FormatText(LocalString("Curve_permissible_avg"),
                     {SignedText(project.Klimat.Tsrec, 1), TensionValue(ss.TensionAvg), unit});
    avg.Color = kAvgColor;
    avg.Style = TLineStyle::Dashed;
    plot.Marks.push_back(std::move(avg));
}

} // namespace

std::string ScaleText(double value, int decimals)
{
    const std::string text = FixedNumber(std::abs(value), decimals);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (value < 0 && !zero ? "\u2212" : "") + text;
}

std::string SignedText(double value, int decimals)
{
    std::string text = FixedNumber(std::abs(value), decimals);
    // Trailing zeros say nothing on a tick or a temperature.
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "0")
        return text;
    return (value < 0 ? "\u2212" : "+") + text;
}

TPlotAxis NiceAxis(double lo, double hi, int maxTicks)
{
    if (!(hi > lo))
        hi = lo + std::max(1.0, std::abs(lo) * 0.1);
    const double raw = (hi - lo) / std::max(1, maxTicks);
    TPlotAxis a;
    int decimals = 0;
    const int p = int(std::floor(std::log10(raw)));
    // 2.5 is the one step that needs a decimal more than its power of ten.
    for (const auto &[m, extra] : {std::pair {1.0, 0}, {2.0, 0}, {2.5, 1}, {5.0, 0}, {10.0, -1}}) {
        a.Step = m * std::pow(10.0, p);
        decimals = std::max(0, extra - p);
        // A step a hair below raw by rounding still serves.
        if (a.Step >= raw * (1 - 1e-9))
            break;
    }
    a.Min = std::floor(lo / a.Step + 1e-9) * a.Step;
    a.Max = std::ceil(hi / a.Step - 1e-9) * a.Step;
    a.Decimals = decimals;
    return a;
}

TCurveResult BuildCurvePlot(const TProject &project,
                            const TSaggingSection &section,
                            TConductor conductor,
                            TCurveKind kind)
{
    TCurveResult out;
    TCurvePlot &plot = out.Plot;
    const bool wire = conductor == TConductor::Wire;
    const TSaggingConductor &c = wire ? section.Wire : section.Cord;
    if (c.Error) {
        out.Error = c.Error;
        return out;
    }
    const bool sag = kind == TCurveKind::Sag;
    plot.Title = FormatText(LocalString("Sag_text_section"),
                            {std::to_string(section.Index + 1), section.Name});
    plot.Subtitle = FormatText(LocalString(sag ? "Curve_sag_title" : "Curve_tension_title"),
                               {LocalString(wire ? "Wire" : "Cord"), c.Type});
    plot.X.Label = LocalString("Curve_axis_temperature");
    plot.X.Unit = "\u00b0C";
    plot.X.Min = kSagTemperatures.front();
    plot.X.Max = kSagTemperatures.back();
    plot.X.Step = 10;

    std::vector<const TSaggingStrainSection *> shown;
    const TSaggingStrainSection *calculated = nullptr;
    for (const TSaggingStrainSection &ss : c.StrainSections) {
        if (ss.Error) {
            plot.Notes.push_back(FormatText(LocalString("Calc_left_out"),
                                            {section.Name,
                                             LocalString(wire ? "The_wire_of" : "The_cord_of"),
                                             ss.Label,
                                             *ss.Error}));
            continue;
        }
        calculated = &ss;
        if (!sag) {
            AddSeries(plot,
                      FormatText(LocalString("Curve_strain_section"),
                                 {ss.Label, FixedNumber(ss.RulingSpan, 2)}),
                      ss.Tension,
                      ForceFactor());
            shown.push_back(&ss);
            continue;
        }
        bool any = false;
        for (const TSaggingSpan &span : ss.Spans) {
            if (!span.Attested)
                continue;
            AddSeries(plot,
                      FormatText(LocalString("Sag_text_span"),
                                 {span.From + "-" + span.To, FormatGeneral(span.Length)}),
                      span.Sag,
                      1);
            any = true;
        }
        if (any)
            shown.push_back(&ss);
    }
    if (plot.Series.empty()) {
        if (!calculated)
            out.Error
                = plot.Notes.empty() ? LocalString("Sag_no_strain_section") : plot.Notes.front();
        else
            out.Error = FormatText(LocalString("Curve_no_attested"),
                                   {LocalString(wire ? "Sag_wire_word" : "Sag_cord_word")});
        return out;
    }

    double top = 0, bottom = plot.Series.front().Y.front();
    for (const TPlotSeries &s : plot.Series)
        for (double y : s.Y) {
            top = std::max(top, y);
            bottom = std::min(bottom, y);
        }
    if (!sag) {
        // The limits are the conductor's, the same in every strain section; the curves carry
        // the over-tensioning allowance, as the stringing tables do.
        AddPermissibleMarks(plot, project, *calculated);
        for (const TPlotMark &m : plot.Marks) {
            top = std::max(top, m.Value);
            bottom = std::min(bottom, m.Value);
        }
    }
    AddGoverningMarks(plot, project, shown);
    if (std::any_of(shown.begin(), shown.end(), [](const auto *ss) { return ss->UsesStrings; }))
        plot.Subtitle += "\n" + LocalString("Curve_strings");
    // From zero, unless the curves lie so high that they would be flattened against the top;
    // and room around them, so that none runs along the frame.
    const double room = 0.04 * (top - (bottom > 0.4 * top ? bottom : 0));
    const TPlotAxis y = NiceAxis(bottom > 0.4 * top ? bottom - room : 0, top + room, kMaxTicks);
    plot.Y.Min = y.Min;
    plot.Y.Max = y.Max;
    plot.Y.Step = y.Step;
    plot.Y.Decimals = y.Decimals;
    plot.Y.Label = LocalString(sag ? "Curve_axis_sag" : "Curve_axis_tension");
    plot.Y.Unit = sag ? LocalString("meter") : ForceUnitLabel();
    plot.ValueDecimals = sag || UnitSystem() == TUnitSystem::KN ? 2 : 0;
    return out;
}

TCurveResult CalcCurvePlot(const TProject &project,
                           const TWiresList &catalog,
                           int section,
                           TConductor conductor,
                           TCurveKind kind)
{
    // The calculation writes its work fields into the project it is given.
    TProject copy;
    copy.Assign(project);
    const TSaggingSection s = CalcSectionSagging(copy, catalog, section);
    return BuildCurvePlot(copy, s, conductor, kind);
}

std::string CurvePointText(const TCurvePlot &plot, size_t series, size_t point)
{
    const TPlotSeries &s = plot.Series.at(series);
    return s.Name + "\n" + SignedText(s.X.at(point), 0) + " " + plot.X.Unit + ": "
        + FixedNumber(s.Y.at(point), plot.ValueDecimals) + " " + plot.Y.Unit;
}

} // namespace vartesk
