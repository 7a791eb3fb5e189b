// vartesk plot: the sag or tension curves of one conductor of one section as SVG or PNG.
//
// PNG needs text drawn in a real font, which the standard library cannot do and a rasteriser
// of our own would do badly. A build with the desktop program links the desktop's painter
// (QtGui alone, on Qt's offscreen platform) into the tool, which registers itself as the
// curves' rasteriser; a build without it writes SVG only and says so when asked for PNG.
#include "app/curve_plot.h"
#include "app/curve_svg.h"
#include "base/message_quote.h"
#include "catalog/working_catalog.h"
#include "cli/catalog_option.h"
#include "cli/cli_port.h"
#include "cli/command.h"
#include "cli/project_loading.h"
#include "cli/section_option.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/output_command.h"
#include "reports/report_messages.h"

#include <cctype>
#include <filesystem>
#include <ostream>

namespace vartesk::cli {

namespace {

TCurveKind ParseKind(const std::optional<std::string> &value)
{
    if (!value || *value == "sag")
        return TCurveKind::Sag;
    if (*value == "tension")
        return TCurveKind::Tension;
    throw EUsageError("--kind must be sag or tension, not " + QuoteForMessage(*value));
}

TCurveFile FileKind(const std::string &output)
{
    std::string extension = std::filesystem::path(output).extension().string();
    for (char &ch : extension)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    if (extension == ".svg")
        return TCurveFile::Svg;
    if (extension == ".png")
        return TCurveFile::Png;
    throw EUsageError("plot writes OUT.svg or OUT.png, not " + QuoteForMessage(output));
}

int Run(TCommandContext &c)
{
    const auto output = c.Args.TakeOption("-o");
    const auto number = TakeSectionOption(c.Args);
    const TConductor conductor = TakeConductorOption(c.Args);
    const TCurveKind kind = ParseKind(c.Args.TakeOption("--kind"));
    const bool yes = c.Args.TakeFlag("--yes");
    const auto args = c.Args.Positional(1, 1);
    if (!number)
        throw EUsageError("plot needs --section N");
    if (!output)
        throw EUsageError("plot needs -o OUT.svg or -o OUT.png");
    const TCurveFile file = FileKind(*output);
    if (file == TCurveFile::Png && !CurveRasteriser())
        throw std::runtime_error("this build of vartesk writes no PNG (it was built without the "
                                 "desktop program, whose painter draws it): write OUT.svg");

    TProject project;
    LoadProject(args[0], project, c.Err);
    WarnAboutProject(project, c.Err);
    const int section = SectionIndex(project, *number);
    UseCatalogFor(c.Global, c.Err);

    TCliPort cli(c.Global, c.Err, yes, *output);
    TUserPort port = cli.Port();
    TOutputCommand command;
    command.WaitText = LocalString("Curves");
    command.Inputs = ProtectedInputs(c.Global, {{args[0], TInputFile::Project}});
    bool complete = false;
    const auto written = RunOutputCommand(
        project, WireCatalog(), port, command, [&](const auto &target, TWaitScope &) {
            const TCurveResult r = CalcCurvePlot(project, WireCatalog(), section, conductor, kind);
            if (r.Error) {
                port.Messages.Tell(TMessageKind::Error, *r.Error);
                return false;
            }
            for (const std::string &note : r.Plot.Notes)
                port.Messages.Tell(TMessageKind::Warning, note);
            try {
                if (file == TCurveFile::Svg)
                    WriteCurveSvg(target, r.Plot);
                else
                    WriteCurvePng(target, r.Plot, CurveRasteriser());
            } catch (const std::exception &e) {
                port.Messages.Tell(TMessageKind::Error, CannotWrite(target, e));
                return false;
            }
            complete = r.Plot.Notes.empty();
            return true;
        });
    return cli.Finish(written, complete, c.Out);
}

const TCommandRegistrar kPlot {{
    "plot",
    "draw the sag or tension curves of one section as SVG or PNG",
    "Usage: vartesk plot PROJECT.vsk --section N [--conductor wire|cord] [--kind sag|tension]\n"
    "                    -o OUT.svg|OUT.png [--yes]\n\n"
    "Draws the curves of the wire (or the cord) of section N (numbered from 1, as `info`\n"
    "lists them) against the air temperature, -40..+40 C in steps of 5 C, with the numbers\n"
    "of `vartesk sagging`:\n"
    "  sag      the sag of every attested span of the section, m (default)\n"
    "  tension  the tension of every strain section, in the units of --units, with the\n"
    "           maximum permissible tension and the one at the average annual temperature\n"
    "Both mark the governing state of the strain sections shown, and have a legend; the\n"
    "texts are in the language of --lang. OUT's extension chooses the form: SVG, or PNG\n"
    "(1920 x 1200 pixels; only a build with the desktop program writes PNG). OUT is\n"
    "replaced only when completely written, and never when it is PROJECT or a catalog;\n"
    "prints its path (--open hands it to the desktop). A type missing from the catalog\n"
    "ends the command; when the reliability coefficients lower the loads the curves are\n"
    "drawn only with --yes. Exit 1 when nothing was written (a section the project does\n"
    "not have, a conductor the section does not carry, sag curves of a section without\n"
    "attested spans) or when a strain section is left out of the curves (a warning says\n"
    "which and why).\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
