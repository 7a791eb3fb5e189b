// The catalog a command of the tool works with.
#include "cli/catalog_option.h"

#include "catalog/working_catalog.h"

#include <ostream>

namespace vartesk::cli {

void UseCatalogFor(const TGlobalOptions &global, std::ostream &err)
{
    const auto warning = global.Catalog ? LoadCatalogFile(*global.Catalog) : LoadWorkingCatalog();
    if (warning)
        err << "vartesk: warning: " << *warning << "\n";
}

} // namespace vartesk::cli
