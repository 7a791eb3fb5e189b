// The modulus of elasticity as shown: daN/mm2 in the daN system, kN/mm2 in the N system.
#pragma once

#include "l10n/units.h"

namespace vartesk {

// The catalog always stores daN/mm2; only what the user sees is converted.
inline double ShownModulus(double stored)
{
    return stored * ForceFactor();
}
inline double StoredModulus(double shown)
{
    return shown / ForceFactor();
}

} // namespace vartesk
