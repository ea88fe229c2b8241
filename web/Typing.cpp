#include "Typing.h"

#include <algorithm>
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

}  // namespace vantorel::web
