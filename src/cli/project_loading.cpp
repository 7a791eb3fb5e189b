// Project loading and its warnings, as every command reports them.
#include "cli/project_loading.h"

#include "calc/sagging_grid.h"
#include "catalog/working_catalog.h"
#include "model/plausibility.h"
#include "model/projectfile/project_file.h"

#include <ostream>
#include <stdexcept>

namespace vartesk::cli {

void LoadProject(const std::string &path, TProject &project, std::ostream &err)
{
    try {
        for (const std::string &warning : LoadProjectFile(path, project))
            err << "vartesk: warning: " << path << ": " << warning << "\n";
    } catch (const EProjectFileError &e) {
        throw std::runtime_error(path + ":" + std::to_string(e.Line) + ": " + e.what());
    }
}

std::vector<std::string> WarnAboutProject(const TProject &project, std::ostream &err)
{
    std::vector<std::string> warnings = PlausibilityWarnings(project);
    for (const auto &warning : warnings)
        err << "vartesk: warning: " << warning << "\n";
    return warnings;
}

std::vector<std::string> WarnAboutSags(TProject &project, std::ostream &err)
{
    std::vector<std::string> warnings = SagWarnings(project, WireCatalog());
    for (const auto &warning : warnings)
        err << "vartesk: warning: " << warning << "\n";
    return warnings;
}

} // namespace vartesk::cli
