// The catalog a command of the tool works with.
#include "cli/catalog_option.h"

#include "catalog/working_catalog.h"

#include <ostream>

namespace vartesk::cli {

void UseCatalogFor(const TGlobalOptions &global, std::ostream &err)
{
    ReportCatalogWarnings(global.Catalog ? LoadCatalogFile(*global.Catalog) : LoadWorkingCatalog(),
                          err);
}

std::vector<TInputFile> ProtectedInputs(const TGlobalOptions &global, std::vector<TInputFile> more)
{
    std::vector<TInputFile> inputs = CatalogInputs(WireCatalog());
    if (global.Catalog)
        inputs.push_back({*global.Catalog, TInputFile::Catalog});
    for (TInputFile &input : more)
        inputs.push_back(std::move(input));
    return inputs;
}

void ReportCatalogWarnings(const std::vector<std::string> &warnings, std::ostream &err)
{
    for (const auto &warning : warnings)
        err << "vartesk: warning: " << warning << "\n";
}

} // namespace vartesk::cli
