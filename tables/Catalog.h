#pragma once
// The one place that knows the categories, their fluids, the texts the lists
// show, each fluid's valid range and its table procedure. The window and
// vantorel-props both read it, so they can never disagree.

#include <span>
#include <string>
#include <string_view>

#include "PropertyState.h"

namespace vantorel {

inline constexpr std::string_view kCategoryPrompt = "--Select Material Category--";
inline constexpr std::string_view kFluidPrompt = "--Select Fluid--";

struct Fluid {
  std::string_view id;        // stable short name for scripts: "carbon-dioxide"
  std::string_view listText;  // what the fluid list shows: "Carbon Dioxide (CO2)"
  double Tmin, Tmax;          // valid range in kelvin, both ends included
  void (*props)();            // the table procedure: State.Temp in, slots out
  SlotValues (*lookUp)(double t);  // the same look-up as a pure function
};

struct Category {
  std::string_view listText;  // "Gases at Atmoshperic Pressure" (spelled so)
  std::span<const Fluid> fluids;
};

// The four categories in list order; category index i (1 to 4) is element i-1.
std::span<const Category> Categories();

// The category at list index 1 to 4, or null.
const Category* CategoryAt(int category);

// The fluid at (category 1 to 4, fluid 1 to n), or null.
const Fluid* FluidAt(int category, int fluid);

struct FluidRef {
  int category = 0;  // 1 to 4
  int fluid = 0;     // 1 to n
  const Fluid* entry = nullptr;
};

// Finds a fluid by its short id or its list text, ignoring case.
FluidRef FindFluid(std::string_view name);

// The range as the range label shows it: "100K <= T <= 3000K".
std::string RangeText(double Tmin, double Tmax, std::string_view decimalPoint = ".");
std::string RangeText(const Fluid& fluid, std::string_view decimalPoint = ".");

}  // namespace vantorel
