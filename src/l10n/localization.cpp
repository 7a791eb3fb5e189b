// InitLocalization.
#include "l10n/localization.h"

#include "base/file_io.h"
#include "l10n/language.h"
#include "l10n/settings.h"
#include "l10n/string_table.h"
#include "l10n/units.h"

namespace vartesk {

void InitLocalization()
{
    ClearStrings();
    LoadLanguage();
    UseUnitSystem(TUnitSystem::DaN);
    LoadUnitSystem();
    UseUnitSystem(UnitSystem());
    // Written back so that the first run stores both. A settings file that cannot be read or
    // written must not keep the program from starting (it starts on the defaults and the file
    // stays as it is); only a choice the user makes reports it.
    try {
        WriteSettings({{"Language", int(CurrentLanguage())}, {"Units", int(UnitSystem())}});
    } catch (const EFileError &) { }
    RegisterStringGroup(kStart);
}

} // namespace vartesk
