// The display unit system and its factors: daN, daN/mm2 (1, 1) or kN, N/mm2 (0.01, 10).
#pragma once

namespace vartesk {

// The numbers are those stored in the settings.
enum class TUnitSystem {
    DaN = 0,
    KN = 1,
};

TUnitSystem UnitSystem();
// Tensions and moduli are shown as internal value * ForceFactor.
double ForceFactor();
// Stresses are shown as internal value * StressFactor.
double StressFactor();
// Reads the stored unit system without touching the factors; any stored number other than
// 0 has the factors of kN, so it reads as kN (and is written back as such).
void LoadUnitSystem();
// Sets the unit system and both factors and stores it; EFileError when it could not be stored
// (the unit system is set for this run all the same).
void SetUnitSystem(TUnitSystem system);
// The same for this run only.
void UseUnitSystem(TUnitSystem system);

} // namespace vartesk
