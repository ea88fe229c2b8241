#include "ShortestNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace vantorel::cli {

namespace {

constexpr double kPowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
constexpr int kMaxPlaces = 8;
// Decimals of at most 15 significant digits: no two of them share a double,
// so the one found below is the only shortest text of its double.
constexpr double kMaxDigitsValue = 1e15;

char* Slow(char* out, double value) { return std::to_chars(out, out + kMaxShortestText, value).ptr; }

int DigitCount(std::uint64_t n) {
  int count = 1;
  while (n >= 10) {
    n /= 10;
    ++count;
  }
  return count;
}

}  // namespace

char* PutShortest(char* out, double value) {
  if (!(std::fabs(value) < kMaxDigitsValue) || value == 0) return Slow(out, value);  // also nan, inf, -0

  // The fewest decimal places k for which value is the double nearest to
  // n / 10^k: n and 10^k are exact doubles and the division rounds
  // correctly, so the test is exact.
  double scaled = 0;
  int places = 0;
  for (;; ++places) {
    if (places > kMaxPlaces) return Slow(out, value);
    scaled = std::nearbyint(value * kPowersOfTen[places]);
    if (!(std::fabs(scaled) < kMaxDigitsValue)) return Slow(out, value);
    if (scaled / kPowersOfTen[places] == value) break;
  }

  if (scaled < 0) *out++ = '-';
  std::uint64_t digits = static_cast<std::uint64_t>(std::fabs(scaled));
  int exponent = -places;  // value = digits * 10^exponent
  while (digits % 10 == 0) {
    digits /= 10;
    ++exponent;
  }
  const int count = DigitCount(digits);
  const int leading = count - 1 + exponent;  // the exponent of scientific notation

  // Plain or scientific, whichever is shorter; plain on a tie.
  const int plainLength = exponent >= 0 ? count + exponent : (leading >= 0 ? count + 1 : 2 - leading - 1 + count);
  const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + (leading <= -100 || leading >= 100 ? 3 : 2);

  char text[20];
  for (int i = count - 1; i >= 0; --i) {
    text[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }

  if (plainLength <= scientificLength) {
    if (exponent >= 0) {
      for (int i = 0; i < count; ++i) *out++ = text[i];
      for (int i = 0; i < exponent; ++i) *out++ = '0';
    } else if (leading >= 0) {
      for (int i = 0; i <= leading; ++i) *out++ = text[i];
      *out++ = '.';
      for (int i = leading + 1; i < count; ++i) *out++ = text[i];
    } else {
      *out++ = '0';
      *out++ = '.';
      for (int i = 0; i < -leading - 1; ++i) *out++ = '0';
      for (int i = 0; i < count; ++i) *out++ = text[i];
    }
    return out;
  }

  *out++ = text[0];
  if (count > 1) {
    *out++ = '.';
    for (int i = 1; i < count; ++i) *out++ = text[i];
  }
  *out++ = 'e';
  *out++ = leading < 0 ? '-' : '+';
  const int magnitude = leading < 0 ? -leading : leading;
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

}  // namespace vantorel::cli
