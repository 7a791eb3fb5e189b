// The messages every report frame gives the same way: a missing template, the data-entry
// error with the engine's own words, and a filling that stopped early.
#pragma once

#include "reports/user_port.h"

#include <exception>
#include <filesystem>
#include <string>

namespace vartesk {

class TProject;

// "Error data entry", a line break and the engine's words (with the file system's reason when
// there is one), so that a person can act on them: a folder that does not exist, a target held
// open elsewhere.
std::string DataEntryError(const std::exception &e);

// "Check for the presence of the files" with the template's name, as a plain box, then the
// data-entry error.
void TellMissingTemplate(TMessages &messages,
                         const std::filesystem::path &templatePath,
                         const std::exception &e);

// What was filled is still worth having, but a partial workbook must not pass for a whole
// one: where the filling stopped, and why.
std::string FillingStopped(const std::string &section, const std::exception &e);

// The name of section `index`, empty past the last (a filling that stopped after it).
std::string SectionName(const TProject &project, int index);

} // namespace vartesk
