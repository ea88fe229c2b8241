// Temperatures and sweeps as people type them: one rule for every door, for
// single temperatures and for a sweep's ends and step alike.

#include <vantorel/vantorel.h>

#include <cmath>
#include <string>

#include "Decimal.h"
#include "Errors.h"
#include "Sweep.h"
#include "Temperature.h"

namespace vantorel {

namespace {

struct Suffix {
  std::string_view text;
  TemperatureUnit unit;
};
// Longest first, so "°C" is not taken for a "C" after a stray "°".
constexpr Suffix kSuffixes[] = {
    {"°C", TemperatureUnit::Celsius},   {"°F", TemperatureUnit::Fahrenheit}, {"℃", TemperatureUnit::Celsius},
    {"℉", TemperatureUnit::Fahrenheit}, {"C", TemperatureUnit::Celsius},     {"c", TemperatureUnit::Celsius},
    {"F", TemperatureUnit::Fahrenheit}, {"f", TemperatureUnit::Fahrenheit},  {"K", TemperatureUnit::Kelvin},
    {"k", TemperatureUnit::Kelvin},
};

// A text taken apart: the number as a plain C decimal ("-36.85"), and its unit.
struct Split {
  std::string number;
  TemperatureUnit unit;
  bool unitWritten = false;
};

// Splits `text` into a decimal and its unit, or nothing when the number is
// not a plain decimal with one of `marks` as its mark.
std::optional<Split> SplitTemperature(std::string_view text, TextOptions options) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  text = TrimAllBlanks(text);
  Split split{{}, options.bareUnit};
  for (const Suffix& s : kSuffixes) {
    if (text.size() > s.text.size() && text.ends_with(s.text)) {
      text = TrimAllBlanks(text.substr(0, text.size() - s.text.size()));
      split.unit = s.unit;
      split.unitWritten = true;
      break;
    }
  }
  std::optional<std::string> number = PlainNumber(text, options.decimalMarks);
  if (!number) return std::nullopt;
  split.number = std::move(*number);
  return split;
}

Error NotATemperature(Input input, std::string_view text, TextOptions options) {
  Error error = detail::ErrorAbout(ErrorCode::NotATemperature, input, TrimAllBlanks(text));
  error.T = std::numeric_limits<double>::quiet_NaN();
  // "310,5" where only a point is taken; not "1,000.5", whose comma groups digits.
  error.commaRefused = text.find(',') != std::string_view::npos && text.find('.') == std::string_view::npos &&
                       options.decimalMarks.find(',') == std::string_view::npos;
  return error;
}

// The text of a number as it was typed, for a message: without blanks or unit.
std::string_view NumberPart(std::string_view text) {
  text = TrimAllBlanks(text);
  for (const Suffix& s : kSuffixes)
    if (text.size() > s.text.size() && text.ends_with(s.text))
      return TrimAllBlanks(text.substr(0, text.size() - s.text.size()));
  return text;
}

}  // namespace

namespace {
// Blanks people leave around a number or between it and its unit: ASCII
// white space, and the no-break and thin spaces that locales and word
// processors put before a unit.
constexpr std::string_view kWideBlanks[] = {"\u00A0", "\u202F", "\u2009"};
}  // namespace

std::string_view TrimAllBlanks(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    text = TrimBlanks(text);
    for (const std::string_view blank : kWideBlanks) {
      if (text.starts_with(blank)) text.remove_prefix(blank.size()), trimmed = true;
      if (text.ends_with(blank)) text.remove_suffix(blank.size()), trimmed = true;
    }
  }
  return text;
}

std::optional<std::string> PlainNumber(std::string_view text, std::string_view decimalMarks) {
  std::string number;
  constexpr std::string_view kMinusSign = "\u2212";
  if (text.starts_with(kMinusSign)) {
    number = '-';
    text.remove_prefix(kMinusSign.size());
  }
  if (text.size() > kMaxDecimalText) return std::nullopt;
  bool mark = false;
  for (const char c : text) {
    const bool isMark = c == '.' || c == ',';
    if (isMark && (mark || decimalMarks.find(c) == std::string_view::npos)) return std::nullopt;
    mark = mark || isMark;
    number += isMark ? '.' : c;
  }
  if (!ParseDecimal(number)) return std::nullopt;
  return number;
}

std::string_view UnitSymbol(TemperatureUnit unit) noexcept {
  switch (unit) {
    case TemperatureUnit::Celsius:
      return "°C";
    case TemperatureUnit::Fahrenheit:
      return "°F";
    case TemperatureUnit::Kelvin:
      break;
  }
  return "K";
}

TemperatureResult ParseTemperature(std::string_view text, TextOptions options) noexcept {
  try {
    const std::optional<Split> split = SplitTemperature(text, options);
    if (!split) return NotATemperature(Input::T, text, options);
    const std::optional<double> kelvin = KelvinFromDecimal(split->number, split->unit);
    if (!kelvin) return NotATemperature(Input::T, text, options);
    return TypedTemperature{*kelvin, split->unit, split->unitWritten};
  } catch (...) {  // no memory for the digits: no temperature either
    return NotATemperature(Input::T, text, options);
  }
}

