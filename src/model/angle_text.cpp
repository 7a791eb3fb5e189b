// The angle text of a support.
#include "model/angle_text.h"

#include "base/utf8.h"
#include "l10n/string_table.h"
#include "model/pillar.h"

namespace vartesk {

std::string AngleText(const TPillar &s)
{
    if (s.Ugol_grad != 0 || s.Ugol_min != 0 || s.Ugol_sec != 0) {
        if (s.Ugol_napr > 1)
            return {};
        const char sign = s.Ugol_napr == 0 ? '+' : '-';
        const std::string angle = std::string(1, sign) + std::to_string(s.Ugol_grad) + "°"
            + std::to_string(s.Ugol_min) + "'" + std::to_string(s.Ugol_sec) + "\"";
        if (s.Ugol.empty())
            return angle;
        return LocalString("Ang") + s.Ugol.str() + ";" + angle;
    }
    // Only the angle's number: the Russian abbreviation in either language, as it always was.
    if (!s.Ugol.empty())
        return Utf8Prefix("Уг." + s.Ugol.str(), 11);
    return {};
}

} // namespace vartesk
