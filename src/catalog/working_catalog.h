// The process-wide wire catalog and its working copy in the shared data folder.
#pragma once

#include "catalog/wires_list.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vartesk {

inline constexpr const char *kCatalogFileName = "base_provod.dat";

// The single catalog of the process, from start to exit.
TWiresList &WireCatalog();

// CommonDataFolder()/base_provod.dat.
std::filesystem::path WorkingCatalogPath();
// The seed: ProgramFolder()/base_provod.dat, or InstalledDataFolder()/base_provod.dat after
// install; the first when neither exists, as the place a warning names.
std::filesystem::path ShippedCatalogPath();

// Start of the program: creates the data folder, seeds the working copy from the shipped
// file when there is none (an existing copy is never overwritten), loads it and sorts it by
// name. With neither file the catalog starts empty, with a warning, and remembers the working
// path, so that the first change creates the working copy. Gives the warnings of the load.
[[nodiscard]] std::vector<std::string> LoadWorkingCatalog();

// Exit of the program: writes the working copy when the catalog changed. Does nothing when
// the catalog came from LoadCatalogFile, which is never written back.
void SaveWorkingCatalogIfChanged();

// A catalog for this run only, instead of the working copy: a binary catalog, or a text
// export (".txt", any letter case) read by the import rules. Sorted by name as at start.
// On failure the catalog in use is unchanged. Gives the warnings of the load.
[[nodiscard]] std::vector<std::string> LoadCatalogFile(const std::filesystem::path &path);

// True after LoadWorkingCatalog, false after LoadCatalogFile.
bool UsingWorkingCatalog();

} // namespace vartesk
