// Process-wide language and unit system, stored through the settings file.
#include "l10n/language.h"
#include "l10n/settings.h"
#include "l10n/units.h"

namespace vartesk {

namespace {

TLanguage gLanguage = TLanguage::Russian;
TUnitSystem gUnits = TUnitSystem::DaN;
double gForceFactor = 1.0;
double gStressFactor = 1.0;

} // namespace

TLanguage CurrentLanguage()
{
    return gLanguage;
}

bool IsEnglish()
{
    return gLanguage == TLanguage::English;
}

void LoadLanguage()
{
    // A stored index other than 0 or 1 names no text of the pairs: it counts as the default.
    const auto stored = ReadSetting("Language");
    gLanguage = stored && *stored == 0 ? TLanguage::English : TLanguage::Russian;
}

void UseLanguage(TLanguage language)
{
    gLanguage = language;
}

void SetLanguage(TLanguage language)
{
    UseLanguage(language);
    WriteSetting("Language", int(gLanguage));
}

TUnitSystem UnitSystem()
{
    return gUnits;
}

double ForceFactor()
{
    return gForceFactor;
}

double StressFactor()
{
    return gStressFactor;
}

void LoadUnitSystem()
{
    gUnits = ReadSetting("Units").value_or(0) == 0 ? TUnitSystem::DaN : TUnitSystem::KN;
}

void UseUnitSystem(TUnitSystem system)
{
    gUnits = system;
    gForceFactor = system == TUnitSystem::DaN ? 1.0 : 0.01;
    gStressFactor = system == TUnitSystem::DaN ? 1.0 : 10.0;
}

void SetUnitSystem(TUnitSystem system)
{
    UseUnitSystem(system);
    WriteSetting("Units", int(gUnits));
}

} // namespace vartesk
