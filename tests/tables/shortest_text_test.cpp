// The shortest text of a double must be exactly what to_chars writes, both
// as every build writes it (short decimals at once, the rest by to_chars or
// without it) and on the path without to_chars (the WebAssembly build's),
// here where to_chars exists.

#include "ShortestText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <vantorel/vantorel.h>
#include "BookData.h"

namespace vantorel {
namespace {

std::string Portable(double v) {
  char text[kShortestTextSize];
  return std::string(text, detail::WriteShortestPortable(text, v));
}

std::string ToChars(double v) {
  char text[kShortestTextSize];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

std::string Shortest(double v) {
  char text[kShortestTextSize];
  return std::string(text, WriteShortest(text, v));
}

// Checks every value on both paths, and stops after a few mismatches so
// that a broken path does not flood the log.
void ExpectSameTexts(const std::vector<double>& values) {
  int mismatches = 0;
  for (const double v : values) {
    const std::string expected = ToChars(v);
    for (const std::string& text : {Shortest(v), Portable(v)}) {
      if (text == expected) continue;
      ADD_FAILURE() << text << " instead of " << expected;
      if (++mismatches == 10) return;
    }
  }
}

double FromBits(std::uint64_t bits) {
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

TEST(ShortestTextTest, WritesWhatToCharsWritesAtTheEdges) {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.1,
                                0.3,
                                1.1281,
                                184.6,
                                -184.6,
                                47000,
                                1e-5,
                                1e-4,
                                0.0001234,
                                123456,
                                1234567,
                                1e14,
                                999999999999999,
                                123456789012345.6,
                                1e15,
                                1e16,
                                1e21,
                                1e22,
                                1.2345678901234568e20,
                                9007199254740993.0,
                                0.1 + 0.2,
                                300 + 3 * 0.1,
                                1e-8,
                                1.5e-8,
                                1e-9,
                                5e-324,
                                std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::lowest(),
                                inf,
                                -inf,
                                std::numeric_limits<double>::quiet_NaN(),
                                -std::numeric_limits<double>::quiet_NaN()};
  // Every power of two with its neighbours: there the spacing of doubles
  // changes, and the shortest text may lie on the far side.
  for (int e = -1074; e <= 1023; ++e) {
    const double p = std::ldexp(1.0, e);
    values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, inf), -p});
  }
  // Every power of ten and the double on either side.
  for (int e = -323; e <= 308; ++e) {
    const double p = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
    values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, inf)});
  }
  ExpectSameTexts(values);
}

TEST(ShortestTextTest, WritesWhatToCharsWritesForRandomDoubles) {
  std::mt19937_64 random(20261208);
  std::vector<double> values;
  for (int i = 0; i < 60'000; ++i) {
    values.push_back(FromBits(random()));
    // A decimal of 1 to 17 significant digits at any magnitude a table or
    // a temperature has, and beyond.
    const int digits = static_cast<int>(random() % 17) + 1;
    const int exponent = static_cast<int>(random() % 40) - 20;
    const std::uint64_t mantissa = random() % 100'000'000'000'000'000ULL;
    const std::string text =
        std::to_string(mantissa).substr(0, static_cast<std::size_t>(digits)) + "e" + std::to_string(exponent);
    values.push_back(std::strtod(text.c_str(), nullptr));
    // A temperature added up in binary: near a short decimal, but not one.
    values.push_back(100 + static_cast<double>(random() % 2'900'000) * 0.001);
  }
  ExpectSameTexts(values);
}

TEST(ShortestTextTest, WritesWhatToCharsWritesForEveryTableValue) {
  std::vector<double> values;
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      const testing_support::BookTable book = testing_support::ReadBook(fluid);
      ASSERT_FALSE(book.rows.empty()) << fluid.id;
      std::vector<double> temperatures;
      for (std::size_t i = 0; i < book.rows.size(); ++i) {
        temperatures.push_back(book.rows[i]);
        if (i + 1 < book.rows.size()) temperatures.push_back((book.rows[i] + book.rows[i + 1]) / 3 * 2 + 0.01);
        for (const auto& [column, cell] : book.cells.at(book.rows[i])) values.push_back(cell.value);
      }
      for (const double t : temperatures) {
        const Result r = LookUp(fluid, t);
        if (!r) continue;  // a third of the way between rows may fall outside a range that ends inside a table
        values.push_back(t);
        for (const Property& p : r->properties()) values.insert(values.end(), {p.book, p.value});
      }
    }
  }
  ASSERT_GT(values.size(), 5000u);
  ExpectSameTexts(values);
}

}  // namespace
}  // namespace vantorel
