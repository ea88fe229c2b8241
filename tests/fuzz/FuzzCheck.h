#pragma once
// The checks of the fuzz targets. A failed check prints what failed, with the
// case it failed on, and aborts: libFuzzer keeps the input as a finding, and
// the replay test fails.

#include <locale.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vantorel::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line, const std::string& context) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, context.c_str());
  std::abort();
}

// Two doubles are the same when their bits are, so 0 and -0 differ.
inline bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// The same value for a copy of the same computation: equal bits, or both NaN
// (whose payloads the hardware may choose).
inline bool SameResult(double a, double b) { return SameBits(a, b) || (std::isnan(a) && std::isnan(b)); }

// A double with its exact bits, for the messages: "310 (0x1.36p+8)".
inline std::string Describe(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g (%a)", v, v);
  return buf;
}

// The C locale, for reading numbers with strtod_l whatever the process
// locale is.
inline locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
}

}  // namespace vantorel::fuzz

// Checks `condition`; `context` (a std::string expression) is only worked out
// when the check fails.
#define FUZZ_CHECK(condition, context)                                                   \
  do {                                                                                   \
    if (!(condition)) ::vantorel::fuzz::Fail(#condition, __FILE__, __LINE__, (context)); \
  } while (0)
