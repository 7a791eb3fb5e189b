// The damper models as the section settings store them: codes and their names.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

// Damper model codes of a section's wire and cord.
inline constexpr int kModelGvp = 0;
inline constexpr int kModelGvu = 1;
inline constexpr int kModelGvs = 2;

// Exact comparison with the three names; any other text is the first model.
int DamperModelCode(std::string_view name);
// The name of codes 0..2; any other code gives the first model's name.
std::string DamperModelName(int code);

} // namespace vartesk
