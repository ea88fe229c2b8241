#pragma once
// Decimals as people type them, taken apart exactly: "310", "-0.25",
// "3.1e2". Temperatures in degrees and sweeps are worked out in decimal from
// these, never from a double that only comes near the typed value.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

// `text` without the blanks around it (space, tab, newline, vertical tab,
// form feed, carriage return): they are no part of a typed number.
std::string_view TrimBlanks(std::string_view text);

// The longest text taken: longer ones are no number anyone types.
inline constexpr std::size_t kMaxDecimalText = 400;

// (negative ? -1 : 1) * digits * 10^exponent.
struct DecimalNumber {
  bool negative = false;
  std::string digits;  // no leading zeros; "0" for zero
  long exponent = 0;
};

// A plain decimal in the C locale: a sign, digits with at most one '.', and
// an optional exponent (e or E, a sign, digits); nothing else, no blanks,
// at most kMaxDecimalText characters. An exponent beyond 100000 counts as
// 100000, far past any double or sweep. Nothing for any other text.
std::optional<DecimalNumber> ParseDecimal(std::string_view text);

}  // namespace vantorel
