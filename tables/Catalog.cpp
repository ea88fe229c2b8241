#include "Catalog.h"

#include <algorithm>
#include <cctype>

#include "Display.h"
#include "Lookup.h"
#include "mdlGases.h"
#include "mdlLiquids.h"
#include "mdlMetals.h"
#include "mdlWater.h"

namespace vantorel {

namespace {

template <const PropertyTable& Table>
SlotValues LookUpIn(double t) {
  return LookUp(Table, t);
}

constexpr Fluid kGases[] = {
    {"air", "Air", 100, 3000, AirProps, LookUpIn<gases::Air>},
    {"ammonia", "Ammonia (NH3)", 300, 580, AmmoniaProps, LookUpIn<gases::Ammonia>},
    {"carbon-dioxide", "Carbon Dioxide (CO2)", 280, 800, CarbonDioxideProps, LookUpIn<gases::CarbonDioxide>},
    {"carbon-monoxide", "Carbon Monoxide (CO)", 200, 800, CarbonMonoxideProps, LookUpIn<gases::CarbonMonoxide>},
    {"helium", "Helium (He)", 100, 1000, HeliumProps, LookUpIn<gases::Helium>},
    {"hydrogen", "Hydrogen (H2)", 100, 2000, HydrogenProps, LookUpIn<gases::Hydrogen>},
    {"nitrogen", "Nitrogen (N2)", 100, 1300, NitrogenProps, LookUpIn<gases::Nitrogen>},
    {"oxygen", "Oxygen (O2)", 100, 1300, OxygenProps, LookUpIn<gases::Oxygen>},
    {"water-vapor", "Water Vapor (Steam)", 380, 850, SteamProps, LookUpIn<gases::Steam>},
};

constexpr Fluid kSaturatedFluids[] = {
    {"engine-oil", "Engine Oil (Unused)", 273, 430, EngineOilProps, LookUpIn<liquids::EngineOil>},
    {"ethylene-glycol", "Ethylene Glycol [C2H4(OH)2]", 273, 373, EthyleneGlycolProps, LookUpIn<liquids::EthyleneGlycol>},
    {"glycerin", "Glycerin [C3H5(OH)3]", 273, 320, GlycerinProps, LookUpIn<liquids::Glycerin>},
    {"freon-12", "Freon (Refrigerant-12) (CCl2F2)", 230, 320, FreonProps, LookUpIn<liquids::Freon>},
    {"mercury", "Mercury (Hg)", 273, 600, MercuryProps, LookUpIn<liquids::Mercury>},
};

constexpr Fluid kSaturatedWater[] = {
    {"saturated-water", "Saturated Water", 273.15, 647.3, SatWaterProps, SatWaterLookUp},
};

constexpr Fluid kLiquidMetals[] = {
    {"bismuth", "Bismuth", 589, 1033, BismuthProps, LookUpIn<metals::Bismuth>},
    {"lead", "Lead", 644, 977, LeadProps, LookUpIn<metals::Lead>},
    {"potassium", "Potassium", 422, 977, PotassiumProps, LookUpIn<metals::Potassium>},
    {"sodium", "Sodium", 366, 977, SodiumProps, LookUpIn<metals::Sodium>},
    {"nak-45", "NaK (45%/55%)", 366, 977, NaK45Props, LookUpIn<metals::NaK45>},
    {"nak-22", "NaK (22%/78%)", 366, 1033, NaK22Props, LookUpIn<metals::NaK22>},
    {"pbbi", "PbBi (44.5%/55.5%)", 422, 922, PbBiProps, LookUpIn<metals::PbBi>},
};

constexpr Category kCategories[] = {
    {"Gases at Atmoshperic Pressure", kGases},
    {"Saturated Fluids", kSaturatedFluids},
    {"Saturated Water", kSaturatedWater},
    {"Liquid Metals", kLiquidMetals},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

}  // namespace

std::span<const Category> Categories() { return kCategories; }

const Category* CategoryAt(int category) {
  if (category < 1 || category > static_cast<int>(std::size(kCategories))) return nullptr;
  return &kCategories[category - 1];
}

const Fluid* FluidAt(int category, int fluid) {
  const Category* c = CategoryAt(category);
  if (!c || fluid < 1 || fluid > static_cast<int>(c->fluids.size())) return nullptr;
  return &c->fluids[fluid - 1];
}

FluidRef FindFluid(std::string_view name) {
  for (int c = 1; c <= static_cast<int>(std::size(kCategories)); ++c) {
    const auto fluids = kCategories[c - 1].fluids;
    for (int f = 1; f <= static_cast<int>(fluids.size()); ++f) {
      const Fluid& fluid = fluids[f - 1];
      if (SameIgnoringCase(name, fluid.id) || SameIgnoringCase(name, fluid.listText))
        return {c, f, &fluid};
    }
  }
  return {};
}

std::string RangeText(double Tmin, double Tmax, std::string_view decimalPoint) {
  std::string text = NumberText(Tmin, decimalPoint);
  text += "K <= T <= ";
  text += NumberText(Tmax, decimalPoint);
  text += 'K';
  return text;
}

std::string RangeText(const Fluid& fluid, std::string_view decimalPoint) {
  return RangeText(fluid.Tmin, fluid.Tmax, decimalPoint);
}

}  // namespace vantorel
