// The "xls" command: dump and copy of workbooks, for adapting report templates.
#include "base/message_quote.h"
#include "cli/command.h"
#include "cli/desktop_open.h"
#include "xls/workbook_dump.h"
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include <ostream>

namespace vartesk::cli {

namespace {

const char *kHelp = R"(Usage: vartesk xls dump FILE [--sheet NAME] [--format json|csv]
       vartesk xls copy IN.xls OUT.xls

dump  prints the sheets of an Excel 97-2003 workbook as the engine reads it: every cell
      with its address, kind, value and number format, the merged ranges and the column
      widths (character units). --sheet limits it to one sheet; json is the default form.
copy  opens IN.xls and saves it as OUT.xls: what a report template keeps when the
      engine has read and written it.
)";

// The engine's errors are one line; the compound-file ones say what broke as well.
[[noreturn]] void Rethrow(const std::string &path)
{
    try {
        throw;
    } catch (const xls::ECFileError &e) {
        throw std::runtime_error(path + ": " + e.what()
                                 + (e.Detail().empty() ? "" : " (" + e.Detail() + ")"));
    } catch (const std::exception &e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

void Open(xls::TXLSFile &file, const std::string &path)
{
    try {
        file.OpenFile(path);
    } catch (...) {
        Rethrow(path);
    }
}

int Run(TCommandContext &c)
{
    // Options first: Positional refuses any option still in the arguments.
    const auto sheet = c.Args.TakeOption("--sheet");
    const auto format = c.Args.TakeOption("--format");
    const auto args = c.Args.Positional(1, 3);
    if (args[0] == "dump") {
        if (args.size() != 2)
            throw EUsageError("xls dump needs one FILE");
        const std::string form = format.value_or("json");
        if (form != "json" && form != "csv")
            throw EUsageError("format must be json or csv, not " + QuoteForMessage(form));
        xls::TXLSFile file;
        Open(file, args[1]);
        try {
            c.Out << (form == "json" ? xls::DumpJson(file.Workbook(), sheet)
                                     : xls::DumpCsv(file.Workbook(), sheet));
        } catch (...) {
            Rethrow(args[1]);
        }
        return 0;
    }
    if (args[0] == "copy") {
        if (args.size() != 3)
            throw EUsageError("xls copy needs IN.xls and OUT.xls");
        if (sheet || format)
            throw EUsageError("xls copy takes no options");
        xls::TXLSFile file;
        Open(file, args[1]);
        try {
            file.SaveAs(args[2]);
        } catch (...) {
            Rethrow(args[2]);
        }
        OpenIfAsked(c.Global, args[2], c.Err);
        return 0;
    }
    throw EUsageError("unknown xls subcommand " + QuoteForMessage(args[0]));
}

const TCommandRegistrar kRegistrar {{"xls", "dump or copy an Excel 97-2003 workbook", kHelp, Run}};

} // namespace

} // namespace vartesk::cli
