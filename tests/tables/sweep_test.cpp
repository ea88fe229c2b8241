// The one sweep planner of vantorel-props and the web page: rows as exact
// decimals, the end rule, the units, and what it refuses.

#include "Sweep.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <variant>

namespace vantorel {
namespace {

constexpr std::size_t kManyRows = 10'000'000;

SweepEnd K(const char* number) { return {number, TemperatureUnit::Kelvin}; }
SweepEnd C(const char* number) { return {number, TemperatureUnit::Celsius}; }
SweepEnd F(const char* number) { return {number, TemperatureUnit::Fahrenheit}; }

// What the C library reads a decimal text as: the double nearest to it.
double Nearest(const std::string& decimal) { return std::strtod(decimal.c_str(), nullptr); }

std::string TextOf(const Sweep& sweep, std::size_t i) {
  char text[kSweepTextSize];
  return std::string(text, sweep.WriteText(text, i));
}

struct PlannedSweep {
  SweepEnd from, to;
  SweepStep step;
  std::size_t count;
  std::string firstRows;  // the texts of up to four first rows, blank-separated
  std::string lastRow;
};
std::ostream& operator<<(std::ostream& os, const PlannedSweep& p) {
  return os << p.from.number << " to " << p.to.number << " step " << p.step.number;
}

class SweepTest : public testing::TestWithParam<PlannedSweep> {};

TEST_P(SweepTest, HasItsRowsAsDecimalsEachTheDoubleItsTextReadsAs) {
  const PlannedSweep& p = GetParam();
  const auto plan = PlanDecimalSweep(p.from, p.to, p.step, kManyRows);
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan)) << static_cast<int>(std::get<SweepRefusal>(plan));
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
        PlannedSweep{K("273.15"), K("274"), {"0.1"}, 9, "273.15 273.25 273.35 273.45", "273.95"},
        PlannedSweep{K("300"), K("301"), {"0.1"}, 11, "300 300.1 300.2 300.3", "301"},
        PlannedSweep{K("0"), K("0.3"), {"0.1"}, 4, "0 0.1 0.2 0.3", "0.3"},
        PlannedSweep{K("300"), K("301.05"), {"0.1"}, 11, "300 300.1 300.2 300.3", "301"},
        PlannedSweep{K("300"), K("300.09"), {"0.1"}, 1, "300", "300"},
        PlannedSweep{K("310"), K("310"), {"5"}, 1, "310", "310"},
        PlannedSweep{K("300"), K("400"), {"150"}, 1, "300", "300"},
        // A step so long that `to` lies within a millionth of it from `from`:
        // the one row is still `from`.
        PlannedSweep{K("300"), K("400"), {"1e20"}, 1, "300", "300"},
        PlannedSweep{K("100"), K("3000"), {"0.1"}, 29001, "100 100.1 100.2 100.3", "3000"},
        PlannedSweep{K("3.1e2"), K("3.11E2"), {"2.5e-1"}, 5, "310 310.25 310.5 310.75", "311"},
        // Zeros past the last digit that counts are no digits.
        PlannedSweep{K("300.000000000000000000"), K("300.2"), {"0.100"}, 3, "300 300.1 300.2", "300.2"},
        // To within a millionth of a step, the end is a step point; beyond, it is not.
        PlannedSweep{K("300"), K("301.0000000001"), {"0.1"}, 11, "300 300.1 300.2 300.3", "301.0000000001"},
        PlannedSweep{K("300"), K("301"), {"0.3333333"}, 4, "300 300.3333333 300.6666666 301", "301"},
        PlannedSweep{K("300"), K("301"), {"0.333333"}, 4, "300 300.333333 300.666666 300.999999", "300.999999"},
        // Ends as a script writes binary doubles: 17 digits, beyond the quick conversion.
        PlannedSweep{K("277.00449999999995"),
                     K("277.0145"),
                     {"0.0001"},
                     101,
                     "277.00449999999995 277.00459999999995 277.00469999999995 277.00479999999995",
                     "277.0145"},
        // 30 digits, beyond 64 bits; 300.3 lies within a millionth of a step of the fourth row.
        PlannedSweep{K("300.000000000000000000000000001"),
                     K("300.3"),
                     {"0.1"},
                     4,
                     "300.000000000000000000000000001 300.100000000000000000000000001 "
                     "300.200000000000000000000000001 300.3",
                     "300.3"},
        // Celsius ends, kelvin out.
        PlannedSweep{C("0"), C("1"), {"0.25"}, 5, "273.15 273.4 273.65 273.9", "274.15"},
        PlannedSweep{
            C("-173.15"), C("-173"), {"0.05", TemperatureUnit::Kelvin}, 4, "100 100.05 100.1 100.15", "100.15"},
        PlannedSweep{C("0"), K("274.15"), {"0.5", TemperatureUnit::Celsius}, 3, "273.15 273.65 274.15", "274.15"},
        // Fahrenheit steps in °F; its kelvin need not end, so T is the shortest double.
        PlannedSweep{F("32"), F("33"), {"0.5"}, 3, "273.15 273.4277777777778 273.7055555555556", "273.7055555555556"},
        PlannedSweep{F("98.33"),
                     F("98.34"),
                     {"0.01", TemperatureUnit::Fahrenheit},
                     2,
                     "310 310.00555555555553",
                     "310.00555555555553"}));

