// The persistent settings: [Param] Language and Units of the user's settings file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vartesk {

// $XDG_CONFIG_HOME/Morvik/Lorvana/settings.ini (~/.config when the variable is unset).
std::filesystem::path SettingsFile();
// The value of name under [Param] when it is a decimal integer.
std::optional<int> ReadSetting(const std::string &name);
// Stores the value under [Param], keeping the rest of the file; failures are ignored.
void WriteSetting(const std::string &name, int value);

} // namespace vartesk
