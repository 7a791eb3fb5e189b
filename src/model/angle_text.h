// The turning angle of a support as one text, as the journal of supports and the line scheme
// show it.
#pragma once

#include <string>

namespace vartesk {

class TPillar;

// With a turning angle: "Ang.7;+12°30'15"" (the localized "Ang." and the angle number when one
// is given), else "+12°30'15""; a direction other than 0 "+" or 1 "-" gives the empty text.
// Without a turning angle but with an angle number: "Уг.7" in both languages, cut to 11
// characters. Otherwise empty.
std::string AngleText(const TPillar &support);

} // namespace vartesk
