// vartesk calc: every strain section of a project through the section calculation.
#include "base/message_quote.h"
#include "base/text_format.h"
#include "calc/calc_section.h"
#include "calc/conductor_runs.h"
#include "calc/strain_sections.h"
#include "catalog/working_catalog.h"
#include "cli/calc_output_report.h"
#include "cli/catalog_option.h"
#include "cli/command.h"
#include "cli/project_loading.h"
#include "dampers/calc_dampers.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include <ostream>

namespace vartesk::cli {

namespace {

TDamperConductor DamperConductor(const TVM_SpanData &record)
{
    TDamperConductor d;
    d.Calculated = record.IsCalculated;
    d.TensionAvg = record.TensionAvg;
    d.Dielectric = record.IsDielectric;
    d.Distances = record.Distances;
    d.Types = record.DamperTypes;
    for (const auto &span : record.Spans)
        d.Spans.push_back({span->Name, span->Length, span->Counts, span->HasDampers});
    return d;
}

} // namespace

std::vector<TDamperStrainSection> CalculatedDampers(TProject &project,
                                                    const TWiresList &catalog,
                                                    int section,
                                                    const TDamperMessage &say)
{
    std::vector<TDamperStrainSection> out;
    const TParcel &p = project.Parcels.Get(section);
    if (!p.HasVMCalc())
        return out;
    // Only the damper calculation speaks here: the stringing run of the same strain
    // sections has said all that the section calculation had to say.
    TCalcHooks hooks;
    hooks.Dampers = DampersHook(say);
    for (const TStrainSection &ss : WireStrainSections(p)) {
        TDamperStrainSection d;
        d.First = ss.First;
        d.Last = ss.Last;
        project.SpanDataProvod.Clear();
        project.SpanDataTros.Clear();
        if (p.IsVMCalcProvod) {
            CalcSection(project, catalog, TCalcMode::Dampers, section, TConductor::Wire, ss, hooks);
            d.Wire = DamperConductor(project.SpanDataProvod);
        }
        if (p.IsVMCalcTros) {
            CalcSection(project, catalog, TCalcMode::Dampers, section, TConductor::Cord, ss, hooks);
            d.Cord = DamperConductor(project.SpanDataTros);
        }
        out.push_back(std::move(d));
    }
    return out;
}

std::string OneLine(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else if (text[i] == '\n' || text[i] == '\r') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

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

class TRunner
{
public:
    TRunner(TProject &project, std::ostream &err)
        : Project(project)
        , Err(err)
    { }

    TCalcReport Run()
    {
        TCalcReport report;
        for (int i = 0; i < Project.Parcels.Count(); ++i) {
            const TParcel &p = Project.Parcels.Get(i);
            TSectionRun s;
            s.Index = i;
            s.Name = p.Name;
            if (p.IsProvod)
                s.Wire = Conductor(i, TConductor::Wire);
            if (p.IsTros)
                s.Cord = Conductor(i, TConductor::Cord);
            s.Dampers = CalculatedDampers(
                Project, WireCatalog(), i, [&](TCalcMessageKind, const std::string &text) {
                    Err << "vartesk: warning: " << OneLine(text) << "\n";
                });
            report.Sections.push_back(std::move(s));
        }
        return report;
    }

private:
    TConductorRun Conductor(int section, TConductor conductor)
    {
        // Boxes name the call they come from: a project gives many of them at once.
        const auto say
            = [&](const std::string &label, TCalcMessageKind kind, const std::string &text) {
                  const std::string where
                      = FormatText(LocalString(conductor == TConductor::Wire ? "Cli_where_wire"
                                                                             : "Cli_where_cord"),
                                   {std::to_string(section + 1), label})
                      + ": ";
                  Err << "vartesk: " << (kind == TCalcMessageKind::Error ? "error: " : "warning: ")
                      << where << OneLine(text) << "\n";
              };
        return CalcConductorRun(Project, WireCatalog(), section, conductor, say);
    }

    TProject &Project;
    std::ostream &Err;
};

int RunCalc(TCommandContext &c)
{
    const TFormat format = ParseFormat(c.Args.TakeOption("--format"));
    const auto args = c.Args.Positional(1, 1);
    TProject project;
    LoadProject(args[0], project, c.Err);
    std::vector<std::string> warnings = WarnAboutProject(project, c.Err);
    UseCatalogFor(c.Global, c.Err);
    for (auto &warning : WarnAboutSags(project, c.Err))
        warnings.push_back(std::move(warning));
    // A type missing from the catalog is reported by the call that needs it; the other
    // strain sections are still worth printing, so there is no catalog check up front.
    TCalcReport report = TRunner(project, c.Err).Run();
    report.Warnings = std::move(warnings);
    switch (format) {
    case TFormat::Text:
        WriteCalcText(c.Out, report);
        break;
    case TFormat::Csv:
        WriteCalcCsv(c.Out, report);
        break;
    case TFormat::Json:
        WriteCalcJson(c.Out, report);
        break;
    }
    return 0;
}

const TCommandRegistrar kCalc {{
    "calc",
    "calculate every strain section: loads, state, stresses, sags, tensions",
    "Usage: vartesk calc PROJECT.vsk [--catalog PATH] [--format text|csv|json]\n\n"
    "Calculates the wire and the cord of every strain section at -40..+40 C.\n"
    "  text  stringing tables in the language and units of --lang and --units (default)\n"
    "  csv   one row per span: section, conductor, strain section, span, length,\n"
    "        attested, nine sags (m) and nine tensions (in the units of --units)\n"
    "  json  one document with everything calculated, in daN, daN/mm2, m and mm\n"
    "        whatever --units says\n\n"
    "Doubtful values of the project (a negative span, say) are warned about first, on\n"
    "stderr and in the JSON's \"warnings\"; nothing is refused for them.\n"
    "The calculation's messages go to stderr (and into the JSON). The exit code is 0\n"
    "whenever the project loaded, even if some strain sections could not be calculated.\n",
    RunCalc,
}};

} // namespace

} // namespace vartesk::cli
