// vartesk calc --format text: the stringing tables as the designer reads them.
#include "cli/calc_output_report.h"

#include "base/number_text.h"
#include "base/text_formats.h"
#include "base/utf8.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"
#include "mechanics/critical_spans.h"

#include <algorithm>
#include <ostream>

namespace vartesk::cli {

namespace {

constexpr size_t kLabelWidth = 14;
constexpr size_t kNumberWidth = 9;

// A kN is a hundred daN: three decimals there keep the precision of one in daN.
int TensionDecimals()
{
    return UnitSystem() == TUnitSystem::DaN ? 1 : 3;
}

std::string TemperatureHeading(double t)
{
    return (t > 0 ? "+" : "") + FormatGeneral(t);
}

std::string CriticalSpanText(double l)
{
    return IsImaginarySpan(l) ? LocalString("Cli_imaginary") : FixedNumber(l, 2);
}

std::string StateText(const TCalcResult &r)
{
    switch (r.State) {
    case TGoverningState::AverageTemperature:
        return "1 (" + LocalString("Sag_state_1") + ")";
    case TGoverningState::MinimumTemperature:
        return "2 (" + LocalString("Sag_state_2") + ")";
    case TGoverningState::MaximumLoad:
        return "3 (" + LocalString("Sag_state_3") + ")";
    case TGoverningState::None:
        break;
    }
    return LocalString("Cli_state_none");
}

// Column widths of one grid: the usual ones, widened so that even a number no one meant
// (a span of a million metres, a tension of 1E20) keeps a blank before it.
struct TGridWidths
{
    size_t Label = kLabelWidth;
    size_t Length = kNumberWidth;
    size_t Number = kNumberWidth;
};

std::string SpanLabel(const TSpanResult &span)
{
    return span.From + "-" + span.To;
}

std::string TensionLabel()
{
    return LocalString("Cli_tension") + ", " + ForceUnitLabel();
}

std::string TensionText(double t)
{
    return FixedNumber(t * ForceFactor(), TensionDecimals());
}

size_t Widened(size_t width, const std::string &cell)
{
    return std::max(width, Utf8Length(cell) + 1);
}

TGridWidths GridWidths(const TCalcResult &r)
{
    TGridWidths w;
    for (double t : kTemperatureGrid)
        w.Number = Widened(w.Number, TemperatureHeading(t));
    for (const auto &span : r.Spans) {
        w.Label = Widened(w.Label, SpanLabel(span));
        w.Length = Widened(w.Length, FormatGeneral(span.Length));
        for (double f : span.Sag)
            w.Number = Widened(w.Number, FixedNumber(f, 2));
    }
    for (double t : r.Tension)
        w.Number = Widened(w.Number, TensionText(t));
    // The tension row's label spans the label, length and attestation columns.
    const size_t spanned = w.Label + w.Length + 2 + Utf8Length(LocalString("Cli_attested"));
    const size_t label = Utf8Length(TensionLabel()) + 1;
    if (label > spanned)
        w.Label += label - spanned;
    return w;
}

void WriteGridHeading(std::ostream &out, const TGridWidths &w)
{
    out << "      " << PadRight(LocalString("Cli_span"), w.Label)
        << PadLeft(LocalString("Cli_length_heading"), w.Length) << "  "
        << LocalString("Cli_attested");
    for (double t : kTemperatureGrid)
        out << PadLeft(TemperatureHeading(t), w.Number);
    out << "\n";
}

void WriteStrainSection(std::ostream &out, const TStrainSectionRun &run)
{
    const TCalcResult &r = run.Result;
    out << "    " << LocalString("Cli_strain_section") << " " << run.Label << ": "
        << LocalString("Cli_length") << " " << FormatGeneral(r.Length) << " "
        << LocalString("meter") << ", " << LocalString("Cli_ruling_span") << " "
        << FixedNumber(r.RulingSpan, 2) << " " << LocalString("meter") << "\n";
    if (r.TypeFound)
        out << "      σmax " << FormatGeneral(r.StressMax * StressFactor()) << ", σavg "
            << FormatGeneral(r.StressAvg * StressFactor()) << " " << StressUnitLabel() << "; "
            << LocalString("Cli_ice") << " " << FixedNumber(r.Ice, 2) << " " << LocalString("mm")
            << "\n";
    if (r.Critical)
        out << "      " << LocalString("Cli_critical_spans") << ", " << LocalString("meter")
            << ": l1 " << CriticalSpanText(r.Critical->L1) << ", l2 "
            << CriticalSpanText(r.Critical->L2) << ", l3 " << CriticalSpanText(r.Critical->L3)
            << "; " << LocalString("Cli_governing_state") << " " << StateText(r)
            << (r.UsesStrings ? " (" + LocalString("Cli_strings_own") + ")" : "") << "\n";
    if (!r.Spans.empty()) {
        out << "      " << LocalString("Cli_sags") << ", " << LocalString("meter") << ", "
            << LocalString("Cli_at") << " C:\n";
        const TGridWidths w = GridWidths(r);
        WriteGridHeading(out, w);
        for (const auto &span : r.Spans) {
            out << "      " << PadRight(SpanLabel(span), w.Label)
                << PadLeft(FormatGeneral(span.Length), w.Length) << "  "
                << PadRight(span.Attested ? "V" : "", Utf8Length(LocalString("Cli_attested")));
            for (double f : span.Sag)
                out << PadLeft(FixedNumber(f, 2), w.Number);
            out << "\n";
        }
        out << "      "
            << PadRight(TensionLabel(),
                        w.Label + w.Length + 2 + Utf8Length(LocalString("Cli_attested")));
        for (double t : r.Tension)
            out << PadLeft(TensionText(t), w.Number);
        out << "\n";
    }
    for (const auto &message : r.Messages)
        out << "      ! " << OneLine(message) << "\n";
}

void WriteConductor(std::ostream &out, const char *key, const TConductorRun &conductor)
{
    out << "  " << LocalString(key) << " " << conductor.Type << "\n";
    if (conductor.StrainSections.empty())
        out << "    " << LocalString("Cli_no_strain_sections") << "\n";
    for (const auto &run : conductor.StrainSections)
        WriteStrainSection(out, run);
}

} // namespace

void WriteCalcText(std::ostream &out, const TCalcReport &report)
{
    bool first = true;
    for (const auto &section : report.Sections) {
        if (!first)
            out << "\n";
        first = false;
        out << LocalString("Cli_section") << " " << section.Index + 1 << ". " << section.Name
            << "\n";
        if (section.Wire)
            WriteConductor(out, "Wire", *section.Wire);
        if (section.Cord)
            WriteConductor(out, "Cord", *section.Cord);
    }
}

} // namespace vartesk::cli
