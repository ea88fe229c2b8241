// The quick shortest-number writer must write what std::to_chars writes.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "ShortestNumber.h"

namespace vantorel::cli {
namespace {

std::string Quick(double v) {
  char text[kMaxShortestText];
  return std::string(text, PutShortest(text, v));
}

std::string Library(double v) {
  char text[kMaxShortestText];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

TEST(ShortestNumberTest, WritesWhatToCharsWritesForChosenValues) {
  const double inf = std::numeric_limits<double>::infinity();
  for (const double v :
       {0.0, -0.0, 1.0, -1.0, 1.1281, 184.6, 47000.0, 0.00611, 1e-5, 1e-4, 0.0001, 0.00012, 1e6, 1234567.0,
        1e14, 999999999999999.0, 1e15, 1e16, 123456789012345.6, 0.1 + 0.2, 300 + 3 * 0.1, 1e-8, 1.5e-8,
        1e-9, 5e-324, std::numeric_limits<double>::max(), inf, -inf, std::nan("")}) {
    EXPECT_EQ(Quick(v), Library(v)) << Library(v);
  }
}

TEST(ShortestNumberTest, WritesWhatToCharsWritesForManyDecimals) {
  std::mt19937_64 random(20240611);
  constexpr double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
  int mismatches = 0;
  for (int i = 0; i < 300'000 && mismatches < 10; ++i) {
    // A decimal with 0 to 10 places and a magnitude from 1e-6 to 1e16, or
    // now and then an arbitrary double or a sweep's temperature.
    const double magnitude = std::pow(10.0, static_cast<int>(random() % 23) - 6);
    const double places = kPowers[random() % 11];
    double v = std::uniform_real_distribution<double>(-magnitude, magnitude)(random);
    if (i % 5 != 0) v = std::nearbyint(v * places) / places;
    if (i % 7 == 0) v = 100 + static_cast<double>(random() % 2'900'000) * 0.001;
    if (Quick(v) != Library(v)) {
      ++mismatches;
      ADD_FAILURE() << Quick(v) << " instead of " << Library(v);
    }
  }
}

}  // namespace
}  // namespace vantorel::cli
