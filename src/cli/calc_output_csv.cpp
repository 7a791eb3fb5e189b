// vartesk calc --format csv: one row per span for spreadsheets and scripts.
#include "cli/calc_output_report.h"

#include "base/number_text.h"
#include "base/text_formats.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"

#include <ostream>

namespace vartesk::cli {

namespace {

std::string TemperatureSuffix(double t)
{
    return (t > 0 ? "+" : "") + FormatGeneral(t);
}

void WriteHeader(std::ostream &out)
{
    const std::string force = ForceUnitName();
    out << "section,conductor,strain_section,span,length (m),attested";
    for (double t : kTemperatureGrid)
        out << ",sag" << TemperatureSuffix(t) << " (m)";
    for (double t : kTemperatureGrid)
        out << ",tension" << TemperatureSuffix(t) << " (" << force << ")";
    out << "\r\n";
}

void WriteConductor(std::ostream &out,
                    const TSectionRun &section,
                    const char *conductor,
                    const std::optional<TConductorRun> &run)
{
    if (!run)
        return;
    for (const auto &ss : run->StrainSections) {
        for (const auto &span : ss.Result.Spans) {
            out << CsvField(section.Name) << ',' << conductor << ',' << CsvField(ss.Label) << ','
                << CsvField(span.From + "-" + span.To) << ',' << RoundTripNumber(span.Length) << ','
                << (span.Attested ? 1 : 0);
            for (double f : span.Sag)
                out << ',' << RoundTripNumber(f);
            for (double t : span.Tension)
                out << ',' << RoundTripNumber(t * ForceFactor());
            out << "\r\n";
        }
    }
}

} // namespace

void WriteCalcCsv(std::ostream &out, const TCalcReport &report)
{
    WriteHeader(out);
    for (const auto &section : report.Sections) {
        WriteConductor(out, section, "wire", section.Wire);
        WriteConductor(out, section, "cord", section.Cord);
    }
}

} // namespace vartesk::cli
