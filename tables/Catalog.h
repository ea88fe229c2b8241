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
#include <vector>

#include <vantorel/vantorel.h>
#include "Display.h"
#include "Lookup.h"
#include "PropertyState.h"

namespace vantorel {

inline constexpr std::string_view kCategoryPrompt = "--Select Material Category--";
inline constexpr std::string_view kFluidPrompt = "--Select Fluid--";

namespace detail {

struct FluidTables {
  void (*props)();                            // the table procedure: State.Temp in, slots out
  const PropertyTable& (*pieceAt)(double t);  // the table, or the piece of it, that serves t
};

// Each slot's id, as SlotName gives it, and its symbol in ASCII.
// clang-format off
inline constexpr std::string_view kSlotNames[kSlotCount] = {
    "Rho", "Cp",  "Mu",  "Nu",  "K",   "Alpha", "Pr", "Beta", "P",   "Vf",     "Vg",
    "Hfg", "Cpf", "Cpg", "Muf", "Mug", "Kf",    "Kg", "Prf",  "Prg", "Sigmaf", "Betaf",
};
inline constexpr std::string_view kAsciiSymbols[kSlotCount] = {
    "rho",  "cp",   "mu",   "nu",   "k",    "alpha", "Pr",  "beta", "P",    "v_f",     "v_g",
    "h_fg", "cp_f", "cp_g", "mu_f", "mu_g", "k_f",   "k_g", "Pr_f", "Pr_g", "sigma_f", "beta_f",
};
// clang-format on

struct CategoryTables {
  std::span<const ShownProperty> shown;  // the result labels it shows, in label order
  std::array<PropertyInfo, 14> info;     // the same, as the door describes them
  // For the values of many temperatures: where each slot goes among a
  // reading's values (-1 where it is not shown), and its SI exponent.
  std::array<signed char, kSlotCount> position;
  std::array<int, kSlotCount> siExponent;
};

constexpr CategoryTables TablesShowing(std::span<const ShownProperty> shown) {
  CategoryTables tables{shown, {}, {}, {}};
  tables.position.fill(-1);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const ShownProperty& p = shown[i];
    tables.info[i] = {p.slot,
                      kSlotNames[Index(p.slot)],
                      p.name,
                      p.symbol,
                      kAsciiSymbols[Index(p.slot)],
                      p.unit.book,
                      p.unit.si,
                      p.unit.asciiSi,
                      p.power,
                      SiExponent(p)};
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
std::vector<std::string_view> AmbiguousIds(std::string_view name);

// The fluid's table procedure, as the window calls it.
inline void Props(const Fluid& fluid) { fluid.tables->props(); }

// The fluid's look-up at t as a pure function; t within its range.
inline SlotValues LookUpSlots(const Fluid& fluid, double t) { return LookUp(fluid.tables->pieceAt(t), t); }

// The range as the range label shows it: "100K <= T <= 3000K".
// RangeText(const Fluid&) is declared in <vantorel/vantorel.h>.
std::string RangeText(double Tmin, double Tmax, std::string_view decimalPoint = ".");

}  // namespace vantorel
