// vartesk report: the stringing tables and the loads on the anchor supports as workbooks.
#include "catalog/working_catalog.h"
#include "cli/catalog_option.h"
#include "cli/cli_port.h"
#include "cli/command.h"
#include "cli/project_loading.h"
#include "l10n/folders.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/output_command.h"
#include "reports/stringing_report.h"

#include <ostream>

namespace vartesk::cli {

namespace {

struct TKind
{
    const char *Name;
    TStringingReport Report;
};

// clang-format off
const TKind kKinds[] = {
    {"mount1", TStringingReport::Form1},
    {"mount2", TStringingReport::Form1Full},
    {"mount3", TStringingReport::Form2},
    {"loads",  TStringingReport::Loads},
};
// clang-format on

int Run(TCommandContext &c)
{
    const auto output = c.Args.TakeOption("-o");
    const auto forms = c.Args.TakeOption("--forms");
    const bool yes = c.Args.TakeFlag("--yes");
    const auto args = c.Args.Positional(2, 2);
    const TKind *kind = nullptr;
    for (const TKind &k : kKinds)
        if (args[0] == k.Name)
            kind = &k;
    if (!kind)
        throw EUsageError("unknown report '" + args[0] + "'; mount1, mount2, mount3 or loads");
    if (!output)
        throw EUsageError("report needs -o OUT.xls");

    TProject project;
    LoadProject(args[1], project, c.Err);
    WarnAboutProject(project, c.Err);
    UseCatalogFor(c.Global, c.Err);

    TCliPort cli(c.Global, c.Err, yes, *output);
    TUserPort port = cli.Port();
    TOutputCommand command;
    command.Save = {"", "*.xls|*.xls", "xls", "*.xls", {}};
    command.WaitText = LocalString("Port_to_Excel");
    command.Steps = 2 * project.Parcels.Count();
    const std::filesystem::path folder = forms ? std::filesystem::path(*forms) : FormsFolder();
    bool complete = false;
    const auto written = RunOutputCommand(
        project, WireCatalog(), port, command, [&](const auto &target, TWaitScope &wait) {
            const TReportOutcome outcome = WriteStringingReport(
                kind->Report, project, WireCatalog(), folder, target, port.Messages, &wait);
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
    "write a stringing-table or anchor-load workbook",
    "Usage: vartesk report mount1|mount2|mount3|loads PROJECT.vsk -o OUT.xls\n"
    "                      [--forms DIR] [--yes]\n\n"
    "  mount1  stringing tables, form 1, -30..+40 C\n"
    "  mount2  stringing tables, form 1, -40..+40 C\n"
    "  mount3  stringing tables, form 2 (compact), -30..+30 C\n"
    "  loads   loads of the wire and the cord on the anchor supports\n\n"
    "Fills the template of the report, in the language and units of --lang and --units,\n"
    "from the Forms folder beside the program (or DIR) with one sheet per section, and\n"
    "saves it as OUT (replaced only when completely written); prints OUT's path.\n"
    "A type missing from the catalog ends the command. When the reliability coefficients\n"
    "lower the loads the report is written only with --yes. Messages go to stderr. Exit 1\n"
    "when nothing was written, or when the filling stopped early (the workbook then holds\n"
    "what was filled).\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
