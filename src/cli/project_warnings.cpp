// The plausibility warnings of a loaded project, as the commands print them.
#include "cli/project_warnings.h"

#include "model/plausibility.h"

#include <ostream>

namespace vartesk::cli {

std::vector<std::string> WarnAboutProject(const TProject &project, std::ostream &err)
{
    std::vector<std::string> warnings = PlausibilityWarnings(project);
    for (const auto &warning : warnings)
        err << "vartesk: warning: " << warning << "\n";
    return warnings;
}

} // namespace vartesk::cli
