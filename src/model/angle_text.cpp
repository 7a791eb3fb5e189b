// The angle text of a support.
#include "model/angle_text.h"

#include "base/utf8.h"
#include "l10n/string_table.h"
#include "model/pillar.h"

namespace vartesk {

std::string AngleText(const TPillar &support)
{
    const TPillar &s = support;
    if (s.Ugol_grad != 0 || s.Ugol_min != 0 || s.Ugol_sec != 0) {
        if (s.Ugol_napr > 1)
            return {};
        const char *sign = s.Ugol_napr == 0 ? "+" : "-";
        const std::string angle = std::to_string(s.Ugol_grad) + "°" + std::to_string(s.Ugol_min)
            + "'" + std::to_string(s.Ugol_sec) + "\"";
        if (s.Ugol.empty())
            return sign + angle;
        return LocalString("Ang") + s.Ugol.str() + ";" + sign + angle;
    }
    if (!s.Ugol.empty())
        // Fixed in Russian whatever the language: the scheme's and journal's short form.
        return Utf8Prefix("Уг." + s.Ugol.str(), 11);
    return {};
}

} // namespace vartesk
