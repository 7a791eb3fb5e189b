// vartesk settings: show or store the language and the unit system.
#include "cli/command.h"
#include "l10n/language.h"
#include "l10n/settings.h"
#include "l10n/units.h"

#include <ostream>

namespace vartesk::cli {

namespace {

int Run(TCommandContext &c)
{
    const auto lang = c.Args.TakeOption("--set-lang");
    const auto units = c.Args.TakeOption("--set-units");
    c.Args.Positional(0, 0);
    const int language = lang ? ParseLanguageName(*lang) : -1;
    const int system = units ? ParseUnitsName(*units) : -1;
    if (language >= 0)
        SetLanguage(language);
    if (system >= 0)
        SetUnitSystem(system);
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
