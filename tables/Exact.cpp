#include "Exact.h"

#include <algorithm>
#include <cstdlib>

namespace vantorel {

Whole::Whole(std::uint64_t value) {
  for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
}

void Whole::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

Whole Whole::FromDigits(std::string_view digits) {
  Whole w;
  for (const char c : digits) {
    w *= 10;
    w = w + Whole(static_cast<std::uint64_t>(c - '0'));
  }
  return w;
}

Whole& Whole::operator*=(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : limbs_) {
    const std::uint64_t x = static_cast<std::uint64_t>(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(x);
    carry = x >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  Trim();
  return *this;
}

Whole& Whole::MulPow10(long n) {
  for (; n >= 9; n -= 9) *this *= 1'000'000'000u;
  for (; n > 0; --n) *this *= 10u;
  return *this;
}

Whole operator*(const Whole& a, const Whole& b) {
  Whole out;
  if (a.IsZero() || b.IsZero()) return out;
  out.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
  for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
      const std::uint64_t x = static_cast<std::uint64_t>(a.limbs_[i]) * b.limbs_[j] + out.limbs_[i + j] + carry;
      out.limbs_[i + j] = static_cast<std::uint32_t>(x);
      carry = x >> 32;
    }
    out.limbs_[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  out.Trim();
  return out;
}

Whole operator+(Whole a, const Whole& b) {
  a.limbs_.resize(std::max(a.limbs_.size(), b.limbs_.size()) + 1, 0);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
    const std::uint64_t x = static_cast<std::uint64_t>(a.limbs_[i]) + (i < b.limbs_.size() ? b.limbs_[i] : 0) + carry;
    a.limbs_[i] = static_cast<std::uint32_t>(x);
    carry = x >> 32;
  }
  a.Trim();
  return a;
}

Whole operator-(Whole a, const Whole& b) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
    std::int64_t x = static_cast<std::int64_t>(a.limbs_[i]) - (i < b.limbs_.size() ? b.limbs_[i] : 0) - borrow;
    borrow = x < 0;
    if (x < 0) x += std::int64_t{1} << 32;
    a.limbs_[i] = static_cast<std::uint32_t>(x);
  }
  a.Trim();
  return a;
}

int Compare(const Whole& a, const Whole& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;)
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  return 0;
}

Whole Whole::ShiftedLeft(int bits) const {
  Whole out;
  if (IsZero()) return out;
  const int whole = bits / 32, part = bits % 32;
  out.limbs_.assign(limbs_.size() + static_cast<std::size_t>(whole) + 1, 0);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const std::uint64_t x = static_cast<std::uint64_t>(limbs_[i]) << part;
    out.limbs_[i + whole] |= static_cast<std::uint32_t>(x);
    out.limbs_[i + whole + 1] |= static_cast<std::uint32_t>(x >> 32);
  }
  out.Trim();
  return out;
}

std::string Whole::Digits() const {
  if (IsZero()) return "0";
  std::vector<std::uint32_t> rest = limbs_;
  std::string reversed;
  while (!rest.empty()) {
    std::uint64_t remainder = 0;  // rest /= 10^9
    for (std::size_t i = rest.size(); i-- > 0;) {
      const std::uint64_t x = (remainder << 32) | rest[i];
      rest[i] = static_cast<std::uint32_t>(x / 1'000'000'000u);
      remainder = x % 1'000'000'000u;
    }
    while (!rest.empty() && rest.back() == 0) rest.pop_back();
    for (int k = 0; k < 9; ++k, remainder /= 10) reversed += static_cast<char>('0' + remainder % 10);
  }
  while (reversed.size() > 1 && reversed.back() == '0') reversed.pop_back();
  return {reversed.rbegin(), reversed.rend()};
}

std::uint64_t Whole::DividedRounded(const Whole& divisor) const {
  Whole rest = *this;
  std::uint64_t q = 0;
  for (int bit = 62; bit >= 0; --bit) {
    const Whole shifted = divisor.ShiftedLeft(bit);
    if (!(rest < shifted)) {
      rest = rest - shifted;
      q |= std::uint64_t{1} << bit;
    }
  }
  const int half = Compare(rest.ShiftedLeft(1), divisor);
  if (half > 0 || (half == 0 && (q & 1))) ++q;
  return q;
}

namespace {

using U128 = unsigned __int128;

int DigitCount128(U128 x) {
  int n = 1;
  for (; x >= 10; x /= 10) ++n;
  return n;
}

U128 Pow10(int n) {
  U128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

int DigitCount(std::uint64_t digits) { return DigitCount128(digits); }

Decimal64 Times(Decimal64 x, Factor f, int significant, Rounding rounding) {
  if (x.digits == 0) return {};
  const U128 a = static_cast<U128>(x.digits) * f.num;
  const U128 b = f.den;
  int t = significant - (DigitCount128(a) - DigitCount128(b));
  U128 num = 0, den = 0, q = 0;
  for (int tries = 0; tries < 4; ++tries) {
    num = t >= 0 ? a * Pow10(t) : a;
    den = t >= 0 ? b : b * Pow10(-t);
    q = num / den;
    if (q < Pow10(significant - 1))
      ++t;
    else if (q >= Pow10(significant))
      --t;
    else
      break;
  }
  const U128 r = num - q * den;
  switch (rounding) {
    case Rounding::HalfEven:
      if (2 * r > den || (2 * r == den && (q & 1))) ++q;
      break;
    case Rounding::Up:
      if (r != 0) ++q;
      break;
    case Rounding::Down:
      break;
  }
  if (q == Pow10(significant)) {
    q /= 10;
    --t;
  }
  return {static_cast<std::uint64_t>(q), x.exponent + f.exponent - t};
}

Decimal64 WithoutTrailingZeros(Decimal64 x) {
  if (x.digits == 0) return {};
  while (x.digits % 10 == 0) {
    x.digits /= 10;
    ++x.exponent;
  }
  return x;
}

std::string DecimalText(Decimal64 x, bool negative, std::string_view mark, bool exact) {
  if (x.digits == 0) return "0";
  const std::string digits = std::to_string(x.digits);
  const int k = static_cast<int>(digits.size());
  const int lead = k - 1 + x.exponent;
  std::string out = negative ? "-" : "";
  if (lead >= -5 && lead <= 11 && (x.exponent <= 0 || exact)) {
    if (x.exponent >= 0) return out + digits + std::string(static_cast<std::size_t>(x.exponent), '0');
    const int places = -x.exponent;
    if (k > places) {
      out.append(digits, 0, static_cast<std::size_t>(k - places));
    } else {
      out += '0';
    }
    out += mark;
    if (k < places) out.append(static_cast<std::size_t>(places - k), '0');
    out.append(digits, static_cast<std::size_t>(std::max(0, k - places)));
    return out;
  }
  out += digits[0];
  if (k > 1) {
    out += mark;
    out.append(digits, 1);
  }
  out += lead < 0 ? "e-" : "e+";
  const int power = std::abs(lead);
  if (power < 10) out += '0';
  return out + std::to_string(power);
}

double Nearest(Decimal64 x) {
  constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  // Both exact: the one multiplication or division rounds correctly.
  if (x.digits < (std::uint64_t{1} << 53) && std::abs(x.exponent) <= 22) {
    const double d = static_cast<double>(x.digits);
    return x.exponent >= 0 ? d * kPowers[x.exponent] : d / kPowers[-x.exponent];
  }
  // No decimal point, which a locale could misread; strtod rounds correctly.
  const std::string text = std::to_string(x.digits) + "e" + std::to_string(x.exponent);
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace vantorel
