#include "Temperatures.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "Decimal.h"

namespace vantorel::cli {

namespace {

// The C locale, whatever the process locale is, so "310.5" is always a number
// and "310,5" never is.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
}

// The unit a text ends with, and the number before it.
struct Split {
  std::string_view number;
  TemperatureUnit unit = TemperatureUnit::Kelvin;
  bool suffixed = false;
};

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

Split SplitUnit(std::string_view text) {
  text = TrimBlanks(text);
  for (const Suffix& s : kSuffixes) {
    if (text.size() > s.text.size() && text.ends_with(s.text))
      return {TrimBlanks(text.substr(0, text.size() - s.text.size())), s.unit, true};
  }
  return {text};
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  // strtod needs a terminated string, and an embedded NUL would hide the rest.
  if (text.empty() || text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  const double value = strtod_l(copy.c_str(), &end, CLocale());
  if (end == copy.c_str() || *end != '\0') return std::nullopt;  // no number, or trailing text
  if (!std::isfinite(value)) return std::nullopt;                // nan, inf, overflow to inf
  return value;
}

std::optional<TypedTemperature> ReadTemperature(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string_view bare = TrimBlanks(text);
  if (const auto kelvin = ParseNumber(bare))
    return TypedTemperature{bare, bare, TemperatureUnit::Kelvin, false, *kelvin};
  const Split split = SplitUnit(bare);
  if (!split.suffixed || split.number.empty()) return std::nullopt;
  const auto kelvin = KelvinFromDecimal(split.number, split.unit);
  if (!kelvin) return std::nullopt;
  return TypedTemperature{bare, split.number, split.unit, true, *kelvin};
}

std::variant<Sweep, std::string> PlanSweep(const TypedTemperature& from, const TypedTemperature& to,
                                           std::string_view stepText) {
  const Split step = SplitUnit(stepText);
  const auto plan =
      vantorel::PlanDecimalSweep({from.number, from.unit}, {to.number, to.unit},
                          {step.number, step.suffixed ? std::optional(step.unit) : std::nullopt}, kMaxSweepRows);
  if (const Sweep* sweep = std::get_if<Sweep>(&plan)) return *sweep;
  const auto notDecimal = [](std::string_view option, std::string_view text) {
    return std::string(option) + " " + Quoted(text) + " is not a decimal number of at most " +
           std::to_string(kMaxSweepDigits) + " digits, which a sweep needs (such as 300.5)";
  };
  switch (std::get<SweepRefusal>(plan)) {
    case SweepRefusal::MixedFahrenheit:
      return "--from and --to are in different units: give both in °F, or neither";
    case SweepRefusal::FromNotDecimal:
      return notDecimal("--from", from.text);
    case SweepRefusal::ToNotDecimal:
      return notDecimal("--to", to.text);
    case SweepRefusal::StepNotDecimal:
      return notDecimal("--step", stepText);
    case SweepRefusal::StepUnitMismatch:
      return "--step " + Quoted(stepText) + " does not fit the ends: kelvin or Celsius ends step in K or C, " +
             "Fahrenheit ends in F";
    case SweepRefusal::StepNotPositive:
      return "--step must be a positive number, not " + std::string(step.number);
    case SweepRefusal::TooManyDigits:
      return "the sweep's numbers need more than " + std::to_string(kMaxSweepDigits) + " digits: use fewer decimals";
    case SweepRefusal::ToBelowFrom:
      return "--to " + std::string(to.text) + " is below --from " + std::string(from.text);
    case SweepRefusal::TooManyRows:
      break;
  }
  return "the sweep would write more than " + std::to_string(kMaxSweepRows) +
         " rows; use a larger --step or a shorter range";
}

char* Temperatures::PutText(char* out, std::size_t i) const {
  return sweep_ ? sweep_->WriteText(out, i) : WriteShortest(out, list_[i]);
}

}  // namespace vantorel::cli
