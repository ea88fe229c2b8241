// A temperature as the page handles it while it is typed: which texts may
// still become a temperature within the range.

#include "Typing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace vantorel::web {
namespace {

constexpr TemperatureUnit K = TemperatureUnit::Kelvin, C = TemperatureUnit::Celsius, F = TemperatureUnit::Fahrenheit;

struct Typing {
  const char* fluid;
  const char* text;
  TemperatureUnit box;
  bool completable;
};
std::ostream& operator<<(std::ostream& os, const Typing& c) { return os << c.fluid << " \"" << c.text << '"'; }

class CompletableTest : public testing::TestWithParam<Typing> {};

TEST_P(CompletableTest, HoldsWhileMoreTypingCanReachTheRange) {
  const Typing c = GetParam();
  EXPECT_EQ(Completable(*FindFluid(c.fluid), c.text, c.box), c.completable);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CompletableTest,
    testing::Values(
        // On the way to 310 K, from below the range.
        Typing{"air", "3", K, true}, Typing{"air", "31", K, true}, Typing{"air", "310", K, true},
        // A number or unit cut short.
        Typing{"air", "3.", K, true}, Typing{"air", "3e", K, true}, Typing{"air", "-", C, true},
        Typing{"air", "36.85 °", K, true}, Typing{"air", "36,", C, true}, Typing{"air", "3000.", K, true},
        // A unit may still follow: 0 °C, -5 °C, 25 °C.
        Typing{"air", "0", K, true}, Typing{"air", "-", K, true}, Typing{"saturated-water", "25", K, true},
        // Nothing typed after these can help.
        Typing{"air", "5000", K, false}, Typing{"air", "6000.", K, false}, Typing{"air", "abc", K, false},
        Typing{"air", "5000 K", K, false}, Typing{"air", "3e5", K, false}, Typing{"saturated-water", "2000", K, false},
        Typing{"saturated-water", "-1", C, false}, Typing{"air", "310 K", F, true}));

}  // namespace
}  // namespace vantorel::web
