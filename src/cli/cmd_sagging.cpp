// vartesk sagging: the figures of the field sagging sheet as text, CSV or JSON.
#include "base/json_writer.h"
#include "base/message_quote.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "base/text_formats.h"
#include "base/utf8.h"
#include "calc/sagging_grid.h"
#include "catalog/working_catalog.h"
#include "cli/calc_output_report.h"
#include "cli/catalog_option.h"
#include "cli/command.h"
#include "cli/project_loading.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/sagging_report.h"

#include <algorithm>
#include <ostream>

namespace vartesk::cli {

namespace {

enum class TFormat { Text, Csv, Json };

TFormat ParseFormat(const std::optional<std::string> &value)
{
    if (!value || *value == "text")
        return TFormat::Text;
    if (*value == "csv")
        return TFormat::Csv;
    if (*value == "json")
        return TFormat::Json;
    throw EUsageError("--format must be text, csv or json, not " + QuoteForMessage(*value));
}

std::string TemperatureText(double t)
{
    return (t > 0 ? "+" : "") + FormatGeneral(t);
}

// As the workbook's number formats show them.
std::string TensionText(double t)
{
    return FixedNumber(t * ForceFactor(), UnitSystem() == TUnitSystem::DaN ? 0 : 2);
}

// ---- text ----

struct TColumns
{
    size_t Label = 0;
    size_t Number = 7;
};

void Row(std::ostream &out,
         const TColumns &w,
         const std::string &label,
         const TSagGrid &values,
         std::string (*text)(double))
{
    out << "      " << PadRight(label, w.Label);
    for (double v : values)
        out << PadLeft(text(v), w.Number);
    out << "\n";
}

std::string Sag(double f)
{
    return FixedNumber(f, 2);
}

std::string Seconds(double t)
{
    return FixedNumber(t, 1);
}

TColumns Widths(const TSaggingStrainSection &ss, const std::vector<std::string> &labels)
{
    TColumns w;
    for (const auto &label : labels)
        w.Label = std::max(w.Label, Utf8Length(label) + 2);
    const auto widen = [&](const std::string &cell) {
        w.Number = std::max(w.Number, Utf8Length(cell) + 1);
    };
    for (size_t k = 0; k < size_t(kSagGridSize); ++k) {
        widen(TensionText(ss.Tension[k]));
        for (const auto &span : ss.Spans) {
            widen(Sag(span.Sag[k]));
            widen(Seconds(span.WaveTime3[k]));
        }
    }
    return w;
}

void WriteText(std::ostream &out, const std::vector<TSaggingSection> &sections)
{
    bool first = true;
    for (const TSaggingSection &s : sections) {
        if (!first)
            out << "\n";
        first = false;
        out << FormatText(LocalString("Sag_text_section"), {std::to_string(s.Index + 1), s.Name})
            << "\n";
        for (const TSaggingConductor *c : {&s.Wire, &s.Cord}) {
            out << "  " << LocalString(c == &s.Wire ? "Wire" : "Cord");
            if (c->Carried)
                out << " " << c->Type;
            out << "\n";
            if (c->Error) {
                out << "    ! " << OneLine(*c->Error) << "\n";
                continue;
            }
            for (const TSaggingStrainSection &ss : c->StrainSections) {
                out << "    "
                    << FormatText(LocalString("Sag_text_strain_section"),
                                  {ss.Label,
                                   FixedNumber(ss.RulingSpan, 2),
                                   SaggingStateText(ss.UsesStrings, int(ss.State))})
                    << "\n";
                if (ss.Error) {
                    out << "      ! " << OneLine(*ss.Error) << "\n";
                    continue;
                }
                const std::string temperature = LocalString("Sag_text_temperature");
                const std::string tension
                    = FormatText(LocalString("Sag_text_tension"), {ForceUnitLabel()});
                const std::string sag = "  " + LocalString("Sag_text_sag");
                const std::string time = "  " + LocalString("Sag_text_time");
                const TColumns w = Widths(ss, {temperature, tension, sag, time});
                TSagGrid temperatures {};
                std::copy(kSagTemperatures.begin(), kSagTemperatures.end(), temperatures.begin());
                Row(out, w, temperature, temperatures, TemperatureText);
                Row(out, w, tension, ss.Tension, TensionText);
                for (const TSaggingSpan &span : ss.Spans) {
                    out << "      "
                        << FormatText(LocalString("Sag_text_span"),
                                      {span.From + "-" + span.To, FormatGeneral(span.Length)})
                        << "\n";
                    Row(out, w, sag, span.Sag, Sag);
                    Row(out, w, time, span.WaveTime3, Seconds);
                }
            }
        }
    }
}

// ---- CSV: one row per span ----

void WriteCsv(std::ostream &out, const std::vector<TSaggingSection> &sections)
{
    out << "section,conductor,strain_section,span,length (m)";
    for (double t : kSagTemperatures)
        out << ",tension" << TemperatureText(t) << " (" << ForceUnitName() << ")";
    for (double t : kSagTemperatures)
        out << ",sag" << TemperatureText(t) << " (m)";
    for (double t : kSagTemperatures)
        out << ",t3" << TemperatureText(t) << " (s)";
    out << "\r\n";
    for (const TSaggingSection &s : sections)
        for (const TSaggingConductor *c : {&s.Wire, &s.Cord})
            for (const TSaggingStrainSection &ss : c->StrainSections)
                for (const TSaggingSpan &span : ss.Spans) {
                    out << CsvField(s.Name) << ',' << (c == &s.Wire ? "wire" : "cord") << ','
                        << CsvField(ss.Label) << ',' << CsvField(span.From + "-" + span.To) << ','
                        << RoundTripNumber(span.Length);
                    for (double t : ss.Tension)
                        out << ',' << RoundTripNumber(t * ForceFactor());
                    for (double f : span.Sag)
                        out << ',' << RoundTripNumber(f);
                    for (double t : span.WaveTime3)
                        out << ',' << RoundTripNumber(t);
                    out << "\r\n";
                }
}

// ---- JSON, in internal units ----

void WriteStrainSection(TJsonWriter &w, const TSaggingStrainSection &ss)
{
    w.BeginObject();
    w.Key("label");
    w.String(ss.Label);
    w.Key("first");
    w.Int(ss.First);
    w.Key("last");
    w.Int(ss.Last);
    if (ss.Error) {
        w.Key("error");
        w.String(*ss.Error);
        w.EndObject();
        return;
    }
    w.Key("ruling_span");
    w.Number(ss.RulingSpan);
    w.Key("state");
    if (ss.UsesStrings || ss.State == TGoverningState::None)
        w.Null();
    else
        w.Int(int(ss.State));
    w.Key("insulator_strings");
    w.Bool(ss.UsesStrings);
    w.Key("temperatures");
    w.BeginArray(true);
    for (double t : kSagTemperatures)
        w.Int((long long)t);
    w.EndArray();
    w.Key("tension");
    w.Numbers(ss.Tension);
    w.Key("spans");
    w.BeginArray();
    for (const TSaggingSpan &span : ss.Spans) {
        w.BeginObject();
        w.Key("from");
        w.String(span.From);
        w.Key("to");
        w.String(span.To);
        w.Key("length");
        w.Number(span.Length);
        w.Key("sag");
        w.Numbers(span.Sag);
        w.Key("wave_time_3");
        w.Numbers(span.WaveTime3);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

void WriteConductor(TJsonWriter &w, const TSaggingConductor &c)
{
    w.BeginObject();
    w.Key("type");
    w.String(c.Carried ? c.Type : std::string());
    if (c.Error) {
        w.Key("error");
        w.String(*c.Error);
    } else {
        w.Key("strain_sections");
        w.BeginArray();
        for (const TSaggingStrainSection &ss : c.StrainSections)
            WriteStrainSection(w, ss);
        w.EndArray();
    }
    w.EndObject();
}

void WriteJson(std::ostream &out,
               const std::vector<std::string> &warnings,
               const std::vector<TSaggingSection> &sections)
{
    TJsonWriter w(out);
    w.BeginObject();
    w.Key("warnings");
    w.BeginArray();
    for (const auto &warning : warnings)
        w.String(warning);
    w.EndArray();
    w.Key("sections");
    w.BeginArray();
    for (const TSaggingSection &s : sections) {
        w.BeginObject();
        w.Key("index");
        w.Int(s.Index);
        w.Key("name");
        w.String(s.Name);
        w.Key("wire");
        WriteConductor(w, s.Wire);
        w.Key("cord");
        WriteConductor(w, s.Cord);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    w.Finish();
}

int Run(TCommandContext &c)
{
    const TFormat format = ParseFormat(c.Args.TakeOption("--format"));
    const auto args = c.Args.Positional(1, 1);
    TProject project;
    LoadProject(args[0], project, c.Err);
    std::vector<std::string> warnings = WarnAboutProject(project, c.Err);
    UseCatalogFor(c.Global, c.Err);
    for (auto &warning : WarnAboutSags(project, c.Err))
        warnings.push_back(std::move(warning));
    // Boxes name the call they come from: a project gives many of them at once.
    const auto say = [&](int section,
                         TConductor conductor,
                         const std::string &label,
                         TCalcMessageKind kind,
                         const std::string &text) {
        c.Err << "vartesk: " << (kind == TCalcMessageKind::Error ? "error: " : "warning: ")
              << LocalString("Sag_section_word") << " " << section + 1 << ", "
              << LocalString(conductor == TConductor::Wire ? "Sag_wire_word" : "Sag_cord_word")
              << " " << label << ": " << OneLine(text) << "\n";
    };
    const std::vector<TSaggingSection> sections = CalcSagging(project, WireCatalog(), say);
    switch (format) {
    case TFormat::Text:
        WriteText(c.Out, sections);
        break;
    case TFormat::Csv:
        WriteCsv(c.Out, sections);
        break;
    case TFormat::Json:
        WriteJson(c.Out, warnings, sections);
        break;
    }
    return 0;
}

const TCommandRegistrar kSagging {{
    "sagging",
    "sags and return-wave times of every span at -40..+40 C in steps of 5 C",
    "Usage: vartesk sagging PROJECT.vsk [--catalog PATH] [--format text|csv|json]\n\n"
    "For every strain section of the wire and the cord: the ruling span, the governing\n"
    "state, the tension at -40..+40 C in steps of 5 C and, for every span, the sag and the\n"
    "stopwatch time of three return waves t3 = 3 sqrt(32 f / g), g = 9.80665 m/s2. At\n"
    "-40, -30, ..., +40 C the figures are those of the stringing tables (report mount2).\n"
    "The same as the workbook `vartesk report sagging`.\n"
    "  text  in the language and units of --lang and --units (default)\n"
    "  csv   one row per span: section, conductor, strain section, span, length,\n"
    "        17 tensions (in the units of --units), 17 sags (m), 17 times (s)\n"
    "  json  one document in daN and m whatever --units says; a conductor the section\n"
    "        does not carry, or a strain section that cannot be calculated, has \"error\"\n"
    "        instead of figures\n\n"
    "Doubtful values of the project are warned about first, on stderr and in the JSON's\n"
    "\"warnings\"; so are spans longer than 1000 m and sags above 5% of their span at\n"
    "+40 C. The calculation's messages go to stderr. The exit code is 0 whenever the\n"
    "project loaded.\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
