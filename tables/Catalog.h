#pragma once
// The one place that knows the categories and their tables, their fluids,
// the names people type for them, the texts the lists show, each fluid's
// valid range and table procedure, and the labels each category shows. The
// window, vantorel-props and the checked call all read it, so they can never
// disagree.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "Display.h"
#include "Lookup.h"
#include "PropertyState.h"
#include "vantorel.h"

namespace vantorel {

inline constexpr std::string_view kCategoryPrompt = "--Select Material Category--";
inline constexpr std::string_view kFluidPrompt = "--Select Fluid--";

namespace detail {

struct FluidTables {
  void (*props)();                            // the table procedure: State.Temp in, slots out
  const PropertyTable& (*pieceAt)(double t);  // the table, or the piece of it, that serves t
};

struct CategoryTables {
  std::span<const ShownProperty> shown;  // the result labels it shows, in label order
  // For the values of many temperatures: where each slot goes among a
  // reading's values (-1 where it is not shown), and its SI exponent.
  std::array<signed char, kSlotCount> position;
  std::array<int, kSlotCount> siExponent;
};

constexpr CategoryTables TablesShowing(std::span<const ShownProperty> shown) {
  CategoryTables tables{shown, {}, {}};
  tables.position.fill(-1);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    tables.position[Index(shown[i].slot)] = static_cast<signed char>(i);
    tables.siExponent[Index(shown[i].slot)] = SiExponent(shown[i]);
  }
  return tables;
}

}  // namespace detail

// The category at list index 1 to 4, or null.
const Category* CategoryAt(int category);

// The fluid at (category 1 to 4, fluid 1 to n), or null.
const Fluid* FluidAt(int category, int fluid);

// The labels a category shows, in label order.
inline std::span<const ShownProperty> Shown(const Category& category) { return category.tables->shown; }

// The labels category 1 to 4 shows; empty for any other index.
std::span<const ShownProperty> ShownProperties(int category);

// The property shown in `label` for `category`, if that label is written.
const ShownProperty* ShownAt(int category, int label);

// What label `label` of `category` shows from the slots of `state` (looked
// up at state.Temp); nothing when the category does not write that label.
std::optional<std::string> LabelText(int category, int label, const PropertyState& state,
                                     std::string_view decimalPoint = ".");

// The fluids a name that fits more than one stands for ("nak"); empty for
// any other name.
std::span<const std::string_view> AmbiguousIds(std::string_view name);

// The fluid's table procedure, as the window calls it.
inline void Props(const Fluid& fluid) { fluid.tables->props(); }

// The fluid's look-up at t as a pure function; t within its range.
inline SlotValues LookUpSlots(const Fluid& fluid, double t) { return LookUp(fluid.tables->pieceAt(t), t); }

// The range as the range label shows it: "100K <= T <= 3000K".
std::string RangeText(double Tmin, double Tmax, std::string_view decimalPoint = ".");
std::string RangeText(const Fluid& fluid, std::string_view decimalPoint = ".");

}  // namespace vantorel
