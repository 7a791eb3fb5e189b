// The plausibility warnings of a loaded project, as the commands print them.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vartesk {
class TProject;
}

namespace vartesk::cli {

// Writes each warning of the project to err as a "vartesk: warning:" line and gives them.
std::vector<std::string> WarnAboutProject(const TProject &project, std::ostream &err);

} // namespace vartesk::cli
