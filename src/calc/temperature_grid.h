// The nine temperatures of the stringing tables.
#pragma once

#include <array>

namespace vartesk {

inline constexpr int kGridSize = 9;
inline constexpr std::array<double, kGridSize> kTemperatureGrid
    = {-40, -30, -20, -10, 0, 10, 20, 30, 40};

using TGrid = std::array<double, kGridSize>;

} // namespace vartesk
