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

// A decimal held exactly: digits × 10^exponent. Temperatures take at most
// 17 digits from a shortest text and a few more from a conversion, far
// below the 38 that 128 bits hold.
__extension__ typedef __int128 Wide;

struct Decimal {
  Wide digits = 0;
  int exponent = 0;
  bool operator==(const Decimal&) const = default;  // of normalised decimals: the same number
};

// Beyond these a temperature is not written plainly (nor is it one anybody types).
constexpr int kMaxDigits = 36;
constexpr int kSmallestExponent = -24;
constexpr int kLargestExponent = 20;

Wide Power10(int n) {
  Wide p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

int DigitCount(Wide d) {
  int n = 1;
  for (d = d < 0 ? -d : d; d >= 10; d /= 10) ++n;
  return n;
}

Decimal Normalised(Decimal d) {
  if (d.digits == 0) return {0, 0};
  while (d.digits % 10 == 0) {
    d.digits /= 10;
    ++d.exponent;
  }
  return d;
}

// NumberText's own output ("310", "310.92777777777775", "1.5e-05"), never
// what a user typed: that is the core's to read.
std::optional<Decimal> FromShortest(std::string_view text) {
  Decimal d;
  bool negative = false, point = false, any = false;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') negative = true, ++i;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      point = true;
    } else {
      d.digits = d.digits * 10 + (text[i] - '0');
      any = true;
      if (point) --d.exponent;
    }
  }
  if (!any) return std::nullopt;
  if (i < text.size()) d.exponent += std::atoi(std::string(text.substr(i + 1)).c_str());
  if (negative) d.digits = -d.digits;
  d = Normalised(d);
  if (d.exponent < kSmallestExponent || d.exponent > kLargestExponent) return std::nullopt;
  return d;
}

// a + b, exactly.
Decimal Sum(Decimal a, Decimal b) {
  const int exponent = std::min(a.exponent, b.exponent);
  return Normalised({a.digits * Power10(a.exponent - exponent) + b.digits * Power10(b.exponent - exponent), exponent});
}

Decimal Times(Decimal a, int digits, int exponent) { return Normalised({a.digits * digits, a.exponent + exponent}); }

// `d` rounded to `significant` digits, a half to the even digit.
Decimal Rounded(Decimal d, int significant) {
  const int drop = DigitCount(d.digits) - significant;
  if (drop <= 0) return d;
  const Wide unit = Power10(drop);
  Wide kept = d.digits / unit;
  const Wide rest = d.digits % unit;
  const Wide twice = 2 * (rest < 0 ? -rest : rest);
  if (twice > unit || (twice == unit && kept % 2 != 0)) kept += d.digits < 0 ? -1 : 1;
  return Normalised({kept, d.exponent + drop});
}

// Plain decimal text: "-40", "36.85", "0.001".
std::string Text(Decimal d) {
  std::string digits;
  for (Wide v = d.digits < 0 ? -d.digits : d.digits; v > 0 || digits.empty(); v /= 10)
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
  if (d.exponent >= 0) {
    if (d.digits != 0) digits.append(static_cast<std::size_t>(d.exponent), '0');
  } else {
    const auto decimals = static_cast<std::size_t>(-d.exponent);
    if (digits.size() <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
    digits.insert(digits.size() - decimals, 1, '.');
  }
  return d.digits < 0 ? '-' + digits : digits;
}

constexpr Decimal kCelsiusZero{27315, -2};     // 273.15 K
constexpr Decimal kFahrenheitZero{45967, -2};  // 459.67 °R

// The exact value in `unit` of a kelvin given by its decimal.
Decimal InUnit(Decimal kelvin, TemperatureUnit unit) {
  switch (unit) {
    case TemperatureUnit::Celsius:
      return Sum(kelvin, {-kCelsiusZero.digits, kCelsiusZero.exponent});
    case TemperatureUnit::Fahrenheit:  // K × 1.8 − 459.67
      return Sum(Times(kelvin, 18, -1), {-kFahrenheitZero.digits, kFahrenheitZero.exponent});
    case TemperatureUnit::Kelvin:
      break;
  }
  return kelvin;
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

std::string TemperatureText(double kelvin, TemperatureUnit unit) {
  const std::optional<Decimal> k = FromShortest(NumberText(kelvin));
  if (!k) return {};
  const Decimal exact = InUnit(*k, unit);
  const int digits = DigitCount(exact.digits);
  if (digits > kMaxDigits || exact.exponent < kSmallestExponent || exact.exponent > kLargestExponent) return {};
  // The kelvin's shortest text is exact for what people type, and then so
  // is every digit here; a kelvin that does not end in decimal (from °F)
  // has its last digits from the double, and fewer read back as the same.
  for (int significant = 1; significant < digits; ++significant) {
    const std::string text = Text(Rounded(exact, significant));
    if (KelvinOf(text, unit) == kelvin) return text;
  }
  return Text(exact);
}

std::string ConversionLine(double kelvin, TemperatureUnit unit) {
  if (unit == TemperatureUnit::Kelvin) return {};
  const std::string typed = TemperatureText(kelvin, unit);
  const std::optional<Decimal> t = FromShortest(typed);
  const std::optional<Decimal> k = FromShortest(NumberText(kelvin));
  if (!t || !k) return {};
  // The kelvin the typed decimal stands for, exactly when it ends.
  const bool exact = unit == TemperatureUnit::Celsius ? Sum(*t, kCelsiusZero) == *k
                                                      : Times(Sum(*t, kFahrenheitZero), 5, 0) == Times(*k, 9, 0);
  // A minus sign as the working writes it.
  const std::string shown = typed[0] == '-' ? "−" + typed.substr(1) : typed;
  const std::string sum =
      shown + ' ' + std::string(UnitSymbol(unit)) + (unit == TemperatureUnit::Celsius ? " + 273.15" : " + 459.67");
  return "T = " + (unit == TemperatureUnit::Celsius ? sum : "(" + sum + ") × 5/9") + (exact ? " = " : " ≈ ") +
         NumberText(kelvin) + " K";
}

}  // namespace vantorel::web
