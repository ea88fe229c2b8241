// Temperatures in kelvin, Celsius and Fahrenheit, converted exactly in
// decimal. The expected values are the doubles nearest the exact results,
// worked out with rational arithmetic outside the program.

#include "Temperature.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

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

}  // namespace
}  // namespace vantorel
