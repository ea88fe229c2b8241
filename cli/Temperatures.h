#pragma once
// The temperatures one run looks up, read as people type them: a number of
// kelvin ("310"), or a number with its unit ("310K", "36.85C", "36.85°C",
// "98.33F"); given one by one, or as a sweep from A to B in steps of S whose
// rows are worked out in decimal (tables/Sweep.h).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ShortestText.h"
#include "Sweep.h"
#include "Temperature.h"

namespace vantorel::cli {

// A number as the C locale's strtod reads it (leading blanks, a sign,
// exponents and hexadecimal floats included), or nothing when the text is
// empty, has anything after the number, or is not finite (nan, inf, 1e999).
std::optional<double> ParseNumber(std::string_view text);

// A temperature as typed, taken apart.
struct TypedTemperature {
  std::string_view text;    // as typed, without blanks around it: "36.85 °C"
  std::string_view number;  // the number's text, without blanks or unit: "36.85"
  TemperatureUnit unit = TemperatureUnit::Kelvin;
  bool suffixed = false;  // a unit was written; a bare number is kelvin
  double kelvin = 0;      // the double nearest to its exact value in kelvin
};

// Reads a temperature. Blanks before and after it, and between the number
// and its unit, are ignored. The units are K, C, °C, ℃, F, °F and ℉, in
// either case. A bare number is read as ParseNumber reads it; a number with
// a unit must be a decimal (a sign, digits with at most one '.', an
// exponent), converted exactly by KelvinFromDecimal. Nothing for any other
// text, or when the temperature is not a finite double.
std::optional<TypedTemperature> ReadTemperature(std::string_view text);

// The most rows one sweep may write.
inline constexpr std::size_t kMaxSweepRows = 10'000'000;

// Room enough for the text of any temperature a run writes.
inline constexpr std::size_t kMaxTemperatureText = kSweepTextSize;
static_assert(kMaxTemperatureText >= static_cast<std::size_t>(kShortestTextSize));

// Plans the sweep from `from` up to `to` in steps of `step` (the texts as
// typed) by the rule of tables/Sweep.h, with at most kMaxSweepRows rows. The
// step may carry a unit (K, C or F as ReadTemperature reads them). A refusal
// is returned as its message.
std::variant<Sweep, std::string> PlanSweep(const TypedTemperature& from, const TypedTemperature& to,
                                           std::string_view step);

// The temperatures of one run, in the order they are written.
class Temperatures {
 public:
  explicit Temperatures(std::vector<double> list) : list_(std::move(list)), count_(list_.size()) {}
  explicit Temperatures(Sweep sweep) : sweep_(sweep), count_(sweep.count()) {}

  std::size_t size() const { return count_; }
  double operator[](std::size_t i) const { return sweep_ ? sweep_->At(i) : list_[i]; }

  // Writes temperature i as text (kMaxTemperatureText bytes of room) and
  // returns the end: a sweep's rows as Sweep::WriteText writes them, a
  // list's temperatures in shortest round-trip form.
  char* PutText(char* out, std::size_t i) const;

 private:
  std::vector<double> list_;
  std::optional<Sweep> sweep_;
  std::size_t count_;
};

}  // namespace vantorel::cli
