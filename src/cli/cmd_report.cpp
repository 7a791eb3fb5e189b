// vartesk report: the stringing tables, the loads on the anchor supports and the journal of
// supports as workbooks.
#include "catalog/working_catalog.h"
#include "cli/catalog_option.h"
#include "cli/cli_port.h"
#include "cli/command.h"
#include "cli/project_loading.h"
#include "l10n/folders.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/cad_command.h"
#include "reports/damper_report.h"
#include "reports/journal_report.h"
#include "reports/line_scheme.h"
#include "reports/output_command.h"
#include "reports/sagging_report.h"
#include "reports/stringing_report.h"

#include <functional>
#include <ostream>
#include <system_error>
#include <vector>

namespace vartesk::cli {

namespace {

using TWriter = std::function<TReportOutcome(TProject &,
                                             const std::filesystem::path &forms,
                                             const std::filesystem::path &target,
                                             TMessages &,
                                             TWaitScope *)>;

TWriter Stringing(TStringingReport report)
{
    return [report](TProject &project,
                    const auto &forms,
                    const auto &target,
                    auto &messages,
                    TWaitScope *wait) {
        return WriteStringingReport(report, project, WireCatalog(), forms, target, messages, wait);
    };
}

TReportOutcome Journal(TProject &project,
                       const std::filesystem::path &forms,
                       const std::filesystem::path &target,
                       TMessages &messages,
                       TWaitScope *wait)
{
    return WriteJournal(project, WireCatalog(), forms, target, messages, wait);
}

TReportOutcome Dampers(TProject &project,
                       const std::filesystem::path &forms,
                       const std::filesystem::path &target,
                       TMessages &messages,
                       TWaitScope *wait)
{
    return WriteDamperReport(project, WireCatalog(), forms, target, messages, wait);
}

struct TKind
{
    const char *Name;
    TWriter Write;
    int StepsPerSection; // of the wait window
    bool IsDampers = false; // no catalog check; in `all` only when the project asks for it
};

// clang-format off
const TKind kKinds[] = {
    {"mount1",  Stringing(TStringingReport::Form1),     2},
    {"mount2",  Stringing(TStringingReport::Form1Full), 2},
    {"mount3",  Stringing(TStringingReport::Form2),     2},
    {"loads",   Stringing(TStringingReport::Loads),     2},
    {"journal", Journal,                                1},
    {"dampers", Dampers,                                1, true},
    {"sagging", [](TProject &p, const auto &forms, const auto &target, auto &messages, auto *wait) {
         return WriteSaggingReport(p, WireCatalog(), forms, target, messages, wait); }, 1},
};
// clang-format on

// `report all`: every workbook and the scheme into one folder, named after the project. The
// frame's check and question come once; each output then starts from the project as loaded,
// since the journal and the scheme set the last spans to 0 as they go. What failed is listed
// at the end; what was written stays.
int RunAll(TCommandContext &c,
           const std::string &projectPath,
           const std::filesystem::path &outputFolder,
           const std::filesystem::path &forms,
           bool yes)
{
    TProject loaded;
    LoadProject(projectPath, loaded, c.Err);
    WarnAboutProject(loaded, c.Err);
    UseCatalogFor(c.Global, c.Err);
    std::error_code ec;
    std::filesystem::create_directories(outputFolder, ec);
    if (!std::filesystem::is_directory(outputFolder, ec))
        throw std::runtime_error(outputFolder.string() + " is not a folder that can be written");
    std::string base = SchemeProposedName(projectPath);
    if (base.empty())
        base = "project";

    TCliPort cli(c.Global, c.Err, yes, outputFolder);
    TUserPort port = cli.Port();
    struct TOutput
    {
        std::string File;
        std::function<TReportOutcome(TProject &, const std::filesystem::path &, TWaitScope &)>
            Write;
    };
    const auto wanted = [&](const TKind &k) {
        return !k.IsDampers || loaded.VMData.IsVibroMuffles;
    };
    std::vector<TOutput> outputs;
    for (const TKind &k : kKinds)
        if (wanted(k))
            outputs.push_back(
                {base + "-" + k.Name + ".xls", [&](TProject &p, const auto &target, TWaitScope &w) {
                     return k.Write(p, forms, target, port.Messages, &w);
                 }});
    outputs.push_back({base + ".dxf", [&](TProject &p, const auto &target, TWaitScope &w) {
                           const TSchemeOutcome scheme
                               = ExportScheme(p, WireCatalog(), target, port.Messages, &w);
                           return TReportOutcome {scheme.Written, scheme.Complete};
                       }});

    int steps = 0;
    for (const TKind &k : kKinds)
        if (wanted(k))
            steps += k.StepsPerSection * loaded.Parcels.Count();
    steps += SchemeSteps(loaded);

    TOutputCommand command;
    command.WaitText = LocalString("Port_to_Excel");
    command.Steps = steps;
    command.Inputs = ProtectedInputs(c.Global, {{projectPath, TInputFile::Project}});
    std::vector<std::string> failed;
    const auto done = RunOutputCommand(
        loaded, WireCatalog(), port, command, [&](const auto &folder, TWaitScope &wait) {
            int written = 0;
            for (const TOutput &o : outputs) {
                TProject project;
                project.Assign(loaded);
                const auto target = folder / o.File;
                // A project named like an output ("demo.dxf") stays the project.
                const TReportOutcome outcome = TargetIsFree(target, command.Inputs, port.Messages)
                    ? o.Write(project, target, wait)
                    : TReportOutcome {};
                if (outcome.Written) {
                    ++written;
                    c.Out << target.string() << "\n";
                }
                if (!outcome.Written)
                    failed.push_back(o.File + " (not written)");
                else if (!outcome.Complete)
                    failed.push_back(o.File + " (incomplete)");
            }
            return written > 0;
        });
    if (!done && cli.Declined())
        throw std::runtime_error("nothing was written: the question was answered No");
    if (!failed.empty()) {
        std::string list;
        for (const auto &f : failed)
            list += (list.empty() ? "" : ", ") + f;
        throw std::runtime_error("not everything was written: " + list);
    }
    if (!done)
        throw std::runtime_error("nothing was written");
    return 0;
}

int Run(TCommandContext &c)
{
    const auto output = c.Args.TakeOption("-o");
    const auto forms = c.Args.TakeOption("--forms");
    const bool yes = c.Args.TakeFlag("--yes");
    const auto args = c.Args.Positional(2, 2);
    if (args[0] == "all") {
        if (!output)
            throw EUsageError("report all needs -o FOLDER");
        return RunAll(
            c, args[1], *output, forms ? std::filesystem::path(*forms) : FormsFolder(), yes);
    }
    const TKind *kind = nullptr;
    for (const TKind &k : kKinds)
        if (args[0] == k.Name)
            kind = &k;
    if (!kind)
        throw EUsageError("unknown report '" + args[0]
                          + "'; mount1, mount2, mount3, loads, journal, dampers, sagging or all");
    if (!output)
        throw EUsageError("report needs -o OUT.xls");

    TProject project;
    LoadProject(args[1], project, c.Err);
    WarnAboutProject(project, c.Err);
    UseCatalogFor(c.Global, c.Err);

    TCliPort cli(c.Global, c.Err, yes, *output);
    TUserPort port = cli.Port();
    TOutputCommand command;
    command.CheckTypes = !kind->IsDampers;
    command.Save = {"", "*.xls|*.xls", "xls", "*.xls", {}};
    command.WaitText = LocalString("Port_to_Excel");
    command.Steps = kind->StepsPerSection * project.Parcels.Count();
    command.Inputs = ProtectedInputs(c.Global, {{args[1], TInputFile::Project}});
    const std::filesystem::path folder = forms ? std::filesystem::path(*forms) : FormsFolder();
    bool complete = false;
    const auto written = RunOutputCommand(
        project, WireCatalog(), port, command, [&](const auto &target, TWaitScope &wait) {
            const TReportOutcome outcome
                = kind->Write(project, folder, target, port.Messages, &wait);
            complete = outcome.Complete;
            return outcome.Written;
        });
    if (!written) {
        if (cli.Declined())
            throw std::runtime_error("nothing was written: the question was answered No");
        throw std::runtime_error("nothing was written");
    }
    c.Out << written->string() << "\n";
    return complete ? 0 : 1;
}

const TCommandRegistrar kReport {{
    "report",
    "write a stringing-table, anchor-load, support-journal, damper or sagging workbook",
    "Usage: vartesk report mount1|mount2|mount3|loads|journal|dampers|sagging PROJECT.vsk\n"
    "                      -o OUT.xls [--forms DIR] [--yes]\n"
    "       vartesk report all PROJECT.vsk -o FOLDER [--forms DIR] [--yes]\n\n"
    "  mount1   stringing tables, form 1, -30..+40 C\n"
    "  mount2   stringing tables, form 1, -40..+40 C\n"
    "  mount3   stringing tables, form 2 (compact), -30..+30 C\n"
    "  loads    loads of the wire and the cord on the anchor supports\n"
    "  journal  journal of supports: pickets, angles, equivalent spans, crossings and\n"
    "           notes, wire and cord lengths (the template has no unit variants)\n"
    "  dampers  vibration dampers of the sections whose damper calculation is on:\n"
    "           positions (distance from the clamp in cm, type), the spans that need\n"
    "           dampers and the totals by type; a project in which no section has it on\n"
    "           writes nothing\n"
    "  sagging  field sagging sheet: every span's sag and time of three return waves at\n"
    "           -40..+40 C in steps of 5 C, with the strain sections' tensions\n\n"
    "Fills the template of the report, in the language and units of --lang and --units,\n"
    "from the Forms folder beside the program (or DIR) with one sheet per section, and\n"
    "saves it as OUT (replaced only when completely written); prints OUT's path.\n"
    "OUT is never PROJECT, the template or a catalog. A type missing from the catalog ends\n"
    "the command. When the reliability coefficients lower the loads the report is written\n"
    "only with --yes. Messages go to stderr. Exit 1 when nothing was written, or when the\n"
    "workbook is incomplete (it then holds what could be filled): a strain section left out\n"
    "(its type is not in the catalog, or the calculation refused it; a warning names the\n"
    "section, the strain section and why) or a filling that stopped early. The journal\n"
    "sets the span of each section's last support to 0 as it fills; PROJECT itself is\n"
    "never written.\n\n"
    "  all      every workbook above (dampers only when the project's damper calculation\n"
    "           is on) and the scheme for CAD (as vartesk dxf) into FOLDER,\n"
    "           created when missing, named after the project (demo-mount1.xls, ...,\n"
    "           demo.dxf), with one progress line; prints each file written. What failed\n"
    "           is listed at the end and makes the exit code 1; what was written stays.\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
