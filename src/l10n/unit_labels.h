// The captions of the display units of stresses, tensions and moduli in the current language.
#pragma once

#include <string>

namespace vartesk {

std::string StressUnitLabel(); // daN/mm2 or N/mm2
std::string ForceUnitLabel(); // daN or kN
std::string ModulusUnitLabel(); // daN/mm2 or kN/mm2: moduli follow the force factor
// Unit names that scripts rely on stay English whatever the language.
const char *ForceUnitName(); // "daN" or "kN"

} // namespace vartesk
