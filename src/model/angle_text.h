// The turning angle of a support as one text, as the scheme and the journal show it.
#pragma once

#include <string>

namespace vartesk {

class TPillar;

// "Ang.1;+12°30'15"" (with the angle's number), "+12°30'15"" (without), or, when no angle is
// given but the number is, "Уг.1" cut to 11 characters; empty otherwise, and for a direction
// other than "+" (0) and "-" (1).
std::string AngleText(const TPillar &support);

} // namespace vartesk
