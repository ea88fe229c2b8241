// Reading a temperature as typed, and planning a sweep in decimal.

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
INSTANTIATE_TEST_SUITE_P(
    Forms, AcceptedTemperatureTest,
    testing::Values(Accepted{"310", 310}, Accepted{"3.1e2", 310}, Accepted{"-5", -5}, Accepted{"0x136", 310},
                    Accepted{" 310", 310}, Accepted{"310 ", 310}, Accepted{"\t310\n", 310}, Accepted{"310K", 310},
                    Accepted{"310 k", 310}, Accepted{"25C", Nearest("298.15")}, Accepted{"36.85°C", 310},
                    Accepted{" 36.85 °C ", 310}, Accepted{"36.85℃", 310}, Accepted{"-173.15C", 100},
                    Accepted{"-.5C", Nearest("272.65")}, Accepted{"77F", Nearest("298.15")},
                    Accepted{"98.33°F", 310}, Accepted{"-40F", Nearest("233.15")}, Accepted{"-459.67F", 0},
                    // (100 - 32) * 5/9 + 273.15 = 310.92777...: the nearest double, not a sum's.
                    Accepted{"100F", Nearest("310.927777777777777777777777777778")}));

class RefusedTemperatureTest : public testing::TestWithParam<std::string> {};

