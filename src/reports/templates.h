// Which template file serves a language and a unit system, and how messages name it.
#pragma once

#include "l10n/language.h"
#include "l10n/units.h"

#include <filesystem>
#include <string>

namespace vartesk {

// The file name of a template: the base, "N" for the kN system when the report has such
// variants, "_en" or "_ru", ".xls" ("FormMount" -> "FormMountN_en.xls").
std::string TemplateFileName(const std::string &base,
                             TLanguage language,
                             TUnitSystem units,
                             bool hasUnitVariants = true);

// The template's name as the missing-template message gives it: relative to the program
// folder ("/Forms/FormMount_ru.xls") when it lies there, else the whole path.
std::string TemplateDisplayName(const std::filesystem::path &templatePath);

} // namespace vartesk
