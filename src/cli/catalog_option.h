// Choosing the wire catalog of one run: the --catalog file or the working copy.
#pragma once

#include "cli/command.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vartesk::cli {

// Loads the file of --catalog for this run, or else the working catalog (seeding it on the
// first run). Load warnings are written to err; failures raise.
void UseCatalogFor(const TGlobalOptions &global, std::ostream &err);

// Writes the warnings of a catalog load or import to err, one line each.
void ReportCatalogWarnings(const std::vector<std::string> &warnings, std::ostream &err);

} // namespace vartesk::cli
