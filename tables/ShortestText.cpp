#include "ShortestText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace vantorel {

namespace {

// The most significant digits a double ever needs to read back as itself.
constexpr int kMaxDigits = 17;

// A positive decimal: digits[0 .. count) with digits[0] not zero, times
// 10^(exponent - count + 1), so `exponent` is that of exponent notation.
struct Decimal {
  char digits[kMaxDigits + 1];
  int count;
  int exponent;
};

// The `count`-digit decimal nearest to v > 0, from printf's %e, which
// rounds correctly. Only the digits and the exponent are read, so the
// locale's decimal point does not matter.
Decimal Nearest(double v, int count) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*e", count - 1, v);
  Decimal d{};
  const char* c = text;
  for (; *c != 'e'; ++c)
    if (*c >= '0' && *c <= '9') d.digits[d.count++] = *c;
  d.exponent = std::atoi(c + 1);
  return d;
}

// The double nearest to d. strtod rounds correctly, and the text has no
// decimal point for a locale to misread.
double ValueOf(const Decimal& d) {
  char text[48];
  std::memcpy(text, d.digits, static_cast<std::size_t>(d.count));
  std::snprintf(text + d.count, sizeof text - static_cast<std::size_t>(d.count), "e%d", d.exponent - d.count + 1);
  return std::strtod(text, nullptr);
}

// The next decimal up with as many digits: 1.29 -> 1.30, 9.99 -> 10.0.
Decimal NextUp(Decimal d) {
  int i = d.count - 1;
  for (; i >= 0 && d.digits[i] == '9'; --i) d.digits[i] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits[0] = '1';  // all nines: the rest are zeros now
    ++d.exponent;
  }
  return d;
}

// Most numbers shown are short decimals: a table's value, a typed
// temperature. For those, the fewest places k (up to 8) for which v is the
// double nearest to n / 10^k give the shortest text at once: n and 10^k are
// exact doubles and the division rounds correctly, so the test is exact,
// and no two decimals of at most 15 significant digits read back as the
// same double, so the one found is the only one of its length or shorter.
// Inline, as WriteDecimal: together they are the quick path of every cell of
// a million-row sweep, where a call each costs a few per cent.
inline bool ShortDecimalOf(double v, Decimal& d) {
  constexpr double kPowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  constexpr double kMaxFifteenDigits = 1e15;
  if (!(v < kMaxFifteenDigits)) return false;
  for (int places = 0; places <= 8; ++places) {
    const double scaled = std::nearbyint(v * kPowersOfTen[places]);
    if (!(scaled < kMaxFifteenDigits)) return false;
    if (scaled / kPowersOfTen[places] != v) continue;
    if (scaled == 0) return false;  // v below 1e-8: left to the general way
    auto n = static_cast<std::uint64_t>(scaled);
    int exponent = -places;  // v is n * 10^exponent
    for (; n % 10 == 0; n /= 10) ++exponent;
    int count = 1;
    for (std::uint64_t rest = n / 10; rest != 0; rest /= 10) ++count;
    for (int i = count - 1; i >= 0; --i, n /= 10) d.digits[i] = static_cast<char>('0' + n % 10);
    d.count = count;
    d.exponent = count - 1 + exponent;
    return true;
  }
  return false;
}

// The shortest decimal that reads back as v > 0, the nearest of its length.
Decimal ShortestOf(double v) {
  if (Decimal d; ShortDecimalOf(v, d)) return d;
  int exponent = 0;
  // Below the smallest normal double the spacing is even: no such case.
  const bool powerOfTwo = std::frexp(v, &exponent) == 0.5 && v > std::numeric_limits<double>::min();
  for (int count = 1; count < kMaxDigits; ++count) {
    const Decimal nearest = Nearest(v, count);
    const double read = ValueOf(nearest);
    if (read == v) return nearest;
    // At a power of two the next double up lies twice as far away as the
    // next one down, so a decimal above v may read back as v while a nearer
    // one below does not. Anywhere else the nearest decimal is the only one
    // of its length that can.
    if (powerOfTwo && read < v) {
      const Decimal above = NextUp(nearest);
      if (ValueOf(above) == v) return above;
    }
  }
  return Nearest(v, kMaxDigits);
}

char* Write(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

// Whole numbers below 2^53 are exact doubles.
constexpr double kExactWhole = 9007199254740992.0;

// Writes d, the shortest decimal of `value` (finite, not zero), in plain or
// exponent notation, whichever is shorter; plain on a tie.
inline char* WriteDecimal(char* out, double value, const Decimal& d) {
  if (std::signbit(value)) *out++ = '-';
  int count = d.count;
  while (count > 1 && d.digits[count - 1] == '0') --count;
  const int leading = d.exponent;

  const int plainLength = leading >= count - 1 ? leading + 1 : leading >= 0 ? count + 1 : 1 - leading + count;
  const int exponentLength = count + (count > 1 ? 1 : 0) + 2 + (leading <= -100 || leading >= 100 ? 3 : 2);
  if (plainLength <= exponentLength) {
    if (leading > count - 1 && !(std::fabs(value) < kExactWhole)) {
      // A whole number past the shortest digits is written with all the
      // digits of the double, as printf("%.0f") writes it (2^60 is
      // 1152921504606846976, not 1152921504606847000). Below 2^53 those
      // are the shortest digits and zeros.
      char text[kShortestTextSize];
      const int length = std::snprintf(text, sizeof text, "%.0f", std::fabs(value));
      out = std::copy(text, text + length, out);
    } else if (leading >= count - 1) {
      out = std::copy(d.digits, d.digits + count, out);
      out = std::fill_n(out, leading - (count - 1), '0');
    } else if (leading >= 0) {
      out = std::copy(d.digits, d.digits + leading + 1, out);
      *out++ = '.';
      out = std::copy(d.digits + leading + 1, d.digits + count, out);
    } else {
      *out++ = '0';
      *out++ = '.';
      for (int i = -1; i > leading; --i) *out++ = '0';
      out = std::copy(d.digits, d.digits + count, out);
    }
    return out;
  }
  *out++ = d.digits[0];
  if (count > 1) {
    *out++ = '.';
    out = std::copy(d.digits + 1, d.digits + count, out);
  }
  *out++ = 'e';
  *out++ = leading < 0 ? '-' : '+';
  const int magnitude = std::abs(leading);
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

}  // namespace

namespace detail {

char* WriteShortestPortable(char* out, double value) noexcept {
  if (std::isnan(value) || std::isinf(value) || value == 0) {
    if (std::signbit(value)) *out++ = '-';
    return Write(out, std::isnan(value) ? "nan" : std::isinf(value) ? "inf" : "0");
  }
  return WriteDecimal(out, value, ShortestOf(std::fabs(value)));
}

}  // namespace detail

char* WriteShortest(char* out, double value) noexcept {
  // Short decimals at once, whichever way the rest goes.
  if (Decimal d; ShortDecimalOf(std::fabs(value), d)) return WriteDecimal(out, value, d);
#if defined(__cpp_lib_to_chars)
  return std::to_chars(out, out + kShortestTextSize, value).ptr;
#else
  return detail::WriteShortestPortable(out, value);
#endif
}

}  // namespace vantorel
