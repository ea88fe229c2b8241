#pragma once
// Liquid metals: seven table procedures and their tables.

#include "Lookup.h"

namespace vantorel {

namespace metals {
extern const PropertyTable Bismuth, Lead, Potassium, Sodium, NaK45, NaK22, PbBi;
}

// Each reads State.Temp and writes Rho, Cp, Nu, K, Alpha and Pr, each a
// number or the no-value marker. Mu and Beta keep what they held.
void BismuthProps();
void LeadProps();
void PotassiumProps();
void SodiumProps();
void NaK45Props();
void NaK22Props();
void PbBiProps();

}  // namespace vantorel
