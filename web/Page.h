#pragma once
// What the web page shows, worked out here over the door so that the page's
// script only puts texts and numbers in their places: the result of a typed
// temperature or, for saturated water, pressure, the book rows behind it, a
// chart's points, a temperature rewritten in another unit, and a sweep's
// rows, each in the units the page's units choice names. Reading texts,
// checking ranges, converting units and every wording of a reading are the
// core's; this file only chooses the options the page reads with. Built
// natively for the tests and to WebAssembly for the page.

#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <vantorel/vantorel.h>

#include "Typing.h"

namespace vantorel::web {

// The unit of a page's unit box: "K", "C" or "F"; anything else is kelvin.
TemperatureUnit UnitOf(std::string_view unit);

// The unit box's code for `unit`: "K", "C" or "F".
std::string_view BoxCode(TemperatureUnit unit);

// The units the page's units choice names ("book", "si", "engineering",
// "us"); anything else is the book's.
UnitSystem SystemOf(std::string_view units);

// A temperature in the unit `system` gives temperatures in: its text, the
// unit's symbol and the number the text stands for ("98.33", "°F", 98.33).
struct TemperatureIn {
  std::string text;
  std::string_view unit;
  double value;
};
TemperatureIn TemperatureOf(double kelvin, UnitSystem system);

// A temperature `text` (without blanks around it) with the unit it is read
// in: "36.85 °C" for 36.85 with the box at °C, "310 K" for "310 K" with any
// box; the text alone when it is no temperature.
std::string WithUnit(std::string_view text, TemperatureUnit box);

// What is typed into the temperature field (without blanks around it),
// read for the fluid named `fluid`: the reading and, when the text was read
// in degrees, the text with its unit for the page's heading and the line
// that converts it; or why there is none.
struct Calculation {
  Reading reading;
  std::string typed;                                    // "36.85 °C"; empty for kelvin
  std::string conversion;                               // TemperatureWorking(); empty for kelvin
  TemperatureUnit typedUnit = TemperatureUnit::Kelvin;  // the unit the text was read in
  // For a pressure: the pressure as read ("2 bar"), and how T_sat was found
  // from it (SaturationWorking); both empty for a temperature.
  std::string pressure;
  std::string saturation;
};
struct Refusal {
  std::string message;               // the core's; empty when nothing was typed, which shows nothing
  Input input = Input::T;            // the field it is about
  std::vector<std::string> closest;  // the ids nearest an unknown fluid's name
  bool pending = false;              // Completable(): say nothing while the user types
};
std::variant<Calculation, Refusal> Calculate(std::string_view fluid, std::string_view text, TemperatureUnit box);

// The same for a pressure typed into the field (saturated water alone has
// one): the reading at its saturation temperature, or why there is none,
// kept quiet while typing on may still make it a pressure of the range.
std::variant<Calculation, Refusal> CalculateAtPressure(std::string_view fluid, std::string_view text);

// The results' heading: "Air at 310 K", "Air at 310 K (36.85 °C)" for
// degrees typed, with the temperature in the units' own unit where that is
// another ("Air at 310 K (98.33 °F)"), and for a pressure "Saturated Water
// at 393.12 K, the saturation temperature at 2 bar".
std::string Title(const Calculation& calculation, UnitSystem units);

// A property's SI value with its unit: "1.893e-05 Pa·s", "0.706"; "none"
// or "infinite" for the two states without a number.
std::string SiText(const Property& property);

// The book's row temperatures within the fluid's range, ascending.
std::vector<double> BookRows(const Fluid& fluid);

// A property over the fluid's whole range, in the book's scale (the numbers
// under Heading()) or in the values of other units: `samples` evenly spaced
// temperatures, every book row and the current temperature, ascending and
// each once. NaN marks where a series has no point: no value (a gap in the
// curve), no book cell, not the current temperature.
struct Chart {
  std::vector<double> T;        // kelvin
  std::vector<double> x;        // the same in the units' temperature unit
  std::vector<double> curve;    // the look-up at each T
  std::vector<double> book;     // the book's printed cell at a row's temperature (in other units, the look-up there)
  std::vector<double> current;  // the look-up, at the current temperature
  std::string axis;             // "μ·10⁷ (N·s/m²)", "μ (lbm/(ft·h))", "Pr"
  std::string xAxis;            // "T (K)", "T (°F)"
  TemperatureUnit xUnit = TemperatureUnit::Kelvin;
  double currentX = std::numeric_limits<double>::quiet_NaN();  // the current temperature in x's unit, or NaN
};
// Empty when the fluid's category shows no property with that id. A
// `current` outside the range adds no point.
Chart ChartOf(const Fluid& fluid, std::string_view property, double current, int samples,
              UnitSystem units = UnitSystem::Book);

// The most rows one sweep on the page tabulates.
inline constexpr std::size_t kMaxSweepRows = 10'000;

// A sweep from `from` to `to` in steps of `step`, bare numbers in the unit
// box's unit, planned as vantorel-props plans it, of at most kMaxSweepRows.
SweepResult PlanPageSweep(const Fluid& fluid, std::string_view from, std::string_view to, std::string_view step,
                          TemperatureUnit box);

// Rows in the three forms the page hands out: tab-separated with each
// column's symbol and unit (the table on the page and the clipboard), CSV
// of the same texts under the same header, and CSV of the SI values (what
// vantorel-props writes with --format csv --si). The first two are in the
// units chosen, the book's by default; the SI form is always SI, T in kelvin.
struct RowTexts {
  std::string tsv, csv, si;
};

// The header lines of the three forms, T in `temperatureUnit` in the first two.
RowTexts Headers(const Fluid& fluid, UnitSystem units = UnitSystem::Book,
                 TemperatureUnit temperatureUnit = TemperatureUnit::Kelvin);

// Rows [first, first + count) of `sweep`, as many of them as it has,
// without headers. Each row's T is the sweep's decimal in the unit it was
// typed in (Sweep::unit), in kelvin in the SI form.
RowTexts SweepRows(const Fluid& fluid, const Sweep& sweep, std::size_t first, std::size_t count,
                   UnitSystem units = UnitSystem::Book);

// A row at each of `kelvins` (each within the fluid's range), T in its
// shortest text in the units' temperature unit, without headers.
RowTexts RowsAt(const Fluid& fluid, std::span<const double> kelvins, UnitSystem units = UnitSystem::Book);

// A reading the user keeps on the page: its fluid and temperature.
struct Kept {
  const Fluid* fluid;
  double T;  // kelvin, within the fluid's range
};

// Kept readings as one block of rows per category, in the window's order
// and each with its header, a blank line between blocks; a first column
// names the fluid (its list text, in the SI form its id).
RowTexts KeptRows(std::span<const Kept> kept, UnitSystem units = UnitSystem::Book);

}  // namespace vantorel::web
