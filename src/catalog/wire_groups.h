// The fixed names of the catalog's groups; entry 0 is the filter that shows everything.
#pragma once

#include <string>

namespace vartesk {

inline constexpr int kWireGroupCount = 8; // 0 (whole catalog) and the groups 1..7

// The English name when the interface is English, the Russian one otherwise; a number
// outside 0..7 has no name and gives an empty text.
std::string WireGroupName(int group);

} // namespace vartesk
