#include "Display.h"

#include <charconv>

namespace vantorel {

namespace {

using enum Slot;
using enum Markers;

// Gases and saturated fluids share labels and differ only in two powers.
constexpr ShownProperty kGases[] = {
    {0, Rho, 0, None, "density", "ρ", "kg/m³"},
    {1, Cp, 0, None, "specific heat", "c_p", "kJ/kg·K"},
    {2, Mu, -7, None, "dynamic viscosity", "μ", "N·s/m²"},
    {3, Nu, -6, None, "kinematic viscosity", "ν", "m²/s"},
    {4, K, -3, None, "thermal conductivity", "k", "W/m·K"},
    {5, Alpha, -6, None, "thermal diffusivity", "α", "m²/s"},
    {6, Pr, 0, None, "Prandtl number", "Pr", ""},
    {7, Beta, -3, None, "volumetric thermal expansion coefficient", "β", "K⁻¹"},
};

constexpr ShownProperty kSaturatedFluids[] = {
    {0, Rho, 0, None, "density", "ρ", "kg/m³"},
    {1, Cp, 0, None, "specific heat", "c_p", "kJ/kg·K"},
    {2, Mu, -2, None, "dynamic viscosity", "μ", "N·s/m²"},
    {3, Nu, -6, None, "kinematic viscosity", "ν", "m²/s"},
    {4, K, -3, None, "thermal conductivity", "k", "W/m·K"},
    {5, Alpha, -7, None, "thermal diffusivity", "α", "m²/s"},
    {6, Pr, 0, None, "Prandtl number", "Pr", ""},
    {7, Beta, -3, None, "volumetric thermal expansion coefficient", "β", "K⁻¹"},
};

constexpr ShownProperty kSaturatedWater[] = {
    {0, P, 0, None, "saturation pressure", "P", "bar"},
    {1, Vf, -3, None, "specific volume of the liquid", "v_f", "m³/kg"},
    {2, Vg, 0, None, "specific volume of the vapour", "v_g", "m³/kg"},
    {3, Hfg, 0, None, "heat of vaporisation", "h_fg", "kJ/kg"},
    {4, Cpf, 0, NoValueOrInfinite, "specific heat of the liquid", "c_p,f", "kJ/kg·K"},
    {5, Cpg, 0, NoValueOrInfinite, "specific heat of the vapour", "c_p,g", "kJ/kg·K"},
    {6, Muf, -6, None, "dynamic viscosity of the liquid", "μ_f", "N·s/m²"},
    {7, Mug, -6, None, "dynamic viscosity of the vapour", "μ_g", "N·s/m²"},
    {8, Kf, -3, None, "thermal conductivity of the liquid", "k_f", "W/m·K"},
    {9, Kg, -3, None, "thermal conductivity of the vapour", "k_g", "W/m·K"},
    {10, Prf, 0, NoValueOrInfinite, "Prandtl number of the liquid", "Pr_f", ""},
    {11, Prg, 0, NoValueOrInfinite, "Prandtl number of the vapour", "Pr_g", ""},
    {12, Sigmaf, -3, None, "surface tension of the liquid", "σ_f", "N/m"},
    // The book gives the liquid's expansion coefficient up to 420 K only; below
    // that a -1 is a real value (near 277 K, where it changes sign).
    {13, Betaf, -6, NoValue, "volumetric expansion coefficient of the liquid", "β_f", "K⁻¹", 420},
};

// Liquid metals show no viscosity row and no right column.
constexpr ShownProperty kLiquidMetals[] = {
    {0, Rho, 0, None, "density", "ρ", "kg/m³"},
    {1, Cp, 0, NoValue, "specific heat", "c_p", "kJ/kg·K"},
    {3, Nu, -7, NoValue, "kinematic viscosity", "ν", "m²/s"},
    {4, K, 0, NoValue, "thermal conductivity", "k", "W/m·K"},
    {5, Alpha, -5, NoValue, "thermal diffusivity", "α", "m²/s"},
    {6, Pr, 0, NoValue, "Prandtl number", "Pr", ""},
};

}  // namespace

std::span<const ShownProperty> ShownProperties(int category) {
  switch (category) {
    case 1: return kGases;
    case 2: return kSaturatedFluids;
    case 3: return kSaturatedWater;
    case 4: return kLiquidMetals;
    default: return {};
  }
}

const ShownProperty* ShownAt(int category, int label) {
  for (const ShownProperty& p : ShownProperties(category))
    if (p.label == label) return &p;
  return nullptr;
}

std::string NumberText(double v, std::string_view decimalPoint) {
  char buf[64];
  // Without a format, to_chars writes the shortest form that reads back as
  // exactly v, in plain or exponent notation, whichever is shorter.
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  std::string out;
  for (const char* c = buf; c != end; ++c) {
    if (*c == '.')
      out += decimalPoint;
    else
      out += *c;
  }
  return out;
}

std::string SuffixText(int power) {
  std::string suffix;
  if (power != 0) {
    suffix = 'E';
    suffix += std::to_string(power);
  }
  return suffix;
}

ShownMarker MarkerOf(const ShownProperty& property, double value, double t) {
  if (property.markers == Markers::None || !(t > property.markersAbove)) return ShownMarker::Number;
  if (value == kNoValueMarker) return ShownMarker::NoValue;
  if (property.markers == Markers::NoValueOrInfinite && value == kInfiniteMarker)
    return ShownMarker::Infinite;
  return ShownMarker::Number;
}

std::string LabelText(const ShownProperty& property, double value, double t,
                      std::string_view decimalPoint) {
  switch (MarkerOf(property, value, t)) {
    case ShownMarker::NoValue: return std::string(kNoValueText);
    case ShownMarker::Infinite: return std::string(kInfiniteText);
    case ShownMarker::Number: break;
  }
  return NumberText(value, decimalPoint) + SuffixText(property.power);
}

std::optional<std::string> LabelText(int category, int label, const PropertyState& state,
                                     std::string_view decimalPoint) {
  const ShownProperty* property = ShownAt(category, label);
  if (!property) return std::nullopt;
  return LabelText(*property, state[property->slot], state.Temp, decimalPoint);
}

}  // namespace vantorel
