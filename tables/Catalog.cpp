#include "Catalog.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <vector>

#include "Decimal.h"
#include "mdlGases.h"
#include "mdlLiquids.h"
#include "mdlMetals.h"
#include "mdlWater.h"

namespace vantorel {

namespace {

using enum Slot;
using enum Markers;

// ---------------------------------------------------------------------------
// Units: as the book and the window give them, and in SI base units.

constexpr Unit kDensity{"kg/m³", "kg/m³", 0, "kg/m^3"};
constexpr Unit kSpecificHeat{"kJ/kg·K", "J/(kg·K)", 3, "J/(kg*K)"};
constexpr Unit kViscosity{"N·s/m²", "Pa·s", 0, "Pa*s"};
constexpr Unit kDiffusivity{"m²/s", "m²/s", 0, "m^2/s"};
constexpr Unit kConductivity{"W/m·K", "W/(m·K)", 0, "W/(m*K)"};
constexpr Unit kPerKelvin{"K⁻¹", "1/K", 0, "1/K"};
constexpr Unit kNumber{"", "", 0, "-"};
constexpr Unit kPressure{"bar", "Pa", 5, "Pa"};
constexpr Unit kSpecificVolume{"m³/kg", "m³/kg", 0, "m^3/kg"};
constexpr Unit kLatentHeat{"kJ/kg", "J/kg", 3, "J/kg"};
constexpr Unit kSurfaceTension{"N/m", "N/m", 0, "N/m"};

// ---------------------------------------------------------------------------
// The labels each category shows: slot, the power of ten its table factors
// out, and the markers the label tests for.

constexpr ShownProperty kGasLabels[] = {
    {0, Rho, 0, None, "density", "ρ", kDensity},
    {1, Cp, 0, None, "specific heat", "c_p", kSpecificHeat},
    {2, Mu, -7, None, "dynamic viscosity", "μ", kViscosity},
    {3, Nu, -6, None, "kinematic viscosity", "ν", kDiffusivity},
    {4, K, -3, None, "thermal conductivity", "k", kConductivity},
    {5, Alpha, -6, None, "thermal diffusivity", "α", kDiffusivity},
    {6, Pr, 0, None, "Prandtl number", "Pr", kNumber},
    {7, Beta, -3, None, "volumetric thermal expansion coefficient", "β", kPerKelvin},
};

// The gases' labels, with viscosity in 10^-2 and diffusivity in 10^-7.
constexpr ShownProperty kSaturatedFluidLabels[] = {
    {0, Rho, 0, None, "density", "ρ", kDensity},
    {1, Cp, 0, None, "specific heat", "c_p", kSpecificHeat},
    {2, Mu, -2, None, "dynamic viscosity", "μ", kViscosity},
    {3, Nu, -6, None, "kinematic viscosity", "ν", kDiffusivity},
    {4, K, -3, None, "thermal conductivity", "k", kConductivity},
    {5, Alpha, -7, None, "thermal diffusivity", "α", kDiffusivity},
    {6, Pr, 0, None, "Prandtl number", "Pr", kNumber},
    {7, Beta, -3, None, "volumetric thermal expansion coefficient", "β", kPerKelvin},
};

constexpr ShownProperty kSaturatedWaterLabels[] = {
    {0, P, 0, None, "saturation pressure", "P", kPressure},
    {1, Vf, -3, None, "specific volume of the liquid", "v_f", kSpecificVolume},
    {2, Vg, 0, None, "specific volume of the vapour", "v_g", kSpecificVolume},
    {3, Hfg, 0, None, "heat of vaporisation", "h_fg", kLatentHeat},
    {4, Cpf, 0, NoValueOrInfinite, "specific heat of the liquid", "c_p,f", kSpecificHeat},
    {5, Cpg, 0, NoValueOrInfinite, "specific heat of the vapour", "c_p,g", kSpecificHeat},
    {6, Muf, -6, None, "dynamic viscosity of the liquid", "μ_f", kViscosity},
    {7, Mug, -6, None, "dynamic viscosity of the vapour", "μ_g", kViscosity},
    {8, Kf, -3, None, "thermal conductivity of the liquid", "k_f", kConductivity},
    {9, Kg, -3, None, "thermal conductivity of the vapour", "k_g", kConductivity},
    {10, Prf, 0, NoValueOrInfinite, "Prandtl number of the liquid", "Pr_f", kNumber},
    {11, Prg, 0, NoValueOrInfinite, "Prandtl number of the vapour", "Pr_g", kNumber},
    {12, Sigmaf, -3, None, "surface tension of the liquid", "σ_f", kSurfaceTension},
    // The book gives the liquid's expansion coefficient up to 420 K only; below
    // that a -1 is a real value (near 277 K, where it changes sign).
    {13, Betaf, -6, NoValue, "volumetric expansion coefficient of the liquid", "β_f", kPerKelvin, 420},
};

// Liquid metals show no viscosity row and no right column.
constexpr ShownProperty kLiquidMetalLabels[] = {
    {0, Rho, 0, None, "density", "ρ", kDensity},
    {1, Cp, 0, NoValue, "specific heat", "c_p", kSpecificHeat},
    {3, Nu, -7, NoValue, "kinematic viscosity", "ν", kDiffusivity},
    {4, K, 0, NoValue, "thermal conductivity", "k", kConductivity},
    {5, Alpha, -5, NoValue, "thermal diffusivity", "α", kDiffusivity},
    {6, Pr, 0, NoValue, "Prandtl number", "Pr", kNumber},
};

constexpr detail::CategoryTables kGasTables = detail::TablesShowing(kGasLabels);
constexpr detail::CategoryTables kSaturatedFluidTables = detail::TablesShowing(kSaturatedFluidLabels);
constexpr detail::CategoryTables kSaturatedWaterTables = detail::TablesShowing(kSaturatedWaterLabels);
constexpr detail::CategoryTables kLiquidMetalTables = detail::TablesShowing(kLiquidMetalLabels);

// ---------------------------------------------------------------------------
// The fluids.

template <const PropertyTable& Table>
const PropertyTable& Whole(double) {
  return Table;
}

template <void (*Props)(), const PropertyTable& (*PieceAt)(double)>
inline constexpr detail::FluidTables kTables{Props, PieceAt};

template <void (*Props)(), const PropertyTable& Table>
constexpr const detail::FluidTables* TablesOf() {
  return &kTables<Props, Whole<Table>>;
}

using Names = std::string_view[];

// What people type for a fluid besides its id: formulas, short names,
// symbols. Each names one fluid only; see kAmbiguous for one that does not.
constexpr Names kAmmoniaAliases{"nh3"};
constexpr Names kCarbonDioxideAliases{"co2"};
constexpr Names kCarbonMonoxideAliases{"co"};
constexpr Names kHeliumAliases{"he"};
constexpr Names kHydrogenAliases{"h2"};
constexpr Names kNitrogenAliases{"n2"};
constexpr Names kOxygenAliases{"o2"};
constexpr Names kSteamAliases{"steam", "water-vapour"};
constexpr Names kEngineOilAliases{"oil"};
constexpr Names kGlycolAliases{"glycol"};
constexpr Names kGlycerinAliases{"glycerine", "glycerol"};
constexpr Names kFreonAliases{"r12", "r-12", "freon"};
constexpr Names kMercuryAliases{"hg"};
constexpr Names kWaterAliases{"water", "h2o"};
constexpr Names kBismuthAliases{"bi"};
constexpr Names kLeadAliases{"pb"};
constexpr Names kPotassiumAliases{"k"};
constexpr Names kSodiumAliases{"na"};
constexpr Names kNaK45Aliases{"nak45"};
constexpr Names kNaK22Aliases{"nak22"};
constexpr Names kPbBiAliases{"lbe", "pb-bi"};

constexpr Fluid kGases[] = {
    {"air", "Air", 100, 3000, 1, {}, TablesOf<AirProps, gases::Air>()},
    {"ammonia", "Ammonia (NH3)", 300, 580, 1, kAmmoniaAliases, TablesOf<AmmoniaProps, gases::Ammonia>()},
    {"carbon-dioxide", "Carbon Dioxide (CO2)", 280, 800, 1, kCarbonDioxideAliases,
     TablesOf<CarbonDioxideProps, gases::CarbonDioxide>()},
    {"carbon-monoxide", "Carbon Monoxide (CO)", 200, 800, 1, kCarbonMonoxideAliases,
     TablesOf<CarbonMonoxideProps, gases::CarbonMonoxide>()},
    {"helium", "Helium (He)", 100, 1000, 1, kHeliumAliases, TablesOf<HeliumProps, gases::Helium>()},
    {"hydrogen", "Hydrogen (H2)", 100, 2000, 1, kHydrogenAliases, TablesOf<HydrogenProps, gases::Hydrogen>()},
    {"nitrogen", "Nitrogen (N2)", 100, 1300, 1, kNitrogenAliases, TablesOf<NitrogenProps, gases::Nitrogen>()},
    {"oxygen", "Oxygen (O2)", 100, 1300, 1, kOxygenAliases, TablesOf<OxygenProps, gases::Oxygen>()},
    {"water-vapor", "Water Vapor (Steam)", 380, 850, 1, kSteamAliases, TablesOf<SteamProps, gases::Steam>()},
};

constexpr Fluid kSaturatedFluids[] = {
    {"engine-oil", "Engine Oil (Unused)", 273, 430, 2, kEngineOilAliases,
     TablesOf<EngineOilProps, liquids::EngineOil>()},
    {"ethylene-glycol", "Ethylene Glycol [C2H4(OH)2]", 273, 373, 2, kGlycolAliases,
     TablesOf<EthyleneGlycolProps, liquids::EthyleneGlycol>()},
    {"glycerin", "Glycerin [C3H5(OH)3]", 273, 320, 2, kGlycerinAliases, TablesOf<GlycerinProps, liquids::Glycerin>()},
    {"freon-12", "Freon (Refrigerant-12) (CCl2F2)", 230, 320, 2, kFreonAliases, TablesOf<FreonProps, liquids::Freon>()},
    {"mercury", "Mercury (Hg)", 273, 600, 2, kMercuryAliases, TablesOf<MercuryProps, liquids::Mercury>()},
};

constexpr Fluid kSaturatedWater[] = {
    {"saturated-water", "Saturated Water", 273.15, 647.3, 3, kWaterAliases, &kTables<SatWaterProps, water::PieceAt>},
};

constexpr Fluid kLiquidMetals[] = {
    {"bismuth", "Bismuth", 589, 1033, 4, kBismuthAliases, TablesOf<BismuthProps, metals::Bismuth>()},
    {"lead", "Lead", 644, 977, 4, kLeadAliases, TablesOf<LeadProps, metals::Lead>()},
    {"potassium", "Potassium", 422, 977, 4, kPotassiumAliases, TablesOf<PotassiumProps, metals::Potassium>()},
    {"sodium", "Sodium", 366, 977, 4, kSodiumAliases, TablesOf<SodiumProps, metals::Sodium>()},
    {"nak-45", "NaK (45%/55%)", 366, 977, 4, kNaK45Aliases, TablesOf<NaK45Props, metals::NaK45>()},
    {"nak-22", "NaK (22%/78%)", 366, 1033, 4, kNaK22Aliases, TablesOf<NaK22Props, metals::NaK22>()},
    {"pbbi", "PbBi (44.5%/55.5%)", 422, 922, 4, kPbBiAliases, TablesOf<PbBiProps, metals::PbBi>()},
};

constexpr Category kCategories[] = {
    {"Gases at Atmoshperic Pressure", "A.4", kGases, &kGasTables},
    {"Saturated Fluids", "A.5", kSaturatedFluids, &kSaturatedFluidTables},
    {"Saturated Water", "A.6", kSaturatedWater, &kSaturatedWaterTables},
    {"Liquid Metals", "A.7", kLiquidMetals, &kLiquidMetalTables},
};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char x, char y) { return Lower(x) == Lower(y); }) != text.end();
}

