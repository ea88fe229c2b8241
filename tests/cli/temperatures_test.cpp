// Reading a temperature and planning a sweep.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>

#include "Temperatures.h"

namespace vantorel::cli {
namespace {

struct Accepted {
  std::string text;
  double value;
};
std::ostream& operator<<(std::ostream& os, const Accepted& a) { return os << '"' << a.text << '"'; }

class AcceptedNumberTest : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedNumberTest, ReadsEveryFormStrtodReadsInTheCLocale) {
  EXPECT_EQ(ParseNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Forms, AcceptedNumberTest,
                         testing::Values(Accepted{"310", 310}, Accepted{"310.5", 310.5}, Accepted{"3.1e2", 310},
                                         Accepted{"3.1E+2", 310}, Accepted{"+310", 310}, Accepted{"-5", -5},
                                         Accepted{" 310", 310}, Accepted{".5", 0.5}, Accepted{"310.", 310},
                                         Accepted{"0x136", 310}, Accepted{"0x1.36p8", 310},
                                         Accepted{"273.15", 273.15}));

class RefusedNumberTest : public testing::TestWithParam<std::string> {};

TEST_P(RefusedNumberTest, IsNoNumber) { EXPECT_EQ(ParseNumber(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Texts, RefusedNumberTest,
                         testing::Values("", " ", "310K", "310 ", "310,5", "3 10", "abc", ".", "e5", "--310",
                                         "nan", "NaN", "-nan", "inf", "-Infinity", "1e999", "-1e999",
                                         "0x1p9999", std::string("310\0" "5", 5)));

// Asserts that the plan is a sweep and returns it.
Sweep Planned(double from, double to, double step) {
  const auto plan = PlanSweep(from, to, step);
  if (const auto* refusal = std::get_if<std::string>(&plan)) ADD_FAILURE() << *refusal;
  return std::holds_alternative<Sweep>(plan) ? std::get<Sweep>(plan) : Sweep{};
}

TEST(SweepTest, IncludesTheEndWhenItIsAStepPointUpToRounding) {
  const Sweep tenths = Planned(300, 301, 0.1);
  ASSERT_EQ(tenths.count, 11u);
  EXPECT_EQ(tenths.At(0), 300);
  EXPECT_EQ(tenths.At(10), 301);

  // 0.3 / 0.1 is 2.9999999999999996 in double: still four rows, ending at 0.3.
  const Sweep small = Planned(0, 0.3, 0.1);
  ASSERT_EQ(small.count, 4u);
  EXPECT_EQ(small.At(3), 0.3);

  const Sweep air = Planned(100, 3000, 0.1);
  ASSERT_EQ(air.count, 29001u);
  EXPECT_EQ(air.At(29000), 3000);
}

TEST(SweepTest, StopsAtTheLastStepPointBelowAnEndBetweenStepPoints) {
  const Sweep sweep = Planned(300, 301.05, 0.1);
  ASSERT_EQ(sweep.count, 11u);
  EXPECT_EQ(sweep.At(10), 300 + 10 * 0.1);

  const Sweep short_ = Planned(300, 300.09, 0.1);
  ASSERT_EQ(short_.count, 1u);
  EXPECT_EQ(short_.At(0), 300);
}

TEST(SweepTest, AnEqualFromAndToIsOneRow) {
  const Sweep sweep = Planned(310, 310, 5);
  ASSERT_EQ(sweep.count, 1u);
  EXPECT_EQ(sweep.At(0), 310);
}

TEST(SweepTest, ComputesEveryRowAfreshSoNothingDrifts) {
  const Sweep sweep = Planned(100, 3000, 0.1);
  double added = 100;  // what adding the step row by row would give
  bool addingDrifted = false;
  for (std::size_t i = 0; i + 1 < sweep.count; ++i) {
    ASSERT_EQ(sweep.At(i), 100 + static_cast<double>(i) * 0.1) << i;
    addingDrifted = addingDrifted || added != sweep.At(i);
    added += 0.1;
  }
  // The check above is worth making: summing the steps does drift here.
  EXPECT_TRUE(addingDrifted);
}

TEST(SweepTest, NeverLeavesTheRangeFromTo) {
  for (const double step : {0.7, 0.1, 1.0 / 3, 29.3, 2899.9}) {
    const Sweep sweep = Planned(100, 3000, step);
    double previous = 99;
    for (std::size_t i = 0; i < sweep.count; ++i) {
      ASSERT_GT(sweep.At(i), previous) << step << " row " << i;
      ASSERT_LE(sweep.At(i), 3000) << step << " row " << i;
      previous = sweep.At(i);
    }
    EXPECT_GT(sweep.At(sweep.count - 1) + step, 3000 - 1e-9) << "the sweep ends early for step " << step;
  }
}

TEST(SweepTest, AllowsTenMillionRowsAndNoMore) {
  EXPECT_EQ(Planned(0, 9'999'999, 1).count, kMaxSweepRows);
  EXPECT_TRUE(std::holds_alternative<std::string>(PlanSweep(0, 10'000'000, 1)));
  EXPECT_TRUE(std::holds_alternative<std::string>(PlanSweep(100, 3000, 1e-300)));  // the count overflows
}

struct BadSweep {
  double from, to, step;
  const char* says;
};
std::ostream& operator<<(std::ostream& os, const BadSweep& b) {
  return os << b.from << " to " << b.to << " step " << b.step;
}

class BadSweepTest : public testing::TestWithParam<BadSweep> {};

TEST_P(BadSweepTest, IsRefusedWithAReason) {
  const auto plan = PlanSweep(GetParam().from, GetParam().to, GetParam().step);
  ASSERT_TRUE(std::holds_alternative<std::string>(plan));
  EXPECT_NE(std::get<std::string>(plan).find(GetParam().says), std::string::npos) << std::get<std::string>(plan);
}

INSTANTIATE_TEST_SUITE_P(Plans, BadSweepTest,
                         testing::Values(BadSweep{300, 310, 0, "--step"}, BadSweep{300, 310, -1, "--step"},
                                         BadSweep{300, 310, std::numeric_limits<double>::infinity(), "--step"},
                                         BadSweep{300, 310, std::numeric_limits<double>::quiet_NaN(), "--step"},
                                         BadSweep{310, 300, 1, "below --from"},
                                         BadSweep{100, 3000, 2.9e-4, "more than 10000000 rows"}));

}  // namespace
}  // namespace vantorel::cli
