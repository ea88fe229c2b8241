#pragma once
// What a result label shows: the slot's number in its shortest round-trip
// form, followed by the power of ten the table factors out ("184.6E-7"), or a
// marker's word; and the words around it: the column's heading, the rows it
// comes from. The window, vantorel-props and the web page all write them
// through here, so they always show the same digits and words.

#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "PropertyState.h"

#include <vantorel/vantorel.h>

namespace vantorel {

// Which marker values a label tests for. Every other label shows its slot as
// a number whatever it holds.
enum class Markers : std::uint8_t {
  None,
  NoValue,            // -1 is "----"
  NoValueOrInfinite,  // -1 is "----", -2 is "INFINITE"
};

inline constexpr std::string_view kNoValueText = "----";
inline constexpr std::string_view kInfiniteText = "INFINITE";

// A property's unit as the book gives it, and the SI base unit it converts to.
struct Unit {
  std::string_view book;     // "kJ/kg·K"; empty for a pure number
  std::string_view si;       // "J/(kg·K)"
  int exponent;              // one book unit is 10^exponent SI units (kJ: 3, bar: 5)
  std::string_view asciiSi;  // "J/(kg*K)": the SI unit in ASCII, "-" for a pure number

  operator std::string_view() const { return book; }
};

// One result label of a category.
struct ShownProperty {
  int label;  // lblProp index, 0 to 13
  Slot slot;
  int power;  // the slot holds the value times 10^-power; 0 for none
  Markers markers;
  std::string_view name;    // "dynamic viscosity"
  std::string_view symbol;  // "μ"
  Unit unit;
  // Markers are read as markers only above this temperature. Below it the
  // table has a value everywhere, and -1 is that value.
  double markersAbove = -std::numeric_limits<double>::infinity();
};

// The SI exponent of a shown property: its table's power and its unit's
// (μ of air: 10^-7 Pa·s; c_p: 10^3 J/(kg·K)).
constexpr int SiExponent(const ShownProperty& p) { return p.power + p.unit.exponent; }

// NumberText, the shortest text that reads back as exactly v, is declared
// in <vantorel/vantorel.h>.

// The suffix of a power ("E-7"), empty for 0.
std::string SuffixText(int power);

// The same as a view of a constant, for powers from -9 to 9, without
// allocating; empty for any other. Inline: a sweep asks for it per cell.
inline std::string_view SuffixView(int power) {
  static constexpr std::string_view kSuffixes[] = {"E-9", "E-8", "E-7", "E-6", "E-5", "E-4", "E-3", "E-2", "E-1", "",
                                                   "E1",  "E2",  "E3",  "E4",  "E5",  "E6",  "E7",  "E8",  "E9"};
  return power >= -9 && power <= 9 ? kSuffixes[power + 9] : std::string_view{};
}

// What the label of `property` shows for a slot holding `value`, looked up
// at temperature `t`.
std::string LabelText(const ShownProperty& property, double value, double t, std::string_view decimalPoint = ".");

// Room WriteLabelText may need: a shortest double and a power-of-ten suffix.
inline constexpr std::size_t kLabelTextSize = 48;

// Writes what LabelText gives, with '.' as the decimal point, at `out`
// (kLabelTextSize bytes of room) and returns the end; no allocation, for the
// cells of a long sweep. `suffix` is SuffixText(property.power), worked out
// once per column rather than once per cell.
char* WriteLabelText(char* out, const ShownProperty& property, std::string_view suffix, double value, double t);

// The quantity as the book's column heading names it: "μ·10⁷", "c_p"; from
// its symbol and the power of ten the table factors out.
std::string Heading(std::string_view symbol, int power);
std::string Heading(const Property& property);

// The book table and rows a reading comes from, in words a student can
// cite: "Table A.4, between the rows at 300 K and 350 K", "Table A.6, the row
// at 373.15 K".
std::string TableAndRowsText(const Source& source);

// The marker a shown slot holds at temperature `t`, if its label tests for one.
enum class ShownMarker : std::uint8_t { Number, NoValue, Infinite };
ShownMarker MarkerOf(const ShownProperty& property, double value, double t);

}  // namespace vantorel