TEST_P(RefusedTemperatureTest, IsNoTemperature) { EXPECT_EQ(ReadTemperature(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Texts, RefusedTemperatureTest,
                         testing::Values("", " ", "K", "°C", "310 K K", "310KC", "310°", "310 °K", "0x136K", "310,5",
                                         "3 10", "abc", "--310", "nan", "inf", "infC", "-Infinity", "1e999",
                                         "1e999C", std::string("310\0" "5", 5), std::string("25\0C", 4)));

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

std::string TextOf(const Sweep& sweep, std::size_t i) {
  char text[kMaxTemperatureText];
  return std::string(text, sweep.PutText(text, i));
}

struct PlannedSweep {
  std::string from, to, step;
  std::size_t count;
  std::string firstRows;  // the texts of up to four first rows, blank-separated
  std::string lastRow;
};
std::ostream& operator<<(std::ostream& os, const PlannedSweep& p) {
  return os << p.from << " to " << p.to << " step " << p.step;
}

class SweepTest : public testing::TestWithParam<PlannedSweep> {};

TEST_P(SweepTest, HasItsRowsAsDecimalsEachTheDoubleItsTextReadsAs) {
  const PlannedSweep& p = GetParam();
  const auto plan = Plan(p.from, p.to, p.step);
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan)) << std::get<std::string>(plan);
  const Sweep& sweep = std::get<Sweep>(plan);
  ASSERT_EQ(sweep.count(), p.count);
  std::string first;
  for (std::size_t i = 0; i < std::min<std::size_t>(4, sweep.count()); ++i) first += TextOf(sweep, i) + " ";
  EXPECT_EQ(first, p.firstRows + " ");
  EXPECT_EQ(TextOf(sweep, sweep.count() - 1), p.lastRow);
  for (std::size_t i = 0; i < sweep.count(); ++i) {
    const std::string text = TextOf(sweep, i);
    ASSERT_EQ(sweep.At(i), Nearest(text)) << "row " << i << " " << text;
    if (i > 0) {
      ASSERT_LT(sweep.At(i - 1), sweep.At(i)) << "row " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Plans, SweepTest,
    testing::Values(
        // Added in binary, 273.15 + 2 * 0.1 is 273.34999999999997.
        PlannedSweep{"273.15", "274", "0.1", 9, "273.15 273.25 273.35 273.45", "273.95"},
        PlannedSweep{"300", "301", "0.1", 11, "300 300.1 300.2 300.3", "301"},
        PlannedSweep{"0", "0.3", "0.1", 4, "0 0.1 0.2 0.3", "0.3"},
        PlannedSweep{"300", "301.05", "0.1", 11, "300 300.1 300.2 300.3", "301"},
        PlannedSweep{"300", "300.09", "0.1", 1, "300", "300"},
        PlannedSweep{"310", "310", "5", 1, "310", "310"},
        PlannedSweep{"100", "3000", "0.1", 29001, "100 100.1 100.2 100.3", "3000"},
        PlannedSweep{"3.1e2", "3.11E2", "2.5e-1", 5, "310 310.25 310.5 310.75", "311"},
        // To within a millionth of a step, the end is a step point; beyond, it is not.
        PlannedSweep{"300", "301", "0.3333333", 4, "300 300.3333333 300.6666666 301", "301"},
        PlannedSweep{"300", "301", "0.333333", 4, "300 300.333333 300.666666 300.999999", "300.999999"},
        // Ends as a script writes binary doubles: 17 digits, beyond the quick conversion.
        PlannedSweep{"277.00449999999995", "277.0145", "0.0001", 101,
                     "277.00449999999995 277.00459999999995 277.00469999999995 277.00479999999995", "277.0145"},
        // Celsius ends, kelvin out.
        PlannedSweep{"0C", "1C", "0.25", 5, "273.15 273.4 273.65 273.9", "274.15"},
        PlannedSweep{"-173.15C", "-173C", "0.05K", 4, "100 100.05 100.1 100.15", "100.15"},
        PlannedSweep{"0C", "274.15", "0.5C", 3, "273.15 273.65 274.15", "274.15"},
        // Fahrenheit steps in °F; its kelvin need not end, so T is the shortest double.
        PlannedSweep{"32F", "33F", "0.5", 3, "273.15 273.4277777777778 273.7055555555556", "273.7055555555556"},
        PlannedSweep{"98.33°F", "98.34F", "0.01F", 2, "310 310.00555555555553", "310.00555555555553"}));

TEST(FahrenheitSweepTest, EveryRowIsTheExactConversionOfItsDecimal) {
  // -40 F + i * 0.7 F, written out here as tenths.
  const auto plan = Plan("-40F", "1000F", "0.7");
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan));
  const Sweep& sweep = std::get<Sweep>(plan);
  ASSERT_EQ(sweep.count(), 1486u);
  for (std::size_t i = 0; i < sweep.count(); ++i) {
    const long tenths = -400 + 7 * static_cast<long>(i);
    char fahrenheit[32];
    std::snprintf(fahrenheit, sizeof fahrenheit, "%s%ld.%ld", tenths < 0 ? "-" : "", std::labs(tenths) / 10,
                  std::labs(tenths) % 10);
    ASSERT_EQ(sweep.At(i), *KelvinFromDecimal(fahrenheit, TemperatureUnit::Fahrenheit)) << fahrenheit;
  }
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

INSTANTIATE_TEST_SUITE_P(
    Plans, BadSweepTest,
    testing::Values(BadSweep{"300", "310", "0", "--step must be a positive number, not 0"},
                    BadSweep{"300", "310", "-1", "--step must be a positive number, not -1"},
                    BadSweep{"300", "310", "inf", "--step \"inf\" is not a decimal number"},
                    BadSweep{"300", "310", "x", "--step \"x\" is not a decimal number"},
                    BadSweep{"0x136", "320", "1", "--from \"0x136\" is not a decimal number"},
                    BadSweep{"310", "300", "1", "--to 300 is below --from 310"},
                    BadSweep{"30C", "300", "1", "--to 300 is below --from 30C"},
                    BadSweep{"32F", "400", "1", "different units"},
                    BadSweep{"300", "400", "1F", "--step \"1F\" does not fit the ends"},
                    BadSweep{"32F", "50F", "1C", "--step \"1C\" does not fit the ends"},
                    BadSweep{"100", "3000", "2.9e-4", "more than 10000000 rows"},
                    BadSweep{"0", "10000000", "1", "more than 10000000 rows"},
                    BadSweep{"300", "301", "1e-40", "is not a decimal number of at most 30 digits"},
                    BadSweep{"300", "301", "0.0000000000000000000000000001", "more than 30 digits"}));

TEST(SweepLimitTest, AllowsTenMillionRows) {
  const auto plan = Plan("0", "9999999", "1");
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan));
  EXPECT_EQ(std::get<Sweep>(plan).count(), kMaxSweepRows);
}

}  // namespace
}  // namespace vantorel::cli
