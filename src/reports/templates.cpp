// Template locations and names.
#include "reports/templates.h"

#include "l10n/folders.h"

namespace vartesk {

std::string TemplateFileName(const std::string &base,
                             TLanguage language,
                             TUnitSystem units,
                             bool hasUnitVariants)
{
    return base + (hasUnitVariants && units == TUnitSystem::KN ? "N" : "")
        + (language == TLanguage::English ? "_en" : "_ru") + ".xls";
}

std::string TemplateDisplayName(const std::filesystem::path &templatePath)
{
    const std::filesystem::path program = ProgramFolder().lexically_normal();
    const std::filesystem::path relative
        = templatePath.lexically_normal().lexically_relative(program);
    if (!relative.empty() && *relative.begin() != "..")
        return "/" + relative.generic_string();
    return templatePath.string();
}

} // namespace vartesk
