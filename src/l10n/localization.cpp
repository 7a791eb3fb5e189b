// InitLocalization.
#include "l10n/localization.h"

#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"

namespace vartesk {

void InitLocalization()
{
    ClearStrings();
    LoadLanguage();
    SetLanguage(LanguageIndex());
    UseUnitSystem(0);
    LoadUnitSystem();
    SetUnitSystem(UnitSystem());
    RegisterStringGroup(kStart);
}

} // namespace vartesk
