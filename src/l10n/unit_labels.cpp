// Unit captions from the string table, chosen by the unit system of the run.
#include "l10n/unit_labels.h"

#include "l10n/string_table.h"
#include "l10n/units.h"

namespace vartesk {

namespace {

bool DaN()
{
    return UnitSystem() == TUnitSystem::DaN;
}

} // namespace

std::string StressUnitLabel()
{
    return LocalString(DaN() ? "daN_mm2" : "N_mm2");
}

std::string ForceUnitLabel()
{
    return LocalString(DaN() ? "daN" : "kN");
}

std::string ModulusUnitLabel()
{
    // The table has no kN/mm2 caption of its own: kN/mm with the square added.
    return DaN() ? LocalString("daN_mm2") : LocalString("kN_mm") + "2";
}

const char *ForceUnitName()
{
    return DaN() ? "daN" : "kN";
}

} // namespace vartesk
