// Height and diameter corrections of wind and ice, and the wind non-uniformity along a span.
#pragma once

namespace vartesk {

// Kw, the change of wind pressure with height: h is the height of the reduced centre of
// gravity of the conductor in whole metres (visotaPC for the wire, visotaPC_tros for the cord),
// typeTer the terrain 1 = A, 2 = B, 3 = C. Any other terrain gives 1.0 at every height.
double WindHeightCoef(int h, int typeTer);

// Ki, the change of ice wall thickness with height h (whole metres).
double IceHeightCoef(int h);

// Kd, the change of ice wall thickness with the conductor's diameter d (mm); 1.0 below 25 m
// whatever d (note: at exactly 25 m Ki is still 1.0 while Kd already depends on d).
double IceDiameterCoef(int h, double d);

// αw, the non-uniformity of the wind pressure along the span at wind velocity v (m/s).
double WindUnevennessCoef(double v);

} // namespace vartesk
