#pragma once
// A sweep of temperatures from A to B in steps of S, worked out in decimal:
// row i is the decimal A + i·S in the sweep's unit, and its temperature the
// double nearest to that decimal's exact value in kelvin. So 273.15 + 2 · 0.1
// is the double nearest 273.35, the same one "273.35" reads as, which adding
// in binary need not give. vantorel-props and the web page both plan their
// sweeps here, through PlanSweep of <vantorel/vantorel.h>.

#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>

#include "Temperature.h"

namespace vantorel {

// One end of a sweep as typed: a decimal and its unit.
struct SweepEnd {
  std::string_view number;
  TemperatureUnit unit = TemperatureUnit::Kelvin;
};

// The step as typed: a decimal, and its unit when one was written; without
// one it counts the ends' degrees.
struct SweepStep {
  std::string_view number;
  std::optional<TemperatureUnit> unit = std::nullopt;
};

// Why a sweep cannot be planned, in the order the checks are made.
enum class SweepRefusal {
  MixedFahrenheit,  // one end in Fahrenheit and the other not
  FromNotDecimal,   // not a decimal of at most kMaxSweepDigits digits
  ToNotDecimal,
  StepNotDecimal,
  TooManyDigits,     // on one scale the ends and the step need more than kMaxSweepDigits digits
  StepUnitMismatch,  // a Fahrenheit step between kelvin or Celsius ends, or the other way round
  StepNotPositive,
  ToBelowFrom,
  TooManyRows,  // more rows than the caller allows
};

// Plans the sweep from `from` up to `to` in steps of `step`. The ends and the
// step must be decimals of at most kMaxSweepDigits digits. Kelvin and Celsius
// ends go together and meet in kelvin, exactly; Fahrenheit ends go only with
// Fahrenheit ends. A step with a unit must be of the ends' size: K or C
// between kelvin or Celsius ends, F between Fahrenheit ends.
//
// `to` itself is the last row when (to - from) / step lies within a
// millionth of a whole number n (or n + 1); that row is then exactly `to`,
// so 300 to 301 in steps of 0.1 gives 11 rows ending at 301, and so does 300
// to 301.0000000001. Otherwise the last row is the last step point below
// `to`. More than `maxRows` rows are refused.
std::variant<Sweep, SweepRefusal> PlanDecimalSweep(SweepEnd from, SweepEnd to, SweepStep step, std::size_t maxRows);

}  // namespace vantorel
