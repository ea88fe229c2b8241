#pragma once
// The shortest round-trip text of a double, exactly as std::to_chars(first,
// last, value) writes it ("1.1281", "47000", "1e-05"), but quick for the
// numbers this program writes most: short decimals such as the tables'
// values and a sweep's temperatures. Anything else goes to std::to_chars.

namespace vantorel::cli {

// Room enough for any double's shortest text.
inline constexpr int kMaxShortestText = 32;

// Writes the text at `out` (kMaxShortestText bytes of room) and returns its end.
char* PutShortest(char* out, double value);

}  // namespace vantorel::cli
