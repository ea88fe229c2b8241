// A kelvin back in degrees, exactly in decimal: the unit box of a page
// that switches from K to °C keeps the temperature, and a working starts
// with how degrees became kelvin.

#include <vantorel/vantorel.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace vantorel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The kelvin of `text` read as a temperature in `unit`, or NaN.
double KelvinOf(std::string_view text, TemperatureUnit unit) {
  const TemperatureResult t = ParseTemperature(text, {unit, "."});
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

// The shortest plain decimal in `unit` that reads back as `kelvin`.
std::string ShortestIn(double kelvin, TemperatureUnit unit) {
  if (!std::isfinite(kelvin)) return {};  // "nan" and "inf" are no decimals
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

}  // namespace

std::string TemperatureText(double kelvin, TemperatureUnit unit, std::string_view decimalMark) {
  std::string text = ShortestIn(kelvin, unit);
  if (decimalMark != ".")
    if (const std::size_t point = text.find('.'); point != std::string::npos) text.replace(point, 1, decimalMark);
  return text;
}

std::string TemperatureWorking(double kelvin, TemperatureUnit unit) {
  if (unit == TemperatureUnit::Kelvin) return {};
  const std::string typed = ShortestIn(kelvin, unit);
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

}  // namespace vantorel
