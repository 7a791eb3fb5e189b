// The about window's texts and the help document.
#include "app/about_text.h"

#include "l10n/folders.h"
#include "l10n/language.h"

#include <system_error>

namespace vartesk {

namespace {

// The version of this build, as the build system numbers it: the number a person gives when
// asking about the program is then the program's own, not a fixed one.
std::string VersionLine(const char *word)
{
    return std::string(word) + " " + VARTESK_VERSION;
}

} // namespace

TAboutText AboutText()
{
    if (IsEnglish())
        return {"About Program",
                "Vartesk",
                "Calculation of mounting stresses and sagging curves\r\nof wires cords, "
                "self-supporting cables\r\nwith the calculation of loads\r\nfrom the wire, cable "
                "and cable anchor support",
                VersionLine("version")};
    return {"О программе",
            "Vartesk",
            "Расчёт монтажных тяжений и стрел провеса\r\nпроводов, тросов и самонесущих "
            "кабелей\r\nс расчётом нагрузок от провода, троса,\r\nкабеля на анкерные опоры",
            VersionLine("версия")};
}

std::filesystem::path HelpTarget()
{
    for (const std::filesystem::path &candidate : {HelpDocument(), UserGuide()}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec))
            return candidate.lexically_normal();
    }
    return {};
}

bool IsUserGuide(const std::filesystem::path &target)
{
    return !target.empty() && target == UserGuide().lexically_normal();
}

} // namespace vartesk
