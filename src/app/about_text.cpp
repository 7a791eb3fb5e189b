// The about window's texts and the help document.
#include "app/about_text.h"

#include "l10n/folders.h"
#include "l10n/string_table.h"

#include <system_error>

namespace vartesk {

namespace {

// The version of this build, as the build system numbers it: the number a person gives when
// asking about the program is then the program's own, not a fixed one.
std::string VersionLine(const std::string &word)
{
    return word + " " + VARTESK_VERSION;
}

} // namespace

TAboutText AboutText()
{
    return {LocalString("About_title"),
            "Vartesk",
            LocalString("About_description"),
            VersionLine(LocalString("About_version"))};
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
