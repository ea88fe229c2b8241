#pragma once
// Gases at atmospheric pressure: nine table procedures and their tables.

#include "Lookup.h"

namespace vantorel {

namespace gases {
extern const PropertyTable Air, Ammonia, CarbonDioxide, CarbonMonoxide, Helium, Hydrogen, Nitrogen, Oxygen, Steam;
}

// Each reads State.Temp and writes Rho, Cp, Mu, Nu, K, Alpha, Pr and Beta.
void AirProps();
void AmmoniaProps();
void CarbonDioxideProps();
void CarbonMonoxideProps();
void HeliumProps();
void HydrogenProps();
void NitrogenProps();
void OxygenProps();
void SteamProps();

}  // namespace vantorel
