// vartesk import: sections and supports from a workbook, the climate from a climate file.
#include "base/file_io.h"
#include "cli/catalog_option.h"
#include "cli/cli_port.h"
#include "cli/command.h"
#include "cli/desktop_open.h"
#include "cli/project_loading.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "reports/climate_import.h"
#include "reports/report_messages.h"
#include "reports/support_import.h"

#include <ostream>

namespace vartesk::cli {

namespace {

// A new project file, as `new` writes one: an existing OUT only with --force, and never the
// file imported nor a catalog, --force or not.
void Save(TCommandContext &c,
          const std::string &path,
          const std::string &source,
          TProject &project,
          bool force)
{
    TCliPort port(c.Global, c.Err, false, {});
    if (!TargetIsFree(path, ProtectedInputs(c.Global, {{source, TInputFile::Source}}), port))
        throw std::runtime_error("nothing was written");
    try {
        SaveProjectFile(path, project, force ? TWriteMode::Replace : TWriteMode::CreateNew);
    } catch (const EFileExists &) {
        throw std::runtime_error(path + " already exists; use --force to replace it");
    } catch (const EFileError &e) {
        throw std::runtime_error(CannotWrite(path, e));
    }
}

int RunXls(TCommandContext &c,
           const std::string &book,
           const std::string &output,
           const std::optional<std::string> &base,
           bool force)
{
    TProject project;
    if (base)
        LoadProject(*base, project, c.Err);
    TCliPort port(c.Global, c.Err, false, {});
    const TSupportImport result = ImportSupportsFromFile(project, book, port);
    if (result.Sections == 0)
        throw std::runtime_error("nothing was written: no section was read from " + book);
    // No warnings about the new sections: their wire, cord and limits are the defaults, which
    // the designer completes next, and `info` or `calc` warn about them then.
    Save(c, output, book, project, force);
    c.Out << output << ": " << result.Sections
          << (result.Sections == 1 ? " section, " : " sections, ") << result.Supports
          << " supports\n";
    OpenIfAsked(c.Global, output, c.Err);
    return result.Stopped ? 1 : 0;
}

int RunKbh(TCommandContext &c,
           const std::string &file,
           const std::string &output,
           const std::optional<std::string> &base,
           bool force)
{
    TProject project;
    if (base)
        LoadProject(*base, project, c.Err);
    try {
        ImportClimateFile(project, file);
    } catch (const EClimateFileError &e) {
        throw std::runtime_error(file + ":" + std::to_string(e.Line) + ": " + e.what());
    }
    WarnAboutProject(project, c.Err);
    Save(c, output, file, project, force);
    OpenIfAsked(c.Global, output, c.Err);
    return 0;
}

int Run(TCommandContext &c)
{
    const auto output = c.Args.TakeOption("-o");
    const auto base = c.Args.TakeOption("--into");
    const bool force = c.Args.TakeFlag("--force");
    const auto args = c.Args.Positional(2, 2);
    if (!output)
        throw EUsageError("import needs -o OUT.vsk");
    if (args[0] == "xls")
        return RunXls(c, args[1], *output, base, force);
    if (args[0] == "kbh")
        return RunKbh(c, args[1], *output, base, force);
    throw EUsageError("unknown import '" + args[0] + "'; xls or kbh");
}

const TCommandRegistrar kImport {{
    "import",
    "make a project of the supports of a workbook or the climate of a .kbh file",
    "Usage: vartesk import xls BOOK.xls -o OUT.vsk [--into BASE.vsk] [--force]\n"
    "       vartesk import kbh FILE.kbh -o OUT.vsk [--into BASE.vsk] [--force]\n\n"
    "  xls  sections and supports from a workbook: the sheets from the first one on, as\n"
    "       long as each holds the text \"№№ опор (до 5 символов)\" in B2, each a section\n"
    "       named after its sheet; from row 3 each row is a support (B number, C 1 for an\n"
    "       anchor, D span in m, E 1 for an attested span, F code) until B is empty. A\n"
    "       section of fewer than two supports is left out. Forms/Import_supports.xls is\n"
    "       a workbook to start from. Climate, coefficients and damper inputs are those\n"
    "       of BASE (or the defaults); its sections are replaced.\n"
    "  kbh  the climatic conditions and the reliability coefficients of a climate file of\n"
    "       the companion program, into BASE (or a fresh project); nothing else changes.\n\n"
    "Writes OUT, which must not exist unless --force is given; BASE itself is never\n"
    "written (OUT may name it, with --force), and OUT may never be BOOK, FILE or a\n"
    "catalog. The xls import prints OUT with the number of sections and supports read;\n"
    "messages go to stderr. Exit 1 when nothing was written (no sheet with the marker, no\n"
    "section of two supports, a value of the climate file that is not a number, named by\n"
    "its line), or when a span that is not a number ended the xls import early (OUT then\n"
    "holds the sections of the sheets before it).\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
