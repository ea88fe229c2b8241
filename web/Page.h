#pragma once
// What the web page shows, worked out here over the checked call so that the
// page's script only puts texts and numbers in their places: the result of a
// typed temperature, the book rows behind it, a chart's points, a sweep and
// its CSV. No table, rounding rule, unit factor or temperature arithmetic
// lives in the script. Plain C++ over tables/, built natively for the tests
// and to WebAssembly for the page.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Display.h"
#include "Sweep.h"
#include "Temperature.h"
#include <vantorel/vantorel.h>

namespace vantorel::web {

// The reading for the temperature `text` typed in `unit`, or the message to
// show instead: the text is no number, or the temperature lies outside the
// fluid's range (the message names the range). Blanks around the number are
// ignored; an empty text gives an empty message, which shows nothing.
std::variant<Reading, std::string> Calculate(const Fluid& fluid, std::string_view text, TemperatureUnit unit);

// The unit of a page's state: "K", "C" or "F"; anything else is kelvin.
TemperatureUnit UnitOf(std::string_view unit);

// Where a reading comes from, in words: "Table A.4, between the rows at
// 300 K and 350 K", "Table A.6, the row at 373.15 K".
std::string SourceText(const Reading& reading);

// A property's SI value with its unit: "1.893e-05 Pa·s", "0.706"; "none"
// or "infinite" for the two states without a number.
std::string SiText(const Property& property);

// The book's row temperatures within the fluid's range, ascending.
std::vector<double> BookRows(const Fluid& fluid);

// A property over the fluid's whole range, in the book's scale (the numbers
// under Heading(), tables/Display.h): `samples` evenly spaced temperatures,
// every book row and the current temperature, ascending and each once. NaN
// marks where a series has no point: no value (a gap in the curve), no book
// cell, not the current temperature.
struct Chart {
  std::vector<double> T;
  std::vector<double> curve;    // the look-up at each T
  std::vector<double> book;     // the book's printed cell, at a row's temperature
  std::vector<double> current;  // the look-up, at the current temperature
};
// Empty when the fluid's category shows no property with that id. A
// `current` outside the range adds no point.
Chart ChartOf(const Fluid& fluid, std::string_view property, double current, int samples);

// The most rows one sweep on the page tabulates.
inline constexpr std::size_t kMaxSweepRows = 10'000;

// A sweep from `from` to `to` in steps of `step`, each a decimal text in
// kelvin, planned by the rule vantorel-props follows (tables/Sweep.h), so
// the page and the command line give the same rows for the same texts. Or
// the message to show: a text is no number, an end lies outside the range,
// a number needs more digits than a sweep takes, the step is not positive,
// `to` lies below `from`, or more than kMaxSweepRows rows.
std::variant<Sweep, std::string> PlanSweep(const Fluid& fluid, std::string_view from, std::string_view to,
                                           std::string_view step);

// A sweep as vantorel-props writes it with --format csv: a header of T and
// the slot names, then per row T as the sweep writes it and each property's
// text.
std::string SweepCsv(const Fluid& fluid, const Sweep& sweep);

// The same rows separated by tabs, for pasting into a spreadsheet, with a
// header that gives each column's unit: "T (K)", "μ (N·s/m²)".
std::string SweepTsv(const Fluid& fluid, const Sweep& sweep);

// The CSV of a sweep from its tab-separated text: the same lines under the
// CSV header.
std::string CsvOfTsv(const Fluid& fluid, std::string_view tsv);

}  // namespace vantorel::web
