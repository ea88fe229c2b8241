#include "Temperatures.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "Display.h"

namespace vantorel::cli {

namespace {

// The C locale, whatever the process locale is, so "310.5" is always a number
// and "310,5" never is.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
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
  if (!std::isfinite(value)) return std::nullopt;                 // nan, inf, overflow to inf
  return value;
}

double Sweep::At(std::size_t i) const {
  if (i + 1 == count) return last;
  // Never past the end: a step point that rounding put a hair beyond it
  // would be a look-up outside the range that was checked.
  return std::min(from + static_cast<double>(i) * step, last);
}

std::variant<Sweep, std::string> PlanSweep(double from, double to, double step) {
  if (!std::isfinite(from) || !std::isfinite(to)) return std::string("the ends of a sweep must be finite numbers");
  if (!std::isfinite(step) || step <= 0)
    return "--step must be a positive number of kelvin, not " + NumberText(step);
  if (to < from) return "--to " + NumberText(to) + " is below --from " + NumberText(from);

  const double steps = (to - from) / step;  // may be inf when the step is tiny
  // Read from decimal text, from, to and step each carry a relative error of
  // half an ulp; through the difference and the division that moves `steps`
  // by a few eps * (|from| + |to|) / step. A millionth of a step at least.
  const double tolerance =
      std::min(0.25, std::max(1e-6, 8 * DBL_EPSILON * (std::fabs(from) + std::fabs(to)) / step));
  const auto tooMany = [] {
    return "the sweep would write more than " + std::to_string(kMaxSweepRows) +
           " rows; use a larger --step or a shorter range";
  };
  if (!(steps < static_cast<double>(kMaxSweepRows) + 1)) return tooMany();

  Sweep sweep{.from = from, .step = step};
  const double whole = std::nearbyint(steps);
  if (std::fabs(steps - whole) <= tolerance) {
    sweep.count = static_cast<std::size_t>(whole) + 1;
    sweep.last = to;
  } else {
    const double below = std::floor(steps);
    sweep.count = static_cast<std::size_t>(below) + 1;
    sweep.last = std::min(from + below * step, to);
  }
  if (sweep.count > kMaxSweepRows) return tooMany();
  return sweep;
}

}  // namespace vantorel::cli
