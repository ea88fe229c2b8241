#pragma once
// Saturated fluids: five table procedures and their tables.

#include "Lookup.h"

namespace vantorel {

namespace liquids {
extern const PropertyTable EngineOil, EthyleneGlycol, Glycerin, Freon, Mercury;
}

// Each reads State.Temp and writes Rho, Cp, Mu, Nu, K, Alpha, Pr and Beta.
void EngineOilProps();
void EthyleneGlycolProps();
void GlycerinProps();
void FreonProps();
void MercuryProps();

}  // namespace vantorel