// A name as it is compared: in lower case, without spaces, hyphens and
// underscores, and without blanks around it, so "Carbon Dioxide",
// "carbon_dioxide" and "carbon-dioxide" are one name. Only its start counts:
// no fluid's name is anywhere near this long.
struct Key {
  std::array<char, 64> text{};
  std::size_t size = 0;
  bool cut = false;  // the name was longer than the key holds

  explicit Key(std::string_view name) {
    name = TrimBlanks(name);
    for (char c : name) {
      if (c == ' ' || c == '-' || c == '_') continue;
      if (size == text.size()) {
        cut = true;
        break;
      }
      text[size++] = Lower(c);
    }
  }
  std::string_view view() const { return {text.data(), size}; }
  bool operator==(const Key& other) const { return !cut && !other.cut && view() == other.view(); }
};

// The list text without its bracketed formulas: "Carbon Dioxide (CO2)" is
// "Carbon Dioxide", "NaK (45%/55%)" is "NaK" (which fits both NaK alloys).
std::string_view WithoutBrackets(std::string_view listText) {
  const std::size_t open = listText.find_first_of("([");
  return TrimBlanks(listText.substr(0, open));
}

// Levenshtein distance, ignoring case: insertions, deletions, substitutions.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitute = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitute});
      diagonal = above;
    }
  }
  return row[b.size()];
}

