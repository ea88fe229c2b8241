// Reading a temperature as typed, and the words of a refused sweep.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <variant>

#include "Temperatures.h"

namespace vantorel::cli {
namespace {

// What the C library reads a decimal text as: the double nearest to it.
double Nearest(const std::string& decimal) { return std::strtod(decimal.c_str(), nullptr); }

struct Accepted {
  std::string text;
  double kelvin;
};
std::ostream& operator<<(std::ostream& os, const Accepted& a) { return os << '"' << a.text << '"'; }

class AcceptedTemperatureTest : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedTemperatureTest, IsTheDoubleNearestItsExactValueInKelvin) {
  const auto t = ReadTemperature(GetParam().text);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->kelvin, GetParam().kelvin);
}

// Degrees land on exactly the double their kelvin text reads as: 25 °C is
// 298.15, which 25 + 273.15 in binary is not.
INSTANTIATE_TEST_SUITE_P(Forms, AcceptedTemperatureTest,
                         testing::Values(Accepted{"310", 310}, Accepted{"3.1e2", 310}, Accepted{"-5", -5},
                                         Accepted{"0x136", 310}, Accepted{" 310", 310}, Accepted{"310 ", 310},
                                         Accepted{"\t310\n", 310}, Accepted{"310K", 310}, Accepted{"310 k", 310},
                                         Accepted{"25C", Nearest("298.15")}, Accepted{"36.85°C", 310},
                                         Accepted{" 36.85 °C ", 310}, Accepted{"36.85℃", 310},
                                         Accepted{"-173.15C", 100}, Accepted{"-.5C", Nearest("272.65")},
                                         Accepted{"77F", Nearest("298.15")}, Accepted{"98.33°F", 310},
                                         Accepted{"-40F", Nearest("233.15")}, Accepted{"-459.67F", 0},
                                         // (100 - 32) * 5/9 + 273.15 = 310.92777...: the nearest double, not a sum's.
                                         Accepted{"100F", Nearest("310.927777777777777777777777777778")}));

class RefusedTemperatureTest : public testing::TestWithParam<std::string> {};

TEST_P(RefusedTemperatureTest, IsNoTemperature) { EXPECT_EQ(ReadTemperature(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Texts, RefusedTemperatureTest,
                         testing::Values("", " ", "K", "°C", "310 K K", "310KC", "310°", "310 °K", "0x136K", "310,5",
                                         "3 10", "abc", "--310", "nan", "inf", "infC", "-Infinity", "1e999", "1e999C",
                                         std::string("310\0"
                                                     "5",
                                                     5),
                                         std::string("25\0C", 4)));

TEST(ParseNumberTest, ReadsAsStrtodDoesInTheCLocaleAndRefusesWhatIsNotFinite) {
  EXPECT_EQ(ParseNumber("0x1.36p8"), 310);
  EXPECT_EQ(ParseNumber("273.15"), Nearest("273.15"));
  for (const char* text : {"310K", "310,5", "nan", "-inf", "1e999", "0x1p9999", ""})
    EXPECT_EQ(ParseNumber(text), std::nullopt) << text;
}

std::variant<Sweep, std::string> Plan(const std::string& from, const std::string& to, const std::string& step) {
  const auto a = ReadTemperature(from), b = ReadTemperature(to);
  if (!a || !b) return std::string("unreadable end");
  return PlanSweep(*a, *b, step);
}

struct BadSweep {
  std::string from, to, step;
  const char* says;
};
std::ostream& operator<<(std::ostream& os, const BadSweep& b) {
  return os << b.from << " to " << b.to << " step " << b.step;
}

class BadSweepTest : public testing::TestWithParam<BadSweep> {};

TEST_P(BadSweepTest, IsRefusedWithAReason) {
  const auto plan = Plan(GetParam().from, GetParam().to, GetParam().step);
  ASSERT_TRUE(std::holds_alternative<std::string>(plan));
  EXPECT_NE(std::get<std::string>(plan).find(GetParam().says), std::string::npos) << std::get<std::string>(plan);
}

// One case per refusal of the planner (tables/Sweep.h), in the words of the
// command line.
INSTANTIATE_TEST_SUITE_P(
    Plans, BadSweepTest,
    testing::Values(BadSweep{"32F", "400", "1", "--from and --to are in different units: give both in °F, or neither"},
                    BadSweep{"0x136", "320", "1",
                             "--from \"0x136\" is not a decimal number of at most 30 digits, which a sweep needs "
                             "(such as 300.5)"},
                    BadSweep{"300", "0x140", "1", "--to \"0x140\" is not a decimal number"},
                    BadSweep{"300", "310", "inf", "--step \"inf\" is not a decimal number"},
                    BadSweep{"300", "400", "1F",
                             "--step \"1F\" does not fit the ends: kelvin or Celsius ends step in K or C, Fahrenheit "
                             "ends in F"},
                    BadSweep{"300", "310", "-1", "--step must be a positive number, not -1"},
                    BadSweep{"300", "301", "0.0000000000000000000000000001",
                             "the sweep's numbers need more than 30 digits: use fewer decimals"},
                    BadSweep{"30C", "300", "1", "--to 300 is below --from 30C"},
                    BadSweep{"0", "10000000", "1",
                             "the sweep would write more than 10000000 rows; use a larger --step or a shorter range"}));

}  // namespace
}  // namespace vantorel::cli
