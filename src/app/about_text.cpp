// The about window's texts and the help document.
#include "app/about_text.h"

#include "base/text_formats.h"
#include "l10n/folders.h"
#include "l10n/string_table.h"

#include <system_error>

namespace vartesk {

namespace {

constexpr double kVersion = 5.9;

// "%sversion %1.1f" with an empty prefix.
std::string VersionLine(const std::string &word)
{
    return word + " " + FixedNumber(kVersion, 1);
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

} // namespace vartesk
