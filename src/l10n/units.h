// The display unit system and its factors: 0 daN, daN/mm2 (1, 1); 1 kN, N/mm2 (0.01, 10).
#pragma once

namespace vartesk {

int UnitSystem();
// Tensions and moduli are shown as internal value * ForceFactor.
double ForceFactor();
// Stresses are shown as internal value * StressFactor.
double StressFactor();
// Reads the stored unit system without touching the factors.
void LoadUnitSystem();
// Sets the unit system and both factors and stores it; EFileError when it could not be stored
// (the unit system is set for this run all the same).
void SetUnitSystem(int system);
// The same for this run only.
void UseUnitSystem(int system);

} // namespace vartesk
