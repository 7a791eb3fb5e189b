// vartesk settings: show or store the language and the unit system.
#include "base/file_io.h"
#include "cli/command.h"
#include "l10n/settings.h"

#include <ostream>
#include <utility>
#include <vector>

namespace vartesk::cli {

namespace {

int Run(TCommandContext &c)
{
    const auto lang = c.Args.TakeOption("--set-lang");
    const auto units = c.Args.TakeOption("--set-units");
    c.Args.Positional(0, 0);
    std::vector<std::pair<std::string, int>> values;
    if (lang)
        values.emplace_back("Language", int(ParseLanguageName(*lang)));
    if (units)
        values.emplace_back("Units", int(ParseUnitsName(*units)));
    if (!values.empty()) {
        // Both in one write, so that a failure leaves the file as it was.
        try {
            WriteSettings(values);
        } catch (const EFileError &e) {
            throw std::runtime_error(std::string(e.what()) + "; nothing was stored");
        }
    }
    // Show what is stored, not what --lang/--units chose for this run.
    const int storedLanguage = ReadSetting("Language").value_or(1) == 0 ? 0 : 1;
    const int storedUnits = ReadSetting("Units").value_or(0) == 0 ? 0 : 1;
    c.Out << "language: " << (storedLanguage == 0 ? "en" : "ru") << "\n";
    c.Out << "units:    " << (storedUnits == 0 ? "daN" : "kN") << "\n";
    c.Out << "file:     " << SettingsFile().string() << "\n";
    return 0;
}

const TCommandRegistrar kSettings {{
    "settings",
    "show or store the language and the unit system",
    "Usage: vartesk settings [--set-lang en|ru] [--set-units daN|kN]\n\n"
    "Without options shows the stored settings. --set-lang and --set-units store a new\n"
    "language or unit system for every later run (the desktop program included).\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
