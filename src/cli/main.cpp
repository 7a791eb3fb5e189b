// Entry of the vartesk tool: global options, dispatch, exit codes.
#include "base/file_io.h"
#include "base/message_quote.h"
#include "base/number_text.h"
#include "cli/command.h"
#include "l10n/language.h"
#include "l10n/localization.h"
#include "l10n/string_table.h"
#include "l10n/units.h"

#include <iostream>

using namespace vartesk;
using namespace vartesk::cli;

namespace {

const char *kOverview = R"(vartesk - mechanical calculation of overhead-line wires and cords

Usage: vartesk [GLOBAL OPTIONS] COMMAND [ARGS...]
       vartesk help COMMAND      (or: vartesk COMMAND --help)

Global options (for this run only, never stored; before or after the command):
  --lang en|ru        language of messages and texts
  --units daN|kN      unit system of stresses and tensions shown
  --catalog PATH      wire catalog to use instead of the working copy
                      (a binary catalog, or a .txt text export)
  --open              hand written files to the desktop's program
  --help              this text

Commands:
)";

void PrintOverview(std::ostream &out)
{
    out << kOverview;
    for (const auto &c : Commands()) {
        std::string name = c.Name;
        name.resize(18, ' ');
        out << "  " << name << c.Summary << "\n";
    }
    out << "\nExit codes: 0 success, 1 failure, 2 usage error.\n";
}

const TCommand *Find(const std::string &name)
{
    for (const auto &c : Commands())
        if (c.Name == name)
            return &c;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> rest;
    TGlobalOptions global;
    bool help = false;
    std::string commandName;
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        // Global options are taken out wherever they stand; the first other word names the
        // command and everything else belongs to it.
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string &a = args[i];
            auto value = [&](const std::string &name) {
                if (i + 1 >= args.size())
                    throw EUsageError("option " + name + " needs a value");
                return args[++i];
            };
            if (a == "--lang")
                global.Language = ParseLanguageName(value(a));
            else if (a.rfind("--lang=", 0) == 0)
                global.Language = ParseLanguageName(a.substr(7));
            else if (a == "--units")
                global.Units = ParseUnitsName(value(a));
            else if (a.rfind("--units=", 0) == 0)
                global.Units = ParseUnitsName(a.substr(8));
            else if (a == "--catalog")
                global.Catalog = value(a);
            else if (a.rfind("--catalog=", 0) == 0)
                global.Catalog = a.substr(10);
            else if (a == "--open")
                global.Open = true;
            else if (a == "--help" || a == "-h")
                help = true;
            else if (commandName.empty() && a[0] != '-')
                commandName = a;
            else
                rest.push_back(a);
        }
        if (commandName == "help") {
            if (rest.empty()) {
                PrintOverview(std::cout);
                return 0;
            }
            commandName = rest.front();
            rest.clear();
            help = true;
        }
        if (commandName.empty()) {
            if (help) {
                PrintOverview(std::cout);
                return 0;
            }
            throw EUsageError("no command given");
        }
        const TCommand *command = Find(commandName);
        if (!command)
            throw EUsageError("unknown command " + QuoteForMessage(commandName));
        if (help) {
            std::cout << command->Help;
            return 0;
        }

        InitLocalization();
        RegisterAllStrings();
        if (global.Language)
            UseLanguage(*global.Language);
        if (global.Units)
            UseUnitSystem(*global.Units);

        TCommandContext context {TArgs(rest), global, std::cout, std::cerr};
        return command->Run(context);
    } catch (const EUsageError &e) {
        std::cerr << "vartesk: " << e.what() << "\n";
        const bool known = !commandName.empty() && Find(commandName);
        std::cerr << "Try 'vartesk " << (known ? commandName + " " : "") << "--help'.\n";
        return 2;
    } catch (const std::exception &e) {
        std::cerr << "vartesk: " << e.what() << "\n";
        return 1;
    }
}