Result LookUpText(const Fluid& fluid, std::string_view text, TextOptions options) noexcept {
  const TemperatureResult t = ParseTemperature(text, options);
  if (!t) {
    Error error = t.error();
    error.fluid = &fluid;
    return error;
  }
  const Result result = LookUp(fluid, t->kelvin);
  if (result) return result;
  Error error = detail::ErrorAbout(result.error().code, Input::T, NumberPart(text));
  error.fluid = &fluid;
  error.T = t->kelvin;
  error.unit = t->unit;
  error.unitWritten = t->unitWritten;
  // A bare number in kelvin that fits the range as degrees Celsius was most
  // likely meant as those: 25 for 25 °C.
  if (t->unit == TemperatureUnit::Kelvin && !t->unitWritten) {
    const TemperatureResult celsius = ParseTemperature(text, {TemperatureUnit::Celsius, options.decimalMarks});
    if (celsius && celsius->kelvin >= fluid.Tmin && celsius->kelvin <= fluid.Tmax) error.celsiusHint = celsius->kelvin;
  }
  return error;
}

Result LookUpText(std::string_view fluid, std::string_view text, TextOptions options) noexcept {
  const FluidResult found = ResolveFluid(fluid);
  if (!found) return found.error();
  return LookUpText(**found, text, options);
}

SweepResult PlanSweep(const Fluid& fluid, std::string_view fromText, std::string_view toText, std::string_view stepText,
                      std::size_t maxRows, TextOptions options) noexcept {
  // Each text as ParseTemperature reads it: one with no finite value ("1e999") is no temperature.
  const auto read = [options](std::string_view text) -> std::optional<Split> {
    std::optional<Split> split = SplitTemperature(text, options);
    if (split && !KelvinFromDecimal(split->number, split->unit)) return std::nullopt;
    return split;
  };
  try {
    const std::optional<Split> from = read(fromText);
    if (!from) return NotATemperature(Input::From, fromText, options);
    const std::optional<Split> to = read(toText);
    if (!to) return NotATemperature(Input::To, toText, options);
    const std::optional<Split> step = read(stepText);
    if (!step) return NotATemperature(Input::Step, stepText, options);

    const auto plan =
        PlanDecimalSweep({from->number, from->unit}, {to->number, to->unit},
                         {step->number, step->unitWritten ? std::optional(step->unit) : std::nullopt}, maxRows);
    if (const Sweep* sweep = std::get_if<Sweep>(&plan)) {
      const auto end = [&](const Split& split, std::string_view text, Input input, double t) -> std::optional<Error> {
        std::optional<Error> error = detail::RangeError(fluid, t, input);
        if (!error) return std::nullopt;
        Error e = detail::ErrorAbout(error->code, input, NumberPart(text));
        e.fluid = &fluid;
        e.T = t;
        e.unit = split.unit;
        e.unitWritten = split.unitWritten;
        return e;
      };
      if (auto error = end(*from, fromText, Input::From, sweep->At(0))) return *error;
      if (auto error = end(*to, toText, Input::To, *KelvinFromDecimal(to->number, to->unit))) return *error;
      return *sweep;
    }
    switch (std::get<SweepRefusal>(plan)) {
      case SweepRefusal::MixedFahrenheit:
        return detail::ErrorAbout(ErrorCode::UnitsDiffer, Input::To, TrimAllBlanks(toText));
      case SweepRefusal::FromNotDecimal:
      case SweepRefusal::ToNotDecimal:
      case SweepRefusal::StepNotDecimal:
      case SweepRefusal::TooManyDigits:
        return detail::ErrorAbout(ErrorCode::TooManyDigits, Input::Step, TrimAllBlanks(stepText));
      case SweepRefusal::StepUnitMismatch:
        return detail::ErrorAbout(ErrorCode::StepUnitMismatch, Input::Step, TrimAllBlanks(stepText));
      case SweepRefusal::StepNotPositive:
        return detail::ErrorAbout(ErrorCode::StepNotPositive, Input::Step, TrimAllBlanks(stepText));
      case SweepRefusal::ToBelowFrom: {
        Error error = detail::ErrorAbout(ErrorCode::ToBelowFrom, Input::To, TrimAllBlanks(toText));
        error.fluid = &fluid;
        error.T = KelvinFromDecimal(to->number, to->unit).value_or(0);
        error.from = KelvinFromDecimal(from->number, from->unit).value_or(0);
        return error;
      }
      case SweepRefusal::TooManyRows:
        break;
    }
    Error error = detail::ErrorAbout(ErrorCode::TooManyRows, Input::Step, TrimAllBlanks(stepText));
    error.limit = maxRows;
    return error;
  } catch (...) {  // no memory for the digits
    return NotATemperature(Input::From, fromText, options);
  }
}

}  // namespace vantorel
