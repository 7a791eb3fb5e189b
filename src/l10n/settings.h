// The persistent settings: [Param] Language and Units of the user's settings file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vartesk {

// $XDG_CONFIG_HOME/Morvik/Lorvana/settings.ini (~/.config when the variable is unset).
std::filesystem::path SettingsFile();

// The readers give nothing when there is no file or it cannot be read. The writers keep the
// rest of the file and raise EFileError when it cannot be written, or when it is there but
// cannot be read: such a file is left as it is, since rewriting it would lose what it holds,
// and nothing is stored.

// The value of name under [Param] when it is a decimal integer.
std::optional<int> ReadSetting(const std::string &name);
// Stores the values under [Param] in one write.
void WriteSettings(const std::vector<std::pair<std::string, int>> &values);
void WriteSetting(const std::string &name, int value);

// The name=value lines of another section, in file order, names and values trimmed.
std::vector<std::pair<std::string, std::string>> ReadSettingsSection(const std::string &section);
// Replaces that section by the entries (none: removes it).
void WriteSettingsSection(const std::string &section,
                          const std::vector<std::pair<std::string, std::string>> &entries);

} // namespace vartesk
