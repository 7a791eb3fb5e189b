// CheckCatalog.
#include "catalog/check_catalog.h"

#include "base/text_format.h"
#include "l10n/string_table.h"

namespace vartesk {

namespace {

std::string MissingMessage(const char *notFoundKey, const char *restartKey, const std::string &name)
{
    return FormatText(LocalString(notFoundKey), {name}) + "\r\n" + LocalString(restartKey);
}

} // namespace

std::optional<std::string> CheckCatalog(const TProject &project, const TWiresList &catalog)
{
    const TParcelList &parcels = project.Parcels;
    // A single section is not checked: its calculation reports a missing type itself.
    if (parcels.Count() < 2)
        return std::nullopt;
    for (int i = 0; i < parcels.Count(); ++i) {
        const TParcel &parcel = parcels.Get(i);
        if (parcel.IsProvod && catalog.IndexOfName(parcel.Provod) < 0)
            return MissingMessage("Wire_not_found", "Input_wire_restart", parcel.Provod);
        if (parcel.IsTros && catalog.IndexOfName(parcel.Tros) < 0)
            return MissingMessage("Cord_not_found", "Input_cord_restart", parcel.Tros);
    }
    return std::nullopt;
}

} // namespace vartesk
