#include "Temperatures.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "Decimal.h"
#include "ShortestNumber.h"

namespace vantorel::cli {

namespace {

using Scaled = Sweep::Scaled;

// The C locale, whatever the process locale is, so "310.5" is always a number
// and "310,5" never is.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
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
    {"°C", TemperatureUnit::Celsius},    {"°F", TemperatureUnit::Fahrenheit}, {"℃", TemperatureUnit::Celsius},
    {"℉", TemperatureUnit::Fahrenheit},  {"C", TemperatureUnit::Celsius},     {"c", TemperatureUnit::Celsius},
    {"F", TemperatureUnit::Fahrenheit},  {"f", TemperatureUnit::Fahrenheit},  {"K", TemperatureUnit::Kelvin},
    {"k", TemperatureUnit::Kelvin},
};

Split SplitUnit(std::string_view text) {
  text = Trimmed(text);
  for (const Suffix& s : kSuffixes) {
    if (text.size() > s.text.size() && text.ends_with(s.text))
      return {Trimmed(text.substr(0, text.size() - s.text.size())), s.unit, true};
  }
  return {text};
}

// An exact decimal, value / 10^scale.
struct Decimal {
  Scaled value = 0;
  int scale = 0;
};

// 10^30: no number of a sweep needs more digits than that, and sums and
// products of a few of them stay far inside the 127 bits of Scaled.
constexpr int kMaxDigits = 30;
constexpr Scaled PowerOfTen(int n) {
  Scaled p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}
constexpr Scaled kLimit = PowerOfTen(kMaxDigits);

Scaled Abs(Scaled v) { return v < 0 ? -v : v; }

// A plain decimal (sign, digits with at most one '.', an exponent) as an
// exact Decimal, or nothing for any other text and for more than kMaxDigits
// digits once leading and trailing zeros are dropped.
std::optional<Decimal> DecimalOf(std::string_view text) {
  const auto parsed = ParseDecimal(text);
  if (!parsed) return std::nullopt;
  std::string_view digits = parsed->digits;
  long exponent = parsed->exponent;
  while (digits.size() > 1 && digits.back() == '0') {
    digits.remove_suffix(1);
    ++exponent;
  }
  if (digits == "0") return Decimal{};
  if (static_cast<long>(digits.size()) > kMaxDigits) return std::nullopt;
  if (exponent < -kMaxDigits || static_cast<long>(digits.size()) + exponent > kMaxDigits) return std::nullopt;
  Scaled value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  for (; exponent > 0; --exponent) value *= 10;
  return Decimal{parsed->negative ? -value : value, static_cast<int>(-exponent)};
}

// `d` in units of 10^-scale (scale at least d.scale), or nothing when that
// needs more than kMaxDigits digits.
std::optional<Scaled> Rescaled(const Decimal& d, int scale) {
  Scaled v = d.value;
  for (int s = d.scale; s < scale; ++s) {
    v *= 10;
    if (Abs(v) >= kLimit) return std::nullopt;
  }
  return v;
}

// Writes value / 10^scale as a decimal without trailing zeros.
char* PutDecimal(char* out, Scaled value, int scale) {
  if (value < 0) *out++ = '-';
  unsigned __int128 magnitude = static_cast<unsigned __int128>(Abs(value));
  char digits[48];  // last digit first
  int n = 0;
  // Most rows fit in 64 bits, whose division by 10 is a multiplication.
  if (magnitude <= UINT64_MAX) {
    for (std::uint64_t m = static_cast<std::uint64_t>(magnitude); m != 0 || n == 0; m /= 10)
      digits[n++] = static_cast<char>('0' + m % 10);
  } else {
    for (; magnitude != 0; magnitude /= 10) digits[n++] = static_cast<char>('0' + static_cast<int>(magnitude % 10));
  }
  // The digit for 10^(k - scale); zeros above the highest.
  const auto digit = [&](int k) { return k < n ? digits[k] : '0'; };
  if (n <= scale) *out++ = '0';
  for (int k = n - 1; k >= scale; --k) *out++ = digits[k];
  int zeros = 0;  // trailing zeros of the fraction
  while (zeros < scale && digit(zeros) == '0') ++zeros;
  if (zeros < scale) {
    *out++ = '.';
    for (int k = scale - 1; k >= zeros; --k) *out++ = digit(k);
  }
  return out;
}

std::string DecimalText(Scaled value, int scale) {
  char text[kMaxTemperatureText];
  return std::string(text, PutDecimal(text, value, scale));
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Whole numbers up to 2^53 are exact doubles.
constexpr Scaled kExactWhole = Scaled{1} << 53;

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
  if (!std::isfinite(value)) return std::nullopt;                 // nan, inf, overflow to inf
  return value;
}

std::optional<TypedTemperature> ReadTemperature(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string_view bare = Trimmed(text);
  if (const auto kelvin = ParseNumber(bare))
    return TypedTemperature{bare, bare, TemperatureUnit::Kelvin, false, *kelvin};
  const Split split = SplitUnit(bare);
  if (!split.suffixed || split.number.empty()) return std::nullopt;
  const auto kelvin = KelvinFromDecimal(split.number, split.unit);
  if (!kelvin) return std::nullopt;
  return TypedTemperature{bare, split.number, split.unit, true, *kelvin};
}

double Sweep::At(std::size_t i) const {
  const Scaled row = Row(i);
  if (!fahrenheit_) {
    // Both exact, so the one division rounds to the double nearest the decimal.
    if (scale_ <= 22 && Abs(row) <= kExactWhole)
      return static_cast<double>(static_cast<std::int64_t>(row)) / kPowersOfTen[scale_];
    // strtod rounds a decimal text correctly too, at some cost per row.
    char text[kMaxTemperatureText];
    *PutDecimal(text, row, scale_) = '\0';
    return strtod_l(text, nullptr, CLocale());
  }
  // (F + 459.67) * 5/9 kelvin: 5 * (row + offset) / (9 * 10^scale), both
  // exact doubles when small enough, rounded once.
  const Scaled numerator = 5 * (row + offset_);
  if (scale_ <= 15 && Abs(numerator) <= kExactWhole)
    return static_cast<double>(static_cast<std::int64_t>(numerator)) / (9 * kPowersOfTen[scale_]);
  return *KelvinFromDecimal(DecimalText(row, scale_), TemperatureUnit::Fahrenheit);
}

char* Sweep::PutText(char* out, std::size_t i) const {
  return fahrenheit_ ? PutShortest(out, At(i)) : PutDecimal(out, Row(i), scale_);
}

std::variant<Sweep, std::string> PlanSweep(const TypedTemperature& from, const TypedTemperature& to,
                                           std::string_view stepText) {
  using enum TemperatureUnit;
  const bool fahrenheit = from.unit == Fahrenheit;
  if ((to.unit == Fahrenheit) != fahrenheit)
    return "--from and --to are in different units: give both in °F, or neither";

  const Split step = SplitUnit(stepText);
  const auto notDecimal = [](std::string_view option, std::string_view text) {
    return std::string(option) + " " + Quoted(text) +
           " is not a decimal number of at most 30 digits, which a sweep needs (such as 300.5)";
  };
  const auto fromDecimal = DecimalOf(from.number);
  if (!fromDecimal) return notDecimal("--from", from.text);
  const auto toDecimal = DecimalOf(to.number);
  if (!toDecimal) return notDecimal("--to", to.text);
  const auto stepDecimal = DecimalOf(step.number);
  if (!stepDecimal) return notDecimal("--step", stepText);
  if (step.suffixed && (step.unit == Fahrenheit) != fahrenheit)
    return "--step " + Quoted(stepText) + " does not fit the ends: kelvin or Celsius ends step in K or C, " +
           "Fahrenheit ends in F";
  if (stepDecimal->value <= 0) return "--step must be a positive number, not " + std::string(step.number);

  // Celsius and Fahrenheit move their ends by hundredths: 273.15, 459.67.
  const bool offsets = fahrenheit || from.unit == Celsius || to.unit == Celsius;
  const int scale = std::max({fromDecimal->scale, toDecimal->scale, stepDecimal->scale, offsets ? 2 : 0});
  const auto tooLong = [] { return std::string("the sweep's numbers need more than 30 digits: use fewer decimals"); };
  auto first = Rescaled(*fromDecimal, scale), last = Rescaled(*toDecimal, scale);
  const auto s = Rescaled(*stepDecimal, scale), kelvinOffset = Rescaled({27315, 2}, scale);
  if (!first || !last || !s || !kelvinOffset) return tooLong();
  // Kelvin and Celsius ends meet in kelvin, exactly.
  if (from.unit == Celsius) *first += *kelvinOffset;
  if (to.unit == Celsius) *last += *kelvinOffset;
  if (*last < *first)
    return "--to " + std::string(to.text) + " is below --from " + std::string(from.text);

  Sweep sweep;
  sweep.fahrenheit_ = fahrenheit;
  sweep.scale_ = scale;
  sweep.first_ = *first;
  sweep.step_ = *s;
  if (fahrenheit) sweep.offset_ = *Rescaled({45967, 2}, scale);

  const Scaled span = *last - *first;
  const Scaled whole = span / *s, rest = span % *s;
  const auto tooMany = [] {
    return "the sweep would write more than " + std::to_string(kMaxSweepRows) +
           " rows; use a larger --step or a shorter range";
  };
  if (whole >= static_cast<Scaled>(kMaxSweepRows)) return tooMany();
  // Within a millionth of a step of a step point, `to` is that point.
  const Scaled millionth = *s / 1'000'000;
  if (rest <= millionth) {
    sweep.count_ = static_cast<std::size_t>(whole) + 1;
    sweep.last_ = *last;
  } else if (*s - rest <= millionth) {
    sweep.count_ = static_cast<std::size_t>(whole) + 2;
    sweep.last_ = *last;
  } else {
    sweep.count_ = static_cast<std::size_t>(whole) + 1;
    sweep.last_ = *first + whole * *s;
  }
  if (sweep.count_ > kMaxSweepRows) return tooMany();
  return sweep;
}

char* Temperatures::PutText(char* out, std::size_t i) const {
  return sweep_ ? sweep_->PutText(out, i) : PutShortest(out, list_[i]);
}

}  // namespace vantorel::cli