TEST(FahrenheitSweepTest, EveryRowIsTheExactConversionOfItsDecimal) {
  // -40 F + i * 0.7 F, written out here as tenths.
  const auto plan = PlanDecimalSweep(F("-40"), F("1000"), {"0.7"}, kManyRows);
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

struct RefusedSweep {
  SweepEnd from, to;
  SweepStep step;
  std::size_t maxRows;
  SweepRefusal refusal;
};
std::ostream& operator<<(std::ostream& os, const RefusedSweep& r) {
  return os << r.from.number << " to " << r.to.number << " step " << r.step.number << " (" << r.maxRows << " rows)";
}

class RefusedSweepTest : public testing::TestWithParam<RefusedSweep> {};

TEST_P(RefusedSweepTest, SaysWhy) {
  const RefusedSweep& r = GetParam();
  const auto plan = PlanDecimalSweep(r.from, r.to, r.step, r.maxRows);
  ASSERT_TRUE(std::holds_alternative<SweepRefusal>(plan)) << std::get<Sweep>(plan).count() << " rows";
  EXPECT_EQ(std::get<SweepRefusal>(plan), r.refusal);
}

using enum SweepRefusal;
constexpr auto kFahrenheit = TemperatureUnit::Fahrenheit, kCelsius = TemperatureUnit::Celsius;

INSTANTIATE_TEST_SUITE_P(
    Plans, RefusedSweepTest,
    testing::Values(RefusedSweep{F("32"), K("400"), {"1"}, kManyRows, MixedFahrenheit},
                    RefusedSweep{K("0x136"), K("320"), {"1"}, kManyRows, FromNotDecimal},
                    RefusedSweep{K("300"), K("abc"), {"1"}, kManyRows, ToNotDecimal},
                    RefusedSweep{K("300"), K("310"), {"inf"}, kManyRows, StepNotDecimal},
                    RefusedSweep{K("300"), K("301"), {"1e-40"}, kManyRows, StepNotDecimal},
                    RefusedSweep{K("300"), K("301"), {"1.0000000000000000000000000000001"}, kManyRows, StepNotDecimal},
                    RefusedSweep{K("300"), C("400"), {"1", kFahrenheit}, kManyRows, StepUnitMismatch},
                    RefusedSweep{F("32"), F("50"), {"1", kCelsius}, kManyRows, StepUnitMismatch},
                    RefusedSweep{K("300"), K("310"), {"0"}, kManyRows, StepNotPositive},
                    RefusedSweep{K("300"), K("310"), {"-1"}, kManyRows, StepNotPositive},
                    RefusedSweep{K("300"), K("301"), {"0.0000000000000000000000000001"}, kManyRows, TooManyDigits},
                    RefusedSweep{K("310"), K("300"), {"1"}, kManyRows, ToBelowFrom},
                    RefusedSweep{C("30"), K("300"), {"1"}, kManyRows, ToBelowFrom},
                    RefusedSweep{K("100"), K("3000"), {"2.9e-4"}, kManyRows, TooManyRows}));

TEST(SweepLimitTest, CountsTheEndThatLiesNearTheNextStepPoint) {
  const auto rows = [](const char* to) {
    const auto plan = PlanDecimalSweep(K("0"), K(to), {"1"}, 10);
    return std::holds_alternative<Sweep>(plan) ? std::get<Sweep>(plan).count() : 0;
  };
  EXPECT_EQ(rows("9"), 10u);
  EXPECT_EQ(rows("8.9999999999"), 10u);
  EXPECT_EQ(rows("9.5"), 10u);
  EXPECT_EQ(rows("10"), 0u);
  EXPECT_EQ(rows("9.9999999999"), 0u);  // 11 rows: 0 to 9, then the end
}

// The sweep as a door plans it: ends and step as typed, with their units,
// for a fluid whose range the ends must lie in.
struct TypedSweep {
  const char* fluid;
  const char *from, *to, *step;
  std::size_t count;
  const char *first, *last;
  TextOptions options = {};
};
std::ostream& operator<<(std::ostream& os, const TypedSweep& t) {
  return os << t.from << " to " << t.to << " step " << t.step;
}

constexpr std::size_t kRowLimit = 10'000;

class PlanSweepTest : public testing::TestWithParam<TypedSweep> {};

TEST_P(PlanSweepTest, ReadsTheUnitsAndHasTheRows) {
  const TypedSweep& t = GetParam();
  const SweepResult plan = PlanSweep(*FindFluid(t.fluid), t.from, t.to, t.step, kRowLimit, t.options);
  ASSERT_TRUE(plan.ok()) << plan.error().message();
  ASSERT_EQ(plan->count(), t.count);
  EXPECT_EQ(TextOf(*plan, 0), t.first);
  EXPECT_EQ(TextOf(*plan, plan->count() - 1), t.last);
}

constexpr TextOptions kPointOrComma{TemperatureUnit::Kelvin, ".,"};

INSTANTIATE_TEST_SUITE_P(Units, PlanSweepTest,
                         testing::Values(TypedSweep{"air", "300", "310", "0.5", 21, "300", "310"},
                                         TypedSweep{"air", " 300 K", "310K", "0.5 k", 21, "300", "310"},
                                         TypedSweep{"air", "300", "301.05", "0.1", 11, "300", "301"},
                                         TypedSweep{"air", "310", "310", "1", 1, "310", "310"},
                                         TypedSweep{"air", "25 °C", "30 ℃", "0.5", 11, "298.15", "303.15"},
                                         TypedSweep{"air", "0 °C", "1 C", "0.25 K", 5, "273.15", "274.15"},
                                         TypedSweep{"air", "0 °C", "274.15 K", "0.5 C", 3, "273.15", "274.15"},
                                         TypedSweep{"air", "32 °F", "212 ℉", "1 F", 181, "273.15", "373.15"},
                                         TypedSweep{"air", "\u221240 F", "\u221239,5 F", "0,5", 2, "233.15",
                                                    "233.42777777777778", kPointOrComma},
                                         // The most rows allowed, and the ends of the range.
                                         TypedSweep{"air", "100", "1099.9", "0.1", kRowLimit, "100", "1099.9"},
                                         TypedSweep{"saturated-water", "0 °C", "647.3", "0.05", 7484, "273.15",
                                                    "647.3"}));

// A sweep refused: the first of its faults in the order they are checked.
struct RefusedTyped {
  std::string from, to, step;
  ErrorCode code;
  Input input;
  std::string message;
};
std::ostream& operator<<(std::ostream& os, const RefusedTyped& r) {
  return os << r.from << " to " << r.to << " step " << r.step;
}

class PlanSweepRefusalTest : public testing::TestWithParam<RefusedTyped> {};

TEST_P(PlanSweepRefusalTest, NamesTheFirstFaultFound) {
  const RefusedTyped& r = GetParam();
  const SweepResult plan = PlanSweep(*FindFluid("air"), r.from, r.to, r.step, kRowLimit);
  ASSERT_FALSE(plan.ok()) << plan->count() << " rows";
  EXPECT_EQ(plan.error().code, r.code);
  EXPECT_EQ(plan.error().input, r.input);
  EXPECT_EQ(plan.error().message(), r.message);
}

const std::string kNoTemperature =
    " is not a temperature: give kelvin (310.5) or degrees with their unit (36.85 °C, 98.33 °F)";
const std::string kAirRange = " is outside the range of Air, 100K <= T <= 3000K";
// 31 digits, one more than a sweep takes.
constexpr const char* kTiny = "0.0000000000000000000000000000001";

INSTANTIATE_TEST_SUITE_P(
    InCheckOrder, PlanSweepRefusalTest,
    testing::Values(
        RefusedTyped{"abc", "x", "0", ErrorCode::NotATemperature, Input::From, "from \"abc\"" + kNoTemperature},
        RefusedTyped{"1e999", "310", "1", ErrorCode::NotATemperature, Input::From, "from \"1e999\"" + kNoTemperature},
        RefusedTyped{"300", "310,5", "x", ErrorCode::NotATemperature, Input::To,
                     "to \"310,5\"" + kNoTemperature + ", with a point as the decimal mark"},
        RefusedTyped{"32 F", "400 K", " 0x1 ", ErrorCode::NotATemperature, Input::Step,
                     "step \"0x1\" is not a number of degrees: give one such as 0.5 or 10 K"},
        RefusedTyped{"32 F", "400 K", kTiny, ErrorCode::UnitsDiffer, Input::To,
                     "from and to are in different units: give both in °F, or neither"},
        RefusedTyped{"300", "310", std::string(kTiny) + " F", ErrorCode::TooManyDigits, Input::Step,
                     "the sweep's numbers need more than 30 digits between them: use fewer decimals"},
        // Each number fits, but not on their common scale.
        RefusedTyped{"1e20", "1e20", "-1e-13 F", ErrorCode::TooManyDigits, Input::Step,
                     "the sweep's numbers need more than 30 digits between them: use fewer decimals"},
        RefusedTyped{"310", "300", "-1 F", ErrorCode::StepUnitMismatch, Input::Step,
                     "step \"-1 F\" does not fit the ends: kelvin or °C ends step in K or C, °F ends in F"},
        RefusedTyped{"310", "300", "0", ErrorCode::StepNotPositive, Input::Step, "step \"0\" is not a positive number"},
        RefusedTyped{"4000 °C", "300", "0.0001", ErrorCode::ToBelowFrom, Input::To,
                     "to = 300 K is below from = 4273.15 K"},
        // Too many rows, before an end out of range; then one row over the limit.
        RefusedTyped{"50", "100000", "1", ErrorCode::TooManyRows, Input::Step,
                     "the sweep would have more than 10000 rows: use a larger step or a shorter range"},
        RefusedTyped{"100", "1100", "0.1", ErrorCode::TooManyRows, Input::Step,
                     "the sweep would have more than 10000 rows: use a larger step or a shorter range"},
        // The ends' range last, from before to.
        RefusedTyped{"50", "3100", "10", ErrorCode::OutOfRange, Input::From, "from = 50 K" + kAirRange},
        RefusedTyped{"-250 °C", "0 °C", "1", ErrorCode::OutOfRange, Input::From,
                     "from = -250 °C = 23.15 K" + kAirRange},
        RefusedTyped{"100", "3100", "10", ErrorCode::OutOfRange, Input::To, "to = 3100 K" + kAirRange},
        RefusedTyped{"32 F", "9000 °F", "1", ErrorCode::OutOfRange, Input::To,
                     "to = 9000 °F = 5255.372222222222 K" + kAirRange}));

}  // namespace
}  // namespace vantorel
