#pragma once
// Exact decimal arithmetic for unit conversions and pressures: whole numbers
// of any size, and a decimal times an exact factor, rounded to a number of
// significant digits.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel {

// A whole number of any size, at least 0.
class Whole {
 public:
  Whole(std::uint64_t value = 0);

  // The decimal digits `digits` ("0012" is 12).
  static Whole FromDigits(std::string_view digits);

  Whole& operator*=(std::uint32_t factor);
  Whole& MulPow10(long n);
  friend Whole operator*(const Whole& a, const Whole& b);
  friend Whole operator+(Whole a, const Whole& b);
  // a - b, for a at least b.
  friend Whole operator-(Whole a, const Whole& b);
  friend int Compare(const Whole& a, const Whole& b);  // -1, 0, 1
  friend bool operator<(const Whole& a, const Whole& b) { return Compare(a, b) < 0; }
  friend bool operator==(const Whole& a, const Whole& b) { return Compare(a, b) == 0; }

  bool IsZero() const { return limbs_.empty(); }

  // The decimal digits ("0" for zero).
  std::string Digits() const;
  bool IsOdd() const { return !limbs_.empty() && (limbs_[0] & 1u); }

  // *this / divisor, rounded half-even, when that quotient is below 2^62.
  std::uint64_t DividedRounded(const Whole& divisor) const;

 private:
  Whole ShiftedLeft(int bits) const;
  void Trim();
  std::vector<std::uint32_t> limbs_;  // least significant first, no zero at the top
};

// How a quotient is rounded to its last digit.
enum class Rounding : std::uint8_t { HalfEven, Up, Down };

// digits · 10^exponent, with digits below 10^19.
struct Decimal64 {
  std::uint64_t digits = 0;
  int exponent = 0;
};

// An exact factor num/den · 10^exponent, num and den below 2^50.
struct Factor {
  std::uint64_t num = 1, den = 1;
  int exponent = 0;
};

// x · factor, exactly, rounded to `significant` digits (1 to 17); zero
// stays zero. With Rounding::HalfEven, a tie goes to the even digit.
Decimal64 Times(Decimal64 x, Factor factor, int significant, Rounding rounding = Rounding::HalfEven);

// The number of decimal digits of `digits` (1 for 0).
int DigitCount(std::uint64_t digits);

// The decimal without its trailing zeros (its value unchanged).
Decimal64 WithoutTrailingZeros(Decimal64 x);

// The decimal as text: plain ("0.070425") when its leading digit lies
// between 10^-5 and 10^11, else "1.234e-07"; with `decimalMark` for '.'.
// `negative` puts a '-' before it. Every digit of `x` is written, trailing
// zeros included, and no other: a whole number that would need zeros after
// its digits ("22120" for the four digits 2212 · 10) is written
// "2.212e+04", unless `exact` says those zeros are true.
std::string DecimalText(Decimal64 x, bool negative = false, std::string_view decimalMark = ".", bool exact = false);

// The double nearest to the decimal's exact value.
double Nearest(Decimal64 x);

}  // namespace vantorel
