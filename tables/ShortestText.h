#pragma once
// The shortest text that reads back as exactly a given double, written as
// std::to_chars(first, last, value) writes it without a format: the fewest
// significant digits that round-trip (the nearest such decimal when there is
// a choice), in plain or exponent notation, whichever is shorter, plain on a
// tie ("1.1281", "47000", "1e-05", "-0", "inf", "nan").
//
// Most numbers written are short decimals (a table's value, a sweep's
// temperature): those are found at once, by exact arithmetic, and only the
// rest go to to_chars. Standard libraries that lack to_chars for double (the
// WebAssembly build's) get the same text from printf's and strtod's
// correctly rounded conversions, so every build shows the same digits.

namespace vantorel {

// Room enough for any double's text.
inline constexpr int kShortestTextSize = 32;

// Writes the text at `out` (kShortestTextSize bytes of room) and returns its end.
char* WriteShortest(char* out, double value) noexcept;

namespace detail {

// The path without to_chars, built everywhere so that tests can hold it to
// to_chars wherever that exists.
char* WriteShortestPortable(char* out, double value) noexcept;

}  // namespace detail
}  // namespace vantorel
