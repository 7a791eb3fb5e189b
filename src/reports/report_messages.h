// The messages every report frame gives the same way: a template that cannot be read, a
// target that cannot be written, the data-entry error with the engine's own words, and a
// filling that stopped early.
#pragma once

#include "port/user_port.h"

#include <exception>
#include <filesystem>
#include <string>

namespace vartesk {

class TProject;

// "Error data entry", a line break and the engine's words (with the file system's reason when
// there is one), so that a person can act on them.
std::string DataEntryError(const std::exception &e);

// Why a file could not be read, in the words of the file system or the engine: "Is a
// directory", "It is larger than 1 GiB, ...", "compound file: file shorter than its header
// sector", never the engine's guess that the file is held open or missing.
std::string ReadFailureReason(const std::exception &e);

// "Cannot write FILE: reason".
std::string CannotWrite(const std::filesystem::path &path, const std::exception &e);

// A template that is not there is "Check for the presence of the files" with its name, as a
// plain box, then the data-entry error; one that is there but cannot be read says so, with
// the reason.
void TellTemplateUnreadable(TMessages &messages,
                            const std::filesystem::path &templatePath,
                            const std::exception &e);

// What was filled is still worth having, but a partial workbook must not pass for a whole
// one: where the filling stopped (the section, and the strain section when it had begun
// one), and why.
std::string FillingStopped(const std::string &section,
                           const std::string &strainSection,
                           const std::exception &e);

// The name of section `index`, empty past the last (a filling that stopped after it).
std::string SectionName(const TProject &project, int index);

} // namespace vartesk
