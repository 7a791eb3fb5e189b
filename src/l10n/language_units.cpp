// Process-wide language and unit system, stored through the settings file.
#include "l10n/language.h"
#include "l10n/settings.h"
#include "l10n/units.h"

namespace vartesk {

namespace {

int gLanguage = 1;
int gUnits = 0;
double gForceFactor = 1.0;
double gStressFactor = 1.0;

} // namespace

int LanguageIndex()
{
    return gLanguage;
}

bool IsEnglish()
{
    return gLanguage == 0;
}

void LoadLanguage()
{
    // A stored index other than 0 or 1 names no text of the pairs: it counts as the default.
    const auto stored = ReadSetting("Language");
    gLanguage = stored && (*stored == 0 || *stored == 1) ? *stored : 1;
}

void UseLanguage(int index)
{
    gLanguage = index == 0 ? 0 : 1;
}

void SetLanguage(int index)
{
    UseLanguage(index);
    WriteSetting("Language", gLanguage);
}

int UnitSystem()
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
    gUnits = ReadSetting("Units").value_or(0);
}

void UseUnitSystem(int system)
{
    gUnits = system;
    gForceFactor = system == 0 ? 1.0 : 0.01;
    gStressFactor = system == 0 ? 1.0 : 10.0;
}

void SetUnitSystem(int system)
{
    UseUnitSystem(system);
    WriteSetting("Units", gUnits);
}

} // namespace vartesk
