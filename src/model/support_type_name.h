// A support type as a person reads it.
#pragma once

#include "model/pillar.h"

#include <string>

namespace vartesk {

// "Strain", "Intermediate" or "Dead-end" in the current language; a value outside the three
// (a damaged file) as its number.
std::string SupportTypeName(TSupportType type);

} // namespace vartesk
