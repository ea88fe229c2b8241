// Temperatures in kelvin, Celsius and Fahrenheit, converted exactly in
// decimal, and read from texts as people type them. The expected values are
// the doubles nearest the exact results, worked out with rational arithmetic
// outside the program.

#include "Temperature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

namespace vantorel {
namespace {

struct Case {
  const char* text;
  TemperatureUnit unit;
  std::optional<double> kelvin;
};
std::ostream& operator<<(std::ostream& os, const Case& c) {
  return os << c.text << " unit " << static_cast<int>(c.unit);
}

class KelvinTest : public testing::TestWithParam<Case> {};

TEST_P(KelvinTest, IsTheDoubleNearestTheExactDecimal) {
  const Case c = GetParam();
  EXPECT_EQ(KelvinFromDecimal(c.text, c.unit), c.kelvin);
}

constexpr auto K = TemperatureUnit::Kelvin, C = TemperatureUnit::Celsius, F = TemperatureUnit::Fahrenheit;

INSTANTIATE_TEST_SUITE_P(Units, KelvinTest,
                         testing::Values(Case{"310", K, 310}, Case{"3.1e2", K, 310}, Case{"-0", K, -0.0},
                                         // 25 + 273.15 in binary is 298.15000000000003.
                                         Case{"25", C, 298.15}, Case{"36.85", C, 310}, Case{"-173.15", C, 100},
                                         Case{"+5", C, 278.15}, Case{".5", C, 273.65}, Case{"5.", C, 278.15},
                                         Case{"3.1E2", C, 583.15}, Case{"1e-30", C, 273.15},
                                         Case{"123456789.123456789", C, 123457062.27345678}, Case{"-273.15", C, 0},
                                         Case{"77", F, 298.15}, Case{"98.33", F, 310}, Case{"-459.67", F, 0},
                                         Case{"-40", F, 233.15}, Case{"0", F, 255.37222222222223},
                                         Case{"0.1", F, 255.42777777777778}, Case{"100", F, 310.9277777777778},
                                         Case{"1e3", F, 810.9277777777778},
                                         Case{"212.0000000000001", F, 373.15000000000003},
                                         // A zero written with an exponent is still zero degrees.
                                         Case{"-0e3", C, 273.15}, Case{"-0.00e5", C, 273.15},
                                         Case{"-0e6", F, 255.37222222222223}, Case{"0e9", F, 255.37222222222223}));

INSTANTIATE_TEST_SUITE_P(
    NoTemperature, KelvinTest,
    testing::Values(Case{"", K, std::nullopt}, Case{"abc", C, std::nullopt}, Case{"1.2.3", K, std::nullopt},
                    Case{" 25", C, std::nullopt}, Case{"25 ", C, std::nullopt}, Case{"25C", C, std::nullopt},
                    Case{"1e", K, std::nullopt}, Case{"e5", K, std::nullopt}, Case{".", F, std::nullopt},
                    Case{"-", C, std::nullopt}, Case{"0x10", K, std::nullopt}, Case{"nan", K, std::nullopt},
                    Case{"inf", C, std::nullopt}, Case{"1e999", K, std::nullopt}, Case{"-1e400", F, std::nullopt},
                    Case{"1e99999999999999999999", C, std::nullopt}));

// A temperature as typed at a door: the number, its unit, the blanks and
// marks people use. Kelvin values are again the doubles nearest the exact
// results; a refused text is nullopt.
struct Typed {
  std::string text;
  std::optional<double> kelvin;
  TemperatureUnit unit = TemperatureUnit::Kelvin;
  bool unitWritten = true;
  TextOptions options = {};
};
std::ostream& operator<<(std::ostream& os, const Typed& t) {
  return os << '"' << t.text << "\" marks \"" << t.options.decimalMarks << '"';
}

class ParseTemperatureTest : public testing::TestWithParam<Typed> {};

TEST_P(ParseTemperatureTest, ReadsTheNumberAndItsUnitOrRefusesTheText) {
  const Typed& t = GetParam();
  const TemperatureResult r = ParseTemperature(t.text, t.options);
  if (!t.kelvin) {
    ASSERT_FALSE(r.ok()) << r->kelvin;
    EXPECT_EQ(r.error().code, ErrorCode::NotATemperature);
    EXPECT_EQ(r.error().input, Input::T);
    EXPECT_TRUE(std::isnan(r.error().T));
    return;
  }
  ASSERT_TRUE(r.ok()) << r.error().message();
  EXPECT_EQ(r->kelvin, *t.kelvin);
  EXPECT_EQ(r->unit, t.unit);
  EXPECT_EQ(r->unitWritten, t.unitWritten);
}

constexpr TextOptions kPointOrComma{TemperatureUnit::Kelvin, ".,"}, kComma{TemperatureUnit::Kelvin, ","},
    kBareCelsius{TemperatureUnit::Celsius, "."};
constexpr std::nullopt_t kRefused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTemperatureTest,
    testing::Values(
        Typed{"310", 310, K, false}, Typed{"310 K", 310, K}, Typed{"310K", 310, K}, Typed{"310k", 310, K},
        Typed{"3.1e2", 310, K, false}, Typed{" \t310.5 K\n", 310.5, K}, Typed{"+310", 310, K, false},
        // 25 + 273.15 in binary is 298.15000000000003.
        Typed{"25 °C", 298.15, C}, Typed{"25°C", 298.15, C}, Typed{"25 ℃", 298.15, C}, Typed{"25C", 298.15, C},
        Typed{"25 c", 298.15, C}, Typed{"77 °F", 298.15, F}, Typed{"77°F", 298.15, F}, Typed{"77℉", 298.15, F},
        Typed{"77 f", 298.15, F}, Typed{"-40 °F", 233.15, F}, Typed{"-40 °C", 233.15, C},
        Typed{"\u221240 °F", 233.15, F},                                          // U+2212 minus
        Typed{"25\u00A0°C", 298.15, C}, Typed{"\u2009310\u202FK\u00A0", 310, K},  // no-break and thin spaces
        Typed{"25", 298.15, C, false, kBareCelsius}, Typed{"25 K", 25, K, true, kBareCelsius},
        Typed{"36,85 °C", 310, C, true, kPointOrComma}, Typed{"36.85 °C", 310, C, true, kPointOrComma},
        Typed{"310,5", 310.5, K, false, kComma},
        // Refused: another decimal mark, two marks, group separators.
        Typed{"36,85 °C", kRefused}, Typed{"310,5", kRefused}, Typed{"310.5", kRefused, K, false, kComma},
        Typed{"1,000.5", kRefused}, Typed{"1,000.5", kRefused, K, false, kPointOrComma},
        Typed{"1.000,5", kRefused, K, false, kPointOrComma},
        // Refused: no decimal, no finite value, no number before the unit.
        Typed{"0x12C", kRefused}, Typed{"0x136", kRefused}, Typed{"inf", kRefused}, Typed{"-infinity K", kRefused},
        Typed{"nan", kRefused}, Typed{"1e999", kRefused}, Typed{"-1e999 °C", kRefused}, Typed{"", kRefused},
        Typed{" ", kRefused}, Typed{"K", kRefused}, Typed{"°C", kRefused}, Typed{"℉", kRefused},
        Typed{"310 °K", kRefused}, Typed{"310 KK", kRefused}, Typed{"\u2212\u221240", kRefused},
        Typed{std::string("310\0", 4), kRefused}, Typed{std::string("31\0000 K", 6), kRefused}));

}  // namespace
}  // namespace vantorel
