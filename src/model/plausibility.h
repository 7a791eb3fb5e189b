// Values a project may hold but a designer can hardly have meant: warnings, never refusals.
#pragma once

#include <string>
#include <vector>

namespace vartesk {

class TProject;

// Outside these bounds a value is taken for a slip. The longest spans ever built are
// about 5.4 km; the temperatures span the coldest and hottest climates lines are built in.
inline constexpr double kMaxPlausibleSpan = 6000; // m
inline constexpr double kMaxPlausibleIce = 100; // mm
inline constexpr double kMaxPlausibleWind = 75; // m/s
inline constexpr double kMinPlausibleTemperature = -70; // C
inline constexpr double kMaxPlausibleTemperature = 60; // C
inline constexpr int kMaxPlausibleHeight = 500; // m
// Longer spans are crossings (rivers, straits) that the ordinary calculation of a line does
// not cover by itself: plausible, but worth a word.
inline constexpr double kLongCrossingSpan = 1000; // m

// One line per doubtful value, naming section, support and field, in the current language;
// stresses and tensions in the display unit system. Only the limits a section uses are
// judged: those of a conductor it carries, in the form its mode selects.
std::vector<std::string> PlausibilityWarnings(const TProject &project);

} // namespace vartesk