template <typename Visit>
void ForEachName(const Fluid& fluid, Visit&& visit) {
  visit(fluid.id);
  visit(fluid.name);
  visit(WithoutBrackets(fluid.name));
  for (std::string_view alias : fluid.aliases) visit(alias);
}

bool HasName(const Fluid& fluid, const Key& key) {
  bool found = false;
  ForEachName(fluid, [&](std::string_view n) { found = found || Key(n) == key; });
  return found;
}

// The fluids that answer to `name`, at most `most`; `count` says how many
// there are in all.
struct Fits {
  std::array<const Fluid*, 4> fluids{};
  std::size_t count = 0;
};

Fits FluidsNamed(std::string_view name) {
  const Key key(name);
  Fits fits;
  if (key.size == 0) return fits;
  for (const Category& category : kCategories)
    for (const Fluid& fluid : category.fluids)
      if (HasName(fluid, key) && fits.count++ < fits.fluids.size()) fits.fluids[fits.count - 1] = &fluid;
  return fits;
}

}  // namespace

std::span<const Category> Categories() noexcept { return kCategories; }

std::string_view SlotName(Slot s) noexcept {
  const int i = Index(s);
  return i >= 0 && i < kSlotCount ? detail::kSlotNames[i] : std::string_view{};
}

std::optional<Slot> SlotNamed(std::string_view id) noexcept {
  for (int i = 0; i < kSlotCount; ++i) {
    const std::string_view name = detail::kSlotNames[i];
    if (std::equal(id.begin(), id.end(), name.begin(), name.end(), [](char x, char y) { return Lower(x) == Lower(y); }))
      return static_cast<Slot>(i);
  }
  return std::nullopt;
}

