// vartesk dxf: the per-support scheme of the line as a DXF drawing.
#include "catalog/working_catalog.h"
#include "cli/catalog_option.h"
#include "cli/cli_port.h"
#include "cli/command.h"
#include "cli/project_loading.h"
#include "model/project.h"
#include "reports/cad_command.h"

#include <ostream>

namespace vartesk::cli {

namespace {

int Run(TCommandContext &c)
{
    const auto output = c.Args.TakeOption("-o");
    const bool yes = c.Args.TakeFlag("--yes");
    const auto args = c.Args.Positional(1, 1);
    if (!output)
        throw EUsageError("dxf needs -o OUT.dxf");

    TProject project;
    LoadProject(args[0], project, c.Err);
    WarnAboutProject(project, c.Err);
    UseCatalogFor(c.Global, c.Err);

    TCliPort cli(c.Global, c.Err, yes, *output);
    TUserPort port = cli.Port();
    const TCadOutcome outcome
        = RunCadCommand(project, WireCatalog(), port, args[0], ProtectedInputs(c.Global));
    return cli.Finish(outcome.Written, outcome.Complete, c.Out);
}

const TCommandRegistrar kDxf {{
    "dxf",
    "write the per-support scheme of the line for CAD",
    "Usage: vartesk dxf PROJECT.vsk -o OUT.dxf [--catalog PATH] [--open] [--yes]\n\n"
    "Calculates every strain section of the wire and the cord and draws the line one column\n"
    "per support (numbers, codes, spans, angles, pickets, strain-section lengths and\n"
    "equivalent spans, the sag and tension tables at -30..+40 C, notes and legend), in the\n"
    "language and units of --lang and --units, as an ASCII DXF drawing in Windows-1251.\n"
    "OUT is written as named, with \".dxf\" added only when it has no extension; it is\n"
    "replaced only when completely written, and never when it is PROJECT or a catalog.\n"
    "Prints its path (--open hands it to the desktop's program for DXF files). A type\n"
    "missing from the catalog ends the command. When the reliability coefficients lower\n"
    "the loads the scheme is written only with --yes. Messages go to stderr. Exit 1 when\n"
    "nothing was written, or when the scheme is incomplete: a strain section left out, or\n"
    "a drawing that stopped early (the file then holds what was drawn, and the message\n"
    "says where and why).\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
