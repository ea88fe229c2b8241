// A temperature as the page handles it while it is typed: which texts may
// still become a temperature within the range, and the temperature written
// again in another unit, exactly in decimal.

#include "Typing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace vantorel::web {
namespace {

constexpr TemperatureUnit K = TemperatureUnit::Kelvin, C = TemperatureUnit::Celsius, F = TemperatureUnit::Fahrenheit;

double Kelvin(const char* text, TemperatureUnit box) {
  const TemperatureResult t = ParseTemperature(text, PageOptions(box));
  if (!t) std::abort();
  return t->kelvin;
}

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

struct Converted {
  const char* text;
  TemperatureUnit from, to;
  const char* expected;
};
std::ostream& operator<<(std::ostream& os, const Converted& c) { return os << '"' << c.text << '"'; }

class TemperatureTextTest : public testing::TestWithParam<Converted> {};

TEST_P(TemperatureTextTest, WritesTheSameTemperatureInTheNewUnitWithoutBinaryNoise) {
  const Converted c = GetParam();
  const double kelvin = Kelvin(c.text, c.from);
  const std::string text = TemperatureText(kelvin, c.to);
  EXPECT_EQ(text, c.expected);
  EXPECT_EQ(Kelvin(text.c_str(), c.to), kelvin);  // and it reads back as the same kelvin
}

INSTANTIATE_TEST_SUITE_P(Units, TemperatureTextTest,
                         testing::Values(Converted{"310", K, C, "36.85"}, Converted{"36.85", C, F, "98.33"},
                                         Converted{"98.33", F, K, "310"}, Converted{"0", K, C, "-273.15"},
                                         Converted{"0", K, F, "-459.67"}, Converted{"-40", C, F, "-40"},
                                         Converted{"300.5", K, F, "81.23"}, Converted{"0.001", C, K, "273.151"},
                                         Converted{"273.15", K, C, "0"},
                                         // °F to kelvin need not end: the kelvin's own shortest text, and
                                         // the shortest °C and °F that read back as that kelvin.
                                         Converted{"100", F, K, "310.9277777777778"},
                                         Converted{"100", F, C, "37.7777777777778"},
                                         Converted{"310.9277777777778", K, F, "100"}));

// Every thousandth of a kelvin from 100 K to 101 K and a spread over the
// ranges, against integer arithmetic in thousandths.
TEST(TemperatureTextTest, IsExactForEveryThousandthOfAKelvin) {
  // n / 10^decimals as the shortest plain decimal.
  const auto plain = [](long long n, int decimals) {
    const bool negative = n < 0;
    std::string digits = std::to_string(negative ? -n : n);
    if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
    digits.insert(digits.size() - decimals, 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
    return negative && digits != "0" ? "-" + digits : digits;
  };
  for (long long n = 100'000; n <= 3'000'000; n += n < 101'000 ? 1 : 997) {
    const std::string k = plain(n, 3);
    const double kelvin = Kelvin(k.c_str(), K);
    ASSERT_EQ(TemperatureText(kelvin, K), k);
    ASSERT_EQ(TemperatureText(kelvin, C), plain(n - 273'150, 3)) << k;
    ASSERT_EQ(TemperatureText(kelvin, F), plain(n * 18 - 4'596'700, 4)) << k;
  }
}

TEST(TemperatureTextTest, GivesNothingForATemperatureTooLargeToWritePlainly) {
  EXPECT_EQ(TemperatureText(1e300, C), "");
  EXPECT_EQ(TemperatureText(1e-300, K), "");
}

TEST(ConversionLineTest, SaysHowDegreesBecomeKelvin) {
  EXPECT_EQ(ConversionLine(310, K), "");
  EXPECT_EQ(ConversionLine(Kelvin("36.85", C), C), "T = 36.85 °C + 273.15 = 310 K");
  EXPECT_EQ(ConversionLine(Kelvin("-40", C), C), "T = −40 °C + 273.15 = 233.15 K");
  EXPECT_EQ(ConversionLine(Kelvin("98.33", F), F), "T = (98.33 °F + 459.67) × 5/9 = 310 K");
  // 559.67 × 5/9 does not end: the kelvin is the double nearest it.
  EXPECT_EQ(ConversionLine(Kelvin("100", F), F), "T = (100 °F + 459.67) × 5/9 ≈ 310.9277777777778 K");
}

}  // namespace
}  // namespace vantorel::web
