// Loading a project for a command: the file's own warnings, a stopped load's place, and the
// plausibility warnings, all said the same way by every command.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vartesk {
class TProject;
}

namespace vartesk::cli {

// Loads the project; the reader's warnings go to err as "vartesk: warning: PATH: ...", and a
// stopped load raises an error that names the file and the line before the reader's words.
void LoadProject(const std::string &path, TProject &project, std::ostream &err);

// Writes each plausibility warning of the project to err as a "vartesk: warning:" line and
// gives them.
std::vector<std::string> WarnAboutProject(const TProject &project, std::ostream &err);

// The same for the warnings that need calculated sags (a sag above 5 % of its span), from
// the catalog in use: call it after the catalog is loaded.
std::vector<std::string> WarnAboutSags(TProject &project, std::ostream &err);

} // namespace vartesk::cli
