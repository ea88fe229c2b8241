#include "Sweep.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Decimal.h"
#include "ShortestText.h"

namespace vantorel {

namespace {

using Scaled = Sweep::Scaled;

// An exact decimal, value / 10^scale.
struct Scaled10 {
  Scaled value = 0;
  int scale = 0;
};

// 10^30: no number of a sweep needs more digits than that, and sums and
// products of a few of them stay far inside the 127 bits of Scaled.
constexpr Scaled PowerOfTen(int n) {
  Scaled p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}
constexpr Scaled kLimit = PowerOfTen(kMaxSweepDigits);

Scaled Abs(Scaled v) { return v < 0 ? -v : v; }

// A decimal text as an exact Scaled10, or nothing for any other text and
// for more than kMaxSweepDigits digits once leading and trailing zeros are
// dropped.
std::optional<Scaled10> ScaledOf(std::string_view text) {
  const auto parsed = ParseDecimal(text);
  if (!parsed) return std::nullopt;
  std::string_view digits = parsed->digits;
  long exponent = parsed->exponent;
  while (digits.size() > 1 && digits.back() == '0') {
    digits.remove_suffix(1);
    ++exponent;
  }
  if (digits == "0") return Scaled10{};
  const long count = static_cast<long>(digits.size());
  if (count > kMaxSweepDigits || exponent < -kMaxSweepDigits || count + exponent > kMaxSweepDigits) return std::nullopt;
  Scaled value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  for (; exponent > 0; --exponent) value *= 10;
  return Scaled10{parsed->negative ? -value : value, static_cast<int>(-exponent)};
}

// `d` in units of 10^-scale (scale at least d.scale), or nothing when that
// needs more than kMaxSweepDigits digits.
std::optional<Scaled> Rescaled(const Scaled10& d, int scale) {
  Scaled v = d.value;
  for (int s = d.scale; s < scale; ++s) {
    v *= 10;
    if (Abs(v) >= kLimit) return std::nullopt;
  }
  return v;
}

// Writes the digits of |value| at `out`, last digit first, and returns how
// many: at least one.
int ReversedDigits(char* out, Scaled value) {
  unsigned __int128 magnitude = static_cast<unsigned __int128>(Abs(value));
  int n = 0;
  // Most rows fit in 64 bits, whose division by 10 is a multiplication.
  if (magnitude <= UINT64_MAX) {
    for (std::uint64_t m = static_cast<std::uint64_t>(magnitude); m != 0 || n == 0; m /= 10)
      out[n++] = static_cast<char>('0' + m % 10);
  } else {
    for (; magnitude != 0; magnitude /= 10) out[n++] = static_cast<char>('0' + static_cast<int>(magnitude % 10));
  }
  return n;
}

// Writes value / 10^scale as a decimal without trailing zeros.
char* PutDecimal(char* out, Scaled value, int scale) {
  if (value < 0) *out++ = '-';
  char digits[48];
  const int n = ReversedDigits(digits, value);
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

// Writes value / 10^scale as digits and a power of ten ("27335e-2"), with
// no decimal point for a locale to misread, and a terminating NUL.
void PutExponentForm(char* out, Scaled value, int scale) {
  if (value < 0) *out++ = '-';
  char digits[48];
  for (int k = ReversedDigits(digits, value) - 1; k >= 0; --k) *out++ = digits[k];
  *out++ = 'e';
  *out++ = '-';
  if (scale >= 10) *out++ = static_cast<char>('0' + scale / 10);
  *out++ = static_cast<char>('0' + scale % 10);
  *out = '\0';
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Whole numbers up to 2^53 are exact doubles.
constexpr Scaled kExactWhole = Scaled{1} << 53;

}  // namespace

double Sweep::At(std::size_t i) const noexcept {
  const Scaled row = Row(i);
  char text[kSweepTextSize];
  if (!fahrenheit_) {
    // Both exact, so the one division rounds to the double nearest the decimal.
    if (scale_ <= 22 && Abs(row) <= kExactWhole)
      return static_cast<double>(static_cast<std::int64_t>(row)) / kPowersOfTen[scale_];
    // strtod rounds a decimal text correctly too, at some cost per row.
    PutExponentForm(text, row, scale_);
    return std::strtod(text, nullptr);
  }
  // (F + 459.67) * 5/9 kelvin: 5 * (row + offset) / (9 * 10^scale), both
  // exact doubles when small enough, rounded once.
  const Scaled numerator = 5 * (row + offset_);
  if (scale_ <= 15 && Abs(numerator) <= kExactWhole)
    return static_cast<double>(static_cast<std::int64_t>(numerator)) / (9 * kPowersOfTen[scale_]);
  PutExponentForm(text, row, scale_);
  return *KelvinFromDecimal(text, TemperatureUnit::Fahrenheit);
}

char* Sweep::WriteText(char* out, std::size_t i) const noexcept {
  return fahrenheit_ ? WriteShortest(out, At(i)) : PutDecimal(out, Row(i), scale_);
}

char* Sweep::WriteTyped(char* out, std::size_t i) const noexcept {
  return celsius_ ? PutDecimal(out, Row(i) - offset_, scale_) : PutDecimal(out, Row(i), scale_);
}

std::variant<Sweep, SweepRefusal> PlanDecimalSweep(SweepEnd from, SweepEnd to, SweepStep step, std::size_t maxRows) {
  using enum TemperatureUnit;
  const bool fahrenheit = from.unit == Fahrenheit;
  if ((to.unit == Fahrenheit) != fahrenheit) return SweepRefusal::MixedFahrenheit;

  const auto fromDecimal = ScaledOf(from.number);
  if (!fromDecimal) return SweepRefusal::FromNotDecimal;
  const auto toDecimal = ScaledOf(to.number);
  if (!toDecimal) return SweepRefusal::ToNotDecimal;
  const auto stepDecimal = ScaledOf(step.number);
  if (!stepDecimal) return SweepRefusal::StepNotDecimal;

  // Celsius and Fahrenheit move their ends by hundredths: 273.15, 459.67.
  const bool offsets = fahrenheit || from.unit == Celsius || to.unit == Celsius;
  const int scale = std::max({fromDecimal->scale, toDecimal->scale, stepDecimal->scale, offsets ? 2 : 0});
  auto first = Rescaled(*fromDecimal, scale), last = Rescaled(*toDecimal, scale);
  const auto s = Rescaled(*stepDecimal, scale), kelvinOffset = Rescaled({27315, 2}, scale);
  if (!first || !last || !s || !kelvinOffset) return SweepRefusal::TooManyDigits;
  if (step.unit && (*step.unit == Fahrenheit) != fahrenheit) return SweepRefusal::StepUnitMismatch;
  if (stepDecimal->value <= 0) return SweepRefusal::StepNotPositive;
  // Kelvin and Celsius ends meet in kelvin, exactly.
  if (from.unit == Celsius) *first += *kelvinOffset;
  if (to.unit == Celsius) *last += *kelvinOffset;
  if (*last < *first) return SweepRefusal::ToBelowFrom;

  const bool celsius = from.unit == Celsius && to.unit == Celsius;
  Sweep::Plan plan{fahrenheit, scale,    *first, *s, 0, fahrenheit ? *Rescaled({45967, 2}, scale) : celsius ? *kelvinOffset : 0,
                   1,          celsius};

  const Scaled span = *last - *first;
  const Scaled whole = span / *s, rest = span % *s;
  if (whole >= static_cast<Scaled>(maxRows)) return SweepRefusal::TooManyRows;
  // Within a millionth of a step of a step point after `from`, `to` is that
  // point. The first row is always `from`: a step so long that `to` lies
  // within a millionth of it from `from` gives the one row `from`.
  const Scaled millionth = *s / 1'000'000;
  if (rest <= millionth) {
    plan.count = static_cast<std::size_t>(whole) + 1;
    plan.last = whole == 0 ? *first : *last;
  } else if (*s - rest <= millionth) {
    plan.count = static_cast<std::size_t>(whole) + 2;
    plan.last = *last;
  } else {
    plan.count = static_cast<std::size_t>(whole) + 1;
    plan.last = *first + whole * *s;
  }
  if (plan.count > maxRows) return SweepRefusal::TooManyRows;
  return Sweep(plan);
}

}  // namespace vantorel
