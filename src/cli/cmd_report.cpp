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
#include "reports/all_outputs.h"
#include "reports/output_command.h"

#include <ostream>
#include <system_error>
#include <vector>

namespace vartesk::cli {

namespace {

// `report all`: every workbook and the scheme into one folder, named after the project; the
// frame's check and question come once. Each file is printed as it is written; what failed
// is listed at the end, and what was written stays.
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

    TCliPort cli(c.Global, c.Err, yes, outputFolder);
    TUserPort port = cli.Port();
    TAllOutputsCommand command;
    command.Forms = forms;
    command.BaseName = OutputsBaseName(projectPath);
    command.Inputs = ProtectedInputs(c.Global, {{projectPath, TInputFile::Project}});
    command.OnWritten = [&](const std::filesystem::path &file) {
        c.Out << file.string() << "\n";
    };
    const auto outcome = WriteAllOutputs(loaded, WireCatalog(), port, command);
    const bool done = outcome && outcome->WrittenCount() > 0;
    if (done)
        port.Desktop.Open(outcome->Folder);
    if (!done && cli.Declined())
        throw std::runtime_error("nothing was written: the question was answered No");
    std::string failed;
    for (const TOutputResult &o : outcome ? outcome->Outputs : std::vector<TOutputResult>())
        if (!o.Complete)
            failed += (failed.empty() ? "" : ", ") + o.File
                + (o.Written ? " (incomplete)" : " (not written)");
    if (!failed.empty())
        throw std::runtime_error("not everything was written: " + failed);
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
    const TWorkbookOutput *kind = FindWorkbookOutput(args[0]);
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
                = kind->Write(project, WireCatalog(), folder, target, port.Messages, &wait);
            complete = outcome.Complete;
            return outcome.Written;
        });
    return cli.Finish(written, complete, c.Out);
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
