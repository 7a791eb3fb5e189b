// The command table of the vartesk tool; each command file registers its own entry.
#pragma once

#include "l10n/language.h"
#include "l10n/units.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vartesk::cli {

// A mistake in the command line: exit code 2 with the message and a hint to --help.
class EUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Options that hold for one run only and are never persisted.
struct TGlobalOptions
{
    std::optional<TLanguage> Language; // --lang en|ru
    std::optional<TUnitSystem> Units; // --units daN|kN
    std::optional<std::string> Catalog; // --catalog PATH
    bool Open = false; // --open: hand written files to the desktop
};

// The arguments of one command, with its own options still in them.
class TArgs
{
public:
    explicit TArgs(std::vector<std::string> args)
        : Items(std::move(args))
    { }
    // Removes "--name VALUE" (or "--name=VALUE") and gives VALUE.
    std::optional<std::string> TakeOption(const std::string &name);
    // Removes "--name" and tells whether it was there.
    bool TakeFlag(const std::string &name);
    // The positional arguments; unknown options are a usage error. Call after the Takes.
    std::vector<std::string> Positional(size_t min, size_t max) const;

private:
    std::vector<std::string> Items;
};

struct TCommandContext
{
    TArgs Args;
    const TGlobalOptions &Global;
    std::ostream &Out;
    std::ostream &Err;
};

struct TCommand
{
    std::string Name; // "calc", "catalog", ...
    std::string Summary; // one line for the overview
    std::string Help; // the full help text of the command
    std::function<int(TCommandContext &)> Run; // exit code; failures raise exceptions
};

// Static registration: `static TCommandRegistrar reg{{"name", ...}};` in a command file.
struct TCommandRegistrar
{
    explicit TCommandRegistrar(TCommand command);
};

const std::vector<TCommand> &Commands();

// Parses en|ru and daN|kN for the options of several commands.
TLanguage ParseLanguageName(const std::string &value);
TUnitSystem ParseUnitsName(const std::string &value);

} // namespace vartesk::cli
