#include "Typing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace vantorel::web {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The kelvin of `text` read with the page's options, or NaN.
double KelvinOf(std::string_view text, TemperatureUnit box) {
  const TemperatureResult t = ParseTemperature(text, PageOptions(box));
  return t ? t->kelvin : kNaN;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

TextOptions PageOptions(TemperatureUnit box) { return {box, ".,"}; }

bool Completable(const Fluid& fluid, std::string_view text, TemperatureUnit box) {
  const std::string typed(text);
  const auto within = [&](double low, double high) {
    return std::isfinite(low) && std::isfinite(high) && std::max(low, high) >= fluid.Tmin &&
           std::min(low, high) <= fluid.Tmax;
  };
  // A number or a unit cut short ("3.", "3e", "-", "36.85 °"): what finishes it.
  for (const std::string_view ending : {"", "0", "K", "C", "F"}) {
    const double t = KelvinOf(typed + std::string(ending), box);
    if (within(t, t)) return true;
  }
  // More digits move the number within an interval whose ends are the
  // digits all 0 and all 9 (the conversions to kelvin keep the order, or
  // reverse it below zero); a decimal part, when it has none yet, within
  // the next whole number. A unit may follow either.
  for (const std::string_view unit : {"", "K", "C", "F"}) {
    const auto interval = [&](const std::string& low, const std::string& high) {
      return within(KelvinOf(typed + low + std::string(unit), box), KelvinOf(typed + high + std::string(unit), box));
    };
    for (std::size_t n = 1; n <= 5; ++n)
      if (interval(std::string(n, '0'), std::string(n, '9'))) return true;
    if (interval(".0", ".99999")) return true;
  }
  return false;
}

bool PressureCompletable(const Fluid& fluid, std::string_view text) {
  const std::string typed(text);
  const auto valid = [&](const std::string& t) {
    return static_cast<bool>(SaturationAt(fluid, t, PageOptions(TemperatureUnit::Kelvin)));
  };
  constexpr PressureUnit kUnits[] = {PressureUnit::Bar, PressureUnit::Pa,  PressureUnit::KPa,
                                     PressureUnit::MPa, PressureUnit::Atm, PressureUnit::Psi};
  // A unit cut short ("2 b", "101.3 k", "1 ps"), finished as typed or in
  // lower case (the core takes "mpa" for MPa but not "mPa").
  for (const PressureUnit u : kUnits) {
    const std::string_view unit = UnitSymbol(u);
    for (std::size_t cut = 1; cut < unit.size(); ++cut) {
      const std::string_view start = unit.substr(0, cut);
      if (typed.size() <= cut || !std::equal(start.begin(), start.end(), typed.end() - static_cast<long>(cut),
                                             [](char a, char b) { return Lower(a) == Lower(b); }))
        continue;
      std::string rest(unit.substr(cut)), lower = rest;
      std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
      if (valid(typed + rest) || valid(typed + lower)) return true;
    }
  }
  // A number still without its unit, perhaps without all its digits: more
  // digits move it within an interval whose ends are the digits all 0 and
  // all 9, and no such interval is wide enough to hold the whole range, so
  // one of its ends lies within it where any of it does.
  for (const PressureUnit u : kUnits) {
    std::string unit(" ");
    unit += UnitSymbol(u);
    if (valid(typed + unit)) return true;
    for (std::size_t n = 1; n <= 5; ++n)
      if (valid(typed + std::string(n, '0') + unit) || valid(typed + std::string(n, '9') + unit)) return true;
    if (valid(typed + ".0" + unit) || valid(typed + ".99999" + unit)) return true;
  }
  return false;
}

}  // namespace vantorel::web