std::span<const PropertyInfo> PropertiesOf(const Category& category) noexcept {
  return {category.tables->info.data(), category.tables->shown.size()};
}

std::span<const PropertyInfo> PropertiesOf(const Fluid& fluid) noexcept { return PropertiesOf(CategoryOf(fluid)); }

const PropertyInfo* FindProperty(const Fluid& fluid, std::string_view id) noexcept {
  const std::optional<Slot> slot = SlotNamed(id);
  if (!slot) return nullptr;
  for (const PropertyInfo& p : PropertiesOf(fluid))
    if (p.slot == *slot) return &p;
  return nullptr;
}

const Category& CategoryOf(const Fluid& fluid) noexcept { return kCategories[fluid.category - 1]; }

const Category* CategoryAt(int category) {
  if (category < 1 || category > static_cast<int>(std::size(kCategories))) return nullptr;
  return &kCategories[category - 1];
}

const Fluid* FluidAt(int category, int fluid) {
  const Category* c = CategoryAt(category);
  if (!c || fluid < 1 || fluid > static_cast<int>(c->fluids.size())) return nullptr;
  return &c->fluids[fluid - 1];
}

std::span<const ShownProperty> ShownProperties(int category) {
  const Category* c = CategoryAt(category);
  return c ? Shown(*c) : std::span<const ShownProperty>{};
}

const ShownProperty* ShownAt(int category, int label) {
  for (const ShownProperty& p : ShownProperties(category))
    if (p.label == label) return &p;
  return nullptr;
}

std::optional<std::string> LabelText(int category, int label, const PropertyState& state,
                                     std::string_view decimalPoint) {
  const ShownProperty* property = ShownAt(category, label);
  if (!property) return std::nullopt;
  return LabelText(*property, state[property->slot], state.Temp, decimalPoint);
}

const Fluid* FindFluid(std::string_view name) noexcept {
  const Fits fits = FluidsNamed(name);
  return fits.count == 1 ? fits.fluids[0] : nullptr;
}

std::vector<std::string_view> AmbiguousIds(std::string_view name) {
  const Fits fits = FluidsNamed(name);
  std::vector<std::string_view> ids;
  if (fits.count > 1)
    for (std::size_t i = 0; i < std::min(fits.count, fits.fluids.size()); ++i) ids.push_back(fits.fluids[i]->id);
  return ids;
}

std::vector<std::string_view> ClosestIds(std::string_view name, std::size_t most) {
  const Fits fits = FluidsNamed(name);
  std::vector<std::string_view> ids;
  for (std::size_t i = 0; i < std::min({fits.count, fits.fluids.size(), most}); ++i) ids.push_back(fits.fluids[i]->id);
  const Key typed(name);
  if (!ids.empty() || typed.size == 0) return ids;
  // A name that holds another, or is held by one, is nearer than any
  // misspelling: "nitrogen gas", "glycol", "dioxide". Then the fewest edits.
  // Names are compared as keys, so "water vapour" is near "water-vapor".
  std::size_t best = std::numeric_limits<std::size_t>::max();
  for (const Category& category : kCategories) {
    for (const Fluid& fluid : category.fluids) {
      std::size_t d = std::numeric_limits<std::size_t>::max();
      ForEachName(fluid, [&](std::string_view n) {
        const Key key(n);
        const std::string_view k = key.view(), t = typed.view();
        const bool part =
            (t.size() >= 2 && ContainsIgnoringCase(k, t)) || (k.size() >= 3 && ContainsIgnoringCase(t, k));
        d = std::min(d, part ? 0 : 1 + EditDistance(t, k));
      });
      if (d < best) {
        best = d;
        ids.clear();
      }
      if (d == best && ids.size() < most) ids.push_back(fluid.id);
    }
  }
  return ids;
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
