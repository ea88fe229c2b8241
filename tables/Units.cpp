// Values in the units people work in: the book's decimal times exact
// factors, rounded to the digits the book vouches for.

#include <vantorel/vantorel.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>

#include "Decimal.h"
#include "Exact.h"

namespace vantorel {

namespace {

using enum Slot;

// What a property measures: each has one unit per system.
enum class Kind : std::uint8_t {
  Density,
  SpecificHeat,
  Viscosity,
  Diffusivity,
  Conductivity,
  Expansion,
  Number,
  Pressure,
  SpecificVolume,
  LatentHeat,
  SurfaceTension,
};

constexpr Kind KindOf(Slot slot) {
  switch (slot) {
    case Rho:
      return Kind::Density;
    case Cp:
    case Cpf:
    case Cpg:
      return Kind::SpecificHeat;
    case Mu:
    case Muf:
    case Mug:
      return Kind::Viscosity;
    case Nu:
    case Alpha:
      return Kind::Diffusivity;
    case K:
    case Kf:
    case Kg:
      return Kind::Conductivity;
    case Beta:
    case Betaf:
      return Kind::Expansion;
    case P:
      return Kind::Pressure;
    case Vf:
    case Vg:
      return Kind::SpecificVolume;
    case Hfg:
      return Kind::LatentHeat;
    case Sigmaf:
      return Kind::SurfaceTension;
    case Pr:
    case Prf:
    case Prg:
      break;
  }
  return Kind::Number;
}

constexpr Factor Reduced(std::uint64_t num, std::uint64_t den, int exponent) {
  const std::uint64_t g = std::gcd(num, den);
  return {num / g, den / g, exponent};
}

// The exact lengths, masses and energies the US units are made of.
constexpr std::uint64_t kLbm = 45359237;            // 0.45359237 kg: 10^-8
constexpr std::uint64_t kFt = 3048;                 // 0.3048 m: 10^-4
constexpr std::uint64_t kFt2 = 9290304;             // 10^-8
constexpr std::uint64_t kFt3 = 28316846592;         // 10^-12
constexpr std::uint64_t kBtu = 105505585262;        // 1055.05585262 J: 10^-8
constexpr std::uint64_t kLbf = 44482216152605;      // 4.4482216152605 N: 10^-13
constexpr std::uint64_t kPsi = 6894757293168;       // 6894.757293168 Pa: 10^-9
constexpr std::uint64_t kHour = 3600;               // s
// An interval of 1 °F or 1 °R is 5/9 K.

struct SystemUnit {
  UnitName name;
  Factor fromSi;  // the value in this unit is the SI value times this
};

struct KindUnits {
  UnitName book;
  int bookExponent;  // one book unit is 10^bookExponent SI units: kJ 3, bar 5
  SystemUnit si, engineering, us;
};

// clang-format off
constexpr KindUnits kUnits[] = {
    // Density: kg/m³ → lbm/ft³, times ft³/lbm.
    {{"kg/m³", "kg/m^3"}, 0,
     {{"kg/m³", "kg/m^3"}, {}}, {{"kg/m³", "kg/m^3"}, {}},
     {{"lbm/ft³", "lbm/ft^3"}, Reduced(kFt3, kLbm, -4)}},
    // Specific heat: J/(kg·K) → Btu/(lbm·°F), times lbm·(5/9)/Btu.
    {{"kJ/kg·K", "kJ/(kg*K)"}, 3,
     {{"J/(kg·K)", "J/(kg*K)"}, {}}, {{"kJ/(kg·K)", "kJ/(kg*K)"}, {1, 1, -3}},
     {{"Btu/(lbm·°F)", "Btu/(lbm*degF)"}, Reduced(kLbm * 5, kBtu * 9, 0)}},
    // Viscosity: Pa·s = kg/(m·s) → lbm/(ft·h), times ft·h/lbm.
    {{"N·s/m²", "N*s/m^2"}, 0,
     {{"Pa·s", "Pa*s"}, {}}, {{"mPa·s", "mPa*s"}, {1, 1, 3}},
     {{"lbm/(ft·h)", "lbm/(ft*h)"}, Reduced(kFt * kHour, kLbm, 4)}},
    // Diffusivity: m²/s → ft²/h, times h/ft².
    {{"m²/s", "m^2/s"}, 0,
     {{"m²/s", "m^2/s"}, {}}, {{"mm²/s", "mm^2/s"}, {1, 1, 6}},
     {{"ft²/h", "ft^2/h"}, Reduced(kHour, kFt2, 8)}},
    // Conductivity: W/(m·K) → Btu/(h·ft·°F), times h·ft·(5/9)/Btu.
    {{"W/m·K", "W/(m*K)"}, 0,
     {{"W/(m·K)", "W/(m*K)"}, {}}, {{"W/(m·K)", "W/(m*K)"}, {}},
     {{"Btu/(h·ft·°F)", "Btu/(h*ft*degF)"}, Reduced(kHour * kFt * 5, kBtu * 9, 4)}},
    // Expansion: 1/K → 1/°R, times 5/9.
    {{"K⁻¹", "1/K"}, 0,
     {{"1/K", "1/K"}, {}}, {{"1/K", "1/K"}, {}},
     {{"1/°R", "1/degR"}, Reduced(5, 9, 0)}},
    // A pure number.
    {{"", "-"}, 0, {{"", "-"}, {}}, {{"", "-"}, {}}, {{"", "-"}, {}}},
    // Pressure: Pa → kPa, psia.
    {{"bar", "bar"}, 5,
     {{"Pa", "Pa"}, {}}, {{"kPa", "kPa"}, {1, 1, -3}},
     {{"psia", "psia"}, Reduced(1, kPsi, 9)}},
    // Specific volume: m³/kg → ft³/lbm, times lbm/ft³.
    {{"m³/kg", "m^3/kg"}, 0,
     {{"m³/kg", "m^3/kg"}, {}}, {{"m³/kg", "m^3/kg"}, {}},
     {{"ft³/lbm", "ft^3/lbm"}, Reduced(kLbm, kFt3, 4)}},
    // Latent heat: J/kg → kJ/kg, Btu/lbm, times lbm/Btu.
    {{"kJ/kg", "kJ/kg"}, 3,
     {{"J/kg", "J/kg"}, {}}, {{"kJ/kg", "kJ/kg"}, {1, 1, -3}},
     {{"Btu/lbm", "Btu/lbm"}, Reduced(kLbm, kBtu, 0)}},
    // Surface tension: N/m → mN/m, lbf/ft, times ft/lbf.
    {{"N/m", "N/m"}, 0,
     {{"N/m", "N/m"}, {}}, {{"mN/m", "mN/m"}, {1, 1, 3}},
     {{"lbf/ft", "lbf/ft"}, Reduced(kFt, kLbf, 9)}},
};
// clang-format on

const KindUnits& UnitsOf(Slot slot) { return kUnits[static_cast<int>(KindOf(slot))]; }

const SystemUnit& In(const KindUnits& units, UnitSystem system) {
  switch (system) {
    case UnitSystem::Engineering:
      return units.engineering;
    case UnitSystem::US:
      return units.us;
    case UnitSystem::Book:
    case UnitSystem::SI:
      break;
  }
  return units.si;
}

void SetText(Quantity& q, std::string_view text) {
  q.size = static_cast<std::uint8_t>(std::min(text.size(), q.chars.size()));
  std::copy_n(text.data(), q.size, q.chars.data());
}

}  // namespace

std::string_view UnitSystemName(UnitSystem system) noexcept {
  switch (system) {
    case UnitSystem::SI:
      return "si";
    case UnitSystem::Engineering:
      return "engineering";
    case UnitSystem::US:
      return "us";
    case UnitSystem::Book:
      break;
  }
  return "book";
}

std::optional<UnitSystem> UnitSystemNamed(std::string_view name) noexcept {
  for (const UnitSystem s : {UnitSystem::Book, UnitSystem::SI, UnitSystem::Engineering, UnitSystem::US}) {
    const std::string_view id = UnitSystemName(s);
    if (id.size() == name.size() && std::equal(id.begin(), id.end(), name.begin(), [](char a, char b) {
          return a == std::tolower(static_cast<unsigned char>(b));
        }))
      return s;
  }
  return std::nullopt;
}

TemperatureUnit TemperatureUnitOf(UnitSystem system) noexcept {
  switch (system) {
    case UnitSystem::Engineering:
      return TemperatureUnit::Celsius;
    case UnitSystem::US:
      return TemperatureUnit::Fahrenheit;
    case UnitSystem::Book:
    case UnitSystem::SI:
      break;
  }
  return TemperatureUnit::Kelvin;
}

UnitName UnitOf(const PropertyInfo& property, UnitSystem system) noexcept {
  const KindUnits& units = UnitsOf(property.slot);
  return system == UnitSystem::Book ? units.book : In(units, system).name;
}

Quantity ValueIn(const Property& p, UnitSystem system) noexcept {
  Quantity q;
  q.state = p.state;
  const KindUnits& units = UnitsOf(p.slot);
  q.unit = system == UnitSystem::Book ? units.book : In(units, system).name;
  if (p.id.empty()) return q;  // an empty property: no value
  try {
    if (p.state != ValueState::Value) {
      q.value = p.state == ValueState::Infinite ? std::numeric_limits<double>::infinity()
                                                : std::numeric_limits<double>::quiet_NaN();
      SetText(q, p.text());
      return q;
    }
    // The book's rounded decimal: a whole number of 10^-places.
    const double whole = std::round(std::fabs(p.book) * std::pow(10.0, p.places));
    const bool negative = std::signbit(p.book) && whole != 0;
    const Decimal64 book{static_cast<std::uint64_t>(whole), p.power - p.places};
    switch (system) {
      case UnitSystem::Book:
        q.value = (negative ? -1 : 1) * Nearest(book);
        SetText(q, p.text());
        return q;
      case UnitSystem::SI:
        q.value = p.value;
        SetText(q, NumberText(p.value));
        return q;
      case UnitSystem::Engineering:
      case UnitSystem::US:
        break;
    }
    const Factor f = In(units, system).fromSi;
    const Decimal64 si{book.digits, book.exponent + units.bookExponent};
    const Decimal64 converted =
        f.num == 1 && f.den == 1 ? Decimal64{si.digits, si.exponent + f.exponent}
                                 : Times(si, f, std::max(1, DigitCount(book.digits)));
    q.value = (negative ? -1 : 1) * Nearest(converted);
    SetText(q, DecimalText(converted, negative));
  } catch (...) {  // no memory for a text: no value to give
    q.state = ValueState::NoValue;
    q.value = std::numeric_limits<double>::quiet_NaN();
    q.size = 0;
  }
  return q;
}

}  // namespace vantorel
