#include "Temperature.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "Decimal.h"

namespace vantorel {

namespace {

// The digits of a shifted left by `places` (a * 10^places).
std::string Shifted(const std::string& digits, long places) { return digits + std::string(places, '0'); }

// Sum or difference of two whole numbers given as digit strings; the result
// carries its sign.
DecimalNumber AddWhole(bool aNeg, const std::string& a, bool bNeg, const std::string& b) {
  // By value, so leading zeros must not count: a zero shifted left is "000".
  const auto less = [](std::string_view x, std::string_view y) {
    x.remove_prefix(std::min(x.find_first_not_of('0'), x.size()));
    y.remove_prefix(std::min(y.find_first_not_of('0'), y.size()));
    return x.size() != y.size() ? x.size() < y.size() : x < y;
  };
  DecimalNumber out;
  std::string r;
  if (aNeg == bNeg) {
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
      const int s =
          carry + (i < a.size() ? a[a.size() - 1 - i] - '0' : 0) + (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
      r += static_cast<char>('0' + s % 10);
      carry = s / 10;
    }
    out.negative = aNeg;
  } else {
    const bool aSmaller = less(a, b);
    const std::string& big = aSmaller ? b : a;
    const std::string& small = aSmaller ? a : b;
    int borrow = 0;
    for (std::size_t i = 0; i < big.size(); ++i) {
      int s = (big[big.size() - 1 - i] - '0') - borrow - (i < small.size() ? small[small.size() - 1 - i] - '0' : 0);
      borrow = s < 0;
      r += static_cast<char>('0' + (s + 10) % 10);
    }
    out.negative = aSmaller ? bNeg : aNeg;
  }
  std::reverse(r.begin(), r.end());
  out.digits = r.erase(0, std::min(r.find_first_not_of('0'), r.size() - 1));
  if (out.digits == "0") out.negative = false;
  return out;
}

// x + y exactly, y given as whole * 10^exponent.
DecimalNumber Add(const DecimalNumber& x, bool yNeg, const std::string& y, long yExponent) {
  const long e = std::min(x.exponent, yExponent);
  // Beyond this the smaller term cannot reach the digits of the larger one
  // that decide the rounding; the temperatures here never come near it.
  if (x.exponent - e > 2 * static_cast<long>(kMaxDecimalText) + 400 ||
      yExponent - e > 2 * static_cast<long>(kMaxDecimalText) + 400)
    return x.exponent > yExponent ? x : DecimalNumber{yNeg, y, yExponent};
  DecimalNumber sum = AddWhole(x.negative, Shifted(x.digits, x.exponent - e), yNeg, Shifted(y, yExponent - e));
  sum.exponent = e;
  return sum;
}

std::optional<double> Nearest(const std::string& text) {
  const double v = std::strtod(text.c_str(), nullptr);  // rounds correctly to the nearest double
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

std::string Text(const DecimalNumber& d) {
  return (d.negative ? "-" : "") + d.digits + "e" + std::to_string(d.exponent);
}

}  // namespace

std::optional<double> KelvinFromDecimal(std::string_view number, TemperatureUnit unit) {
  const std::optional<DecimalNumber> d = ParseDecimal(number);
  if (!d) return std::nullopt;
  // Out of range of a double whatever the unit: strtod says so.
  if (d->digits != "0" && d->exponent + static_cast<long>(d->digits.size()) > 400) return std::nullopt;
  switch (unit) {
    case TemperatureUnit::Kelvin:
      return Nearest(Text(*d));
    case TemperatureUnit::Celsius:
      return Nearest(Text(Add(*d, false, "27315", -2)));
    case TemperatureUnit::Fahrenheit:
      break;
  }
  // (F - 32) * 5/9 + 273.15 = (F + 459.67) * 5/9. With F + 459.67 as
  // digits * 10^e, 5 * digits / 9 is a whole quotient q and a remainder r
  // from 0 to 8, and r/9 is 0.rrr...: the exact value is q followed by the
  // digit r repeated forever, times 10^e. Unless r is 0 it never ends, and
  // no halfway point between two doubles (each a terminating decimal) lies
  // within about 10^-(400 + digits) of it, relatively; that many
  // repetitions round as the exact value does.
  const DecimalNumber n = Add(*d, false, "45967", -2);
  std::string five;  // 5 * digits
  int carry = 0;
  for (auto c = n.digits.rbegin(); c != n.digits.rend(); ++c) {
    const int x = (*c - '0') * 5 + carry;
    five += static_cast<char>('0' + x % 10);
    carry = x / 10;
  }
  if (carry) five += static_cast<char>('0' + carry);
  std::reverse(five.begin(), five.end());
  std::string digits;  // 5 * digits / 9, then the remainder's digit repeated
  int r = 0;
  for (char c : five) {
    const int x = r * 10 + (c - '0');
    digits += static_cast<char>('0' + x / 9);
    r = x % 9;
  }
  long exponent = n.exponent;
  if (r != 0) {
    const std::size_t more = 400 + 2 * n.digits.size() + static_cast<std::size_t>(std::labs(n.exponent));
    digits.append(more, static_cast<char>('0' + r));
    exponent -= static_cast<long>(more);
  }
  return Nearest((n.negative ? "-" : "") + digits + "e" + std::to_string(exponent));
}

}  // namespace vantorel
