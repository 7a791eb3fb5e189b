// Choosing the wire catalog of one run: the --catalog file or the working copy.
#pragma once

#include "cli/command.h"
#include "reports/output_command.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vartesk::cli {

// Loads the file of --catalog for this run, or else the working catalog (seeding it on the
// first run). Load warnings are written to err; failures raise.
void UseCatalogFor(const TGlobalOptions &global, std::ostream &err);

// The files a written output must leave alone besides the project: the working catalog, the
// catalog in use and the file of --catalog (a text export is in use without a file of its
// own), followed by `more`.
std::vector<TInputFile> ProtectedInputs(const TGlobalOptions &global,
                                        std::vector<TInputFile> more = {});

// Writes the warnings of a catalog load or import to err, one line each.
void ReportCatalogWarnings(const std::vector<std::string> &warnings, std::ostream &err);

} // namespace vartesk::cli
