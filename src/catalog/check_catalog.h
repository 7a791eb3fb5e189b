// The check, before a calculation, that every wire and cord type of a project is in the catalog.
#pragma once

#include "catalog/wires_list.h"
#include "model/project.h"

#include <optional>
#include <string>

namespace vartesk {

// Looks only when the project has two or more sections; stops at the first missing type and
// gives its message, which the caller shows as an error before dropping the command. The two
// lines are joined by "\r\n", the line break of the string table's own texts.
std::optional<std::string> CheckCatalog(const TProject &project, const TWiresList &catalog);

} // namespace vartesk
