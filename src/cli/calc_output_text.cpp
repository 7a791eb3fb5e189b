// vartesk calc --format text: the stringing tables as the designer reads them.
#include "cli/calc_output_report.h"

#include "base/number_text.h"
#include "base/text_formats.h"
#include "base/utf8.h"
#include "l10n/language.h"
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

const char *Say(const char *english, const char *russian)
{
    return IsEnglish() ? english : russian;
}

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
    return IsImaginarySpan(l) ? Say("imaginary", "мнимый") : FixedNumber(l, 2);
}

std::string StateText(const TCalcResult &r)
{
    switch (r.State) {
    case TGoverningState::AverageTemperature:
        return Say("1 (average annual temperature)", "1 (среднегодовая температура)");
    case TGoverningState::MinimumTemperature:
        return Say("2 (minimum temperature)", "2 (низшая температура)");
    case TGoverningState::MaximumLoad:
        return Say("3 (maximum load)", "3 (наибольшая нагрузка)");
    case TGoverningState::None:
        break;
    }
    return Say("none", "не найдено");
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
    return std::string(Say("Tension", "Тяжение")) + ", " + ForceUnitLabel();
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
    const size_t spanned = w.Label + w.Length + 2 + Utf8Length(Say("Att.", "Виз."));
    const size_t label = Utf8Length(TensionLabel()) + 1;
    if (label > spanned)
        w.Label += label - spanned;
    return w;
}

void WriteGridHeading(std::ostream &out, const TGridWidths &w)
{
    out << "      " << PadRight(Say("Span", "Пролёт"), w.Label)
        << PadLeft(Say("Length", "Длина"), w.Length) << "  " << Say("Att.", "Виз.");
    for (double t : kTemperatureGrid)
        out << PadLeft(TemperatureHeading(t), w.Number);
    out << "\n";
}

void WriteStrainSection(std::ostream &out, const TStrainSectionRun &run)
{
    const TCalcResult &r = run.Result;
    out << "    " << Say("Strain section", "Анкерный участок") << " " << run.Label << ": "
        << Say("length", "длина") << " " << FormatGeneral(r.Length) << " " << LocalString("meter")
        << ", " << Say("ruling span", "приведённый пролёт") << " " << FixedNumber(r.RulingSpan, 2)
        << " " << LocalString("meter") << "\n";
    if (r.TypeFound)
        out << "      σmax " << FormatGeneral(r.StressMax * StressFactor()) << ", σavg "
            << FormatGeneral(r.StressAvg * StressFactor()) << " " << StressUnitLabel() << "; "
            << Say("ice", "гололёд") << " " << FixedNumber(r.Ice, 2) << " " << LocalString("mm")
            << "\n";
    if (r.Critical)
        out << "      " << Say("Critical spans", "Критические пролёты") << ", "
            << LocalString("meter") << ": l1 " << CriticalSpanText(r.Critical->L1) << ", l2 "
            << CriticalSpanText(r.Critical->L2) << ", l3 " << CriticalSpanText(r.Critical->L3)
            << "; " << Say("governing state", "исходный режим") << " " << StateText(r)
            << (r.UsesStrings ? Say(" (spans with insulator strings follow their own)",
                                    " (пролёты с гирляндами рассчитываются по своему)")
                              : "")
            << "\n";
    if (!r.Spans.empty()) {
        out << "      " << Say("Sags", "Стрелы провеса") << ", " << LocalString("meter") << ", "
            << Say("at", "при") << " C:\n";
        const TGridWidths w = GridWidths(r);
        WriteGridHeading(out, w);
        for (const auto &span : r.Spans) {
            out << "      " << PadRight(SpanLabel(span), w.Label)
                << PadLeft(FormatGeneral(span.Length), w.Length) << "  "
                << PadRight(span.Attested ? "V" : "", Utf8Length(Say("Att.", "Виз.")));
            for (double f : span.Sag)
                out << PadLeft(FixedNumber(f, 2), w.Number);
            out << "\n";
        }
        out << "      "
            << PadRight(TensionLabel(), w.Label + w.Length + 2 + Utf8Length(Say("Att.", "Виз.")));
        for (double t : r.Tension)
            out << PadLeft(TensionText(t), w.Number);
        out << "\n";
    }
    for (const auto &message : r.Messages)
        out << "      ! " << OneLine(message) << "\n";
}

void WriteConductor(std::ostream &out,
                    const char *english,
                    const char *russian,
                    const TConductorRun &conductor)
{
    out << "  " << Say(english, russian) << " " << conductor.Type << "\n";
    if (conductor.StrainSections.empty())
        out << "    " << Say("no strain sections", "нет анкерных участков") << "\n";
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
        out << Say("Section", "Участок") << " " << section.Index + 1 << ". " << section.Name
            << "\n";
        if (section.Wire)
            WriteConductor(out, "Wire", "Провод", *section.Wire);
        if (section.Cord)
            WriteConductor(out, "Cord", "Трос", *section.Cord);
    }
}

} // namespace vartesk::cli
