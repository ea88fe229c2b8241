// A temperature or a pressure as the page handles it while it is typed:
// which texts may still become one within the range.

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

struct PressureTyping {
  const char* fluid;
  const char* text;
  bool completable;
};
std::ostream& operator<<(std::ostream& os, const PressureTyping& c) { return os << c.fluid << " \"" << c.text << '"'; }

class PressureCompletableTest : public testing::TestWithParam<PressureTyping> {};

TEST_P(PressureCompletableTest, HoldsWhileMoreTypingCanReachTheSaturationLine) {
  const PressureTyping c = GetParam();
  EXPECT_EQ(PressureCompletable(*FindFluid(c.fluid), c.text), c.completable);
}

INSTANTIATE_TEST_SUITE_P(Texts, PressureCompletableTest,
                         testing::Values(
                             // A unit still to come, or cut short; digits still to come: 0.006 bar.
                             PressureTyping{"water", "2", true}, PressureTyping{"water", "2 b", true},
                             PressureTyping{"water", "101.3 k", true}, PressureTyping{"water", "1 m", true},
                             PressureTyping{"water", "0.00", true}, PressureTyping{"water", "5000000", true},
                             // Nothing typed after these can help: 50000000 Pa is 500 bar.
                             PressureTyping{"water", "300 bar", false}, PressureTyping{"water", "-", false},
                             PressureTyping{"water", "50000000", false}, PressureTyping{"water", "2 x", false},
                             PressureTyping{"air", "2", false}));

}  // namespace
}  // namespace vantorel::web
