#pragma once
// The temperatures one run looks up: a list given one by one, or a sweep from
// A to B in steps of S.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantorel::cli {

// A number as the C locale's strtod reads it (leading blanks, a sign,
// exponents and hexadecimal floats included), or nothing when the text is
// empty, has anything after the number, or is not finite (nan, inf, 1e999).
std::optional<double> ParseNumber(std::string_view text);

// The most rows one sweep may write.
inline constexpr std::size_t kMaxSweepRows = 10'000'000;

// Row i of a sweep is from + i*step, each computed afresh so that no error
// accumulates; the last row is `last`.
struct Sweep {
  double from = 0, step = 1, last = 0;
  std::size_t count = 1;

  double At(std::size_t i) const;
};

// Plans the sweep from `from` up to `to` in steps of `step`. `to` itself is
// the last row when (to - from) / step lies within rounding error (at least a
// millionth of a step) of a whole number n; row n is then exactly `to`, so
// 300 to 301 in steps of 0.1 gives 11 rows ending at 301. Otherwise the last
// row is the last step point below `to`. A refusal is returned as its message.
std::variant<Sweep, std::string> PlanSweep(double from, double to, double step);

// The temperatures of one run, in the order they are written.
class Temperatures {
 public:
  explicit Temperatures(std::vector<double> list) : list_(std::move(list)), count_(list_.size()) {}
  explicit Temperatures(Sweep sweep) : sweep_(sweep), count_(sweep.count) {}

  std::size_t size() const { return count_; }
  double operator[](std::size_t i) const { return sweep_ ? sweep_->At(i) : list_[i]; }
  double front() const { return (*this)[0]; }
  double back() const { return (*this)[count_ - 1]; }

 private:
  std::vector<double> list_;
  std::optional<Sweep> sweep_;
  std::size_t count_;
};

}  // namespace vantorel::cli
