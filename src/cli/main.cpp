// Entry of the vartesk tool: global options, dispatch, exit codes.
#include "base/file_io.h"
#include "base/message_quote.h"
#include "base/number_text.h"
#include "cli/command.h"
#include "l10n/language.h"
#include "l10n/localization.h"
#include "l10n/string_table.h"
#include "l10n/units.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <unistd.h>

using namespace vartesk;
using namespace vartesk::cli;

namespace {

const char *kOverview = R"(vartesk - mechanical calculation of overhead-line wires and cords

Usage: vartesk [GLOBAL OPTIONS] COMMAND [ARGS...]
       vartesk help COMMAND      (or: vartesk COMMAND --help)
       vartesk --version

Global options (for this run only, never stored; before or after the command):
  --lang en|ru        language of messages and texts
  --units daN|kN      unit system of stresses and tensions shown
  --catalog PATH      wire catalog to use instead of the working copy
                      (a binary catalog, or a .txt text export)
  --open              open each written file with the desktop's program (xdg-open)
  --help              this text
  --version           the program's version
  --                  ends the options: every later word is an argument

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

const char *kHelpOfHelp = R"(Usage: vartesk help [COMMAND]

Without COMMAND, the overview of every command and the global options; with COMMAND, the
help of that command (the same as vartesk COMMAND --help).
)";

const TCommand *Find(const std::string &name)
{
    for (const auto &c : Commands())
        if (c.Name == name)
            return &c;
    return nullptr;
}

int RunTool(int argc, char **argv)
{
    std::vector<std::string> rest;
    TGlobalOptions global;
    bool help = false;
    bool version = false;
    std::string commandName;
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        // Global options are taken out wherever they stand; the first other word names the
        // command and everything else belongs to it.
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string &a = args[i];
            if (a == "--") {
                // Everything after it is an argument, even what looks like an option; the
                // command keeps the marker so that its own options stop there too.
                size_t next = i + 1;
                if (commandName.empty() && next < args.size())
                    commandName = args[next++];
                rest.push_back(a);
                rest.insert(rest.end(), args.begin() + long(next), args.end());
                break;
            }
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
            else if (a == "--version")
                version = true;
            else if (commandName.empty() && a[0] != '-')
                commandName = a;
            else
                rest.push_back(a);
        }
        if (version && commandName.empty()) {
            std::cout << "vartesk " << VARTESK_VERSION << "\n";
            return 0;
        }
        if (commandName == "help") {
            if (rest.size() > 1)
                throw EUsageError("help takes one COMMAND");
            if (rest.empty()) {
                PrintOverview(std::cout);
                return 0;
            }
            commandName = rest.front();
            rest.clear();
            help = true;
            if (commandName == "help") {
                std::cout << kHelpOfHelp;
                return 0;
            }
        }
        if (commandName.empty()) {
            if (help) {
                PrintOverview(std::cout);
                return 0;
            }
            // The first word was an option nobody knows: name it rather than the command.
            if (!rest.empty())
                throw EUsageError("unknown option " + rest.front());
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

// Standard output written straight to descriptor 1, remembering why a write failed: output
// that did not reach its file (a full disk, /dev/full) must not pass for a success, and by the
// end of a long output the reason is long gone from errno.
class TStdoutBuffer : public std::streambuf
{
public:
    TStdoutBuffer() { setp(Buffer, Buffer + sizeof Buffer); }
    int Error() const { return FirstError; }

protected:
    int_type overflow(int_type c) override
    {
        if (!Drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain()
    {
        const char *p = pbase();
        bool ok = true;
        while (ok && p < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, p, size_t(pptr() - p));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                FirstError = FirstError != 0 ? FirstError : (n < 0 ? errno : EIO);
                ok = false;
            } else {
                p += n;
            }
        }
        setp(Buffer, Buffer + sizeof Buffer);
        return ok;
    }

    char Buffer[65536];
    int FirstError = 0;
};

} // namespace

int main(int argc, char **argv)
{
    TStdoutBuffer buffer;
    std::streambuf *const previous = std::cout.rdbuf(&buffer);
    int code = RunTool(argc, argv);
    std::cout.flush();
    if (!std::cout.good() || buffer.Error() != 0) {
        std::cerr << "vartesk: cannot write the output: "
                  << std::strerror(buffer.Error() != 0 ? buffer.Error() : EIO) << "\n";
        code = code == 0 ? 1 : code; // a usage error keeps its own code
    }
    std::cout.rdbuf(previous);
    return code;
}
