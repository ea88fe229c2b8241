// The five saturated fluids: the book's edge values, every grid point with the
// column's rounding, the fixed expansion coefficients, and sweeps across every
// range.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <string>

#include "Catalog.h"
#include "Lookup.h"
#include "mdlLiquids.h"

namespace vantorel {
namespace {

using enum Slot;

constexpr Slot kSlots[] = {Rho, Cp, Mu, Nu, K, Alpha, Pr, Beta};

struct Liquid {
  const char* id;
  const PropertyTable* table;
  void (*props)();
  std::array<int, 8> places;  // Rho ... Beta; Beta unused where it is fixed
  double fixedBeta;           // 0 where Beta is a column
};

const Liquid kLiquids[] = {
    {"engine-oil", &liquids::EngineOil, EngineOilProps, {1, 3, 2, 1, 1, 3, 0, 0}, 0.7},
    {"ethylene-glycol", &liquids::EthyleneGlycol, EthyleneGlycolProps, {1, 3, 3, 2, 1, 3, 1, 0}, 0.65},
    {"glycerin", &liquids::Glycerin, GlycerinProps, {1, 3, 1, 1, 1, 3, 0, 2}, 0},
    {"freon-12", &liquids::Freon, FreonProps, {1, 4, 4, 3, 1, 3, 1, 2}, 0},
    {"mercury", &liquids::Mercury, MercuryProps, {0, 4, 4, 4, 0, 2, 4, 3}, 0},
};

std::ostream& operator<<(std::ostream& os, const Liquid& l) { return os << l.id; }

int Columns(const Liquid& l) { return l.fixedBeta != 0 ? 7 : 8; }

class LiquidTest : public testing::TestWithParam<Liquid> {};

TEST_P(LiquidTest, TheCatalogRunsThisProcedureOverTheGridsRange) {
  const Liquid& l = GetParam();
  const FluidRef ref = FindFluid(l.id);
  ASSERT_NE(ref.entry, nullptr);
  EXPECT_EQ(ref.category, 2);
  EXPECT_EQ(ref.entry->Tmax, l.table->RowT(0));
  EXPECT_EQ(ref.entry->Tmin, l.table->RowT(l.table->Rows() - 1));
  EXPECT_EQ(ref.entry->props, l.props);
  ASSERT_NE(ref.entry->lookUp, nullptr);
  const double t = (ref.entry->Tmin + ref.entry->Tmax) / 2 + 0.37;
  State.Temp = t;
  l.props();
  const SlotValues v = ref.entry->lookUp(t);
  for (Slot s : kSlots) EXPECT_EQ(State[s], v[s]) << l.id << " " << SlotName(s);
}

TEST_P(LiquidTest, EveryGridPointGivesItsRowRoundedToTheColumnsPlaces) {
  const Liquid& l = GetParam();
  const PropertyTable& table = *l.table;
  for (int row = 0; row < table.Rows(); ++row) {
    State.Temp = table.RowT(row);
    l.props();
    for (int c = 0; c < Columns(l); ++c)
      EXPECT_EQ(State[kSlots[c]], RoundHalfEven(table.Cell(row, c), l.places[c]))
          << l.id << " at " << State.Temp << " K, " << SlotName(kSlots[c]);
    if (l.fixedBeta != 0) {
      EXPECT_EQ(State.Beta, l.fixedBeta) << l.id << " at " << State.Temp;
    }
  }
}

// Every 0.01 K of the range: no NaN, each interpolated slot between its two
// rows' values rounded to the column's places, a fixed Beta never changes.
TEST_P(LiquidTest, ASweepStaysBetweenTheBracketingRows) {
  const Liquid& l = GetParam();
  const PropertyTable& table = *l.table;
  const double lo = table.RowT(table.Rows() - 1), hi = table.RowT(0);
  const long steps = std::lround((hi - lo) * 100);
  int failures = 0;
  for (long i = 0; i <= steps && failures < 10; ++i) {
    const double t = (lo * 100 + i) / 100;
    const SlotValues v = LookUp(table, t);
    int row = 0;
    while (row + 2 < table.Rows() && t <= table.RowT(row + 1)) ++row;
    for (int c = 0; c < Columns(l); ++c) {
      const double a = RoundHalfEven(table.Cell(row, c), l.places[c]);
      const double b = RoundHalfEven(table.Cell(row + 1, c), l.places[c]);
      const double x = v[kSlots[c]];
      if (!(std::min(a, b) <= x && x <= std::max(a, b))) {
        ADD_FAILURE() << l.id << " at " << t << " K: " << SlotName(kSlots[c]) << " = " << x
                      << " outside [" << a << ", " << b << "]";
        ++failures;
      }
    }
    if (l.fixedBeta != 0 && v[Beta] != l.fixedBeta) {
      ADD_FAILURE() << l.id << " Beta at " << t << " K = " << v[Beta];
      ++failures;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllFive, LiquidTest, testing::ValuesIn(kLiquids), [](const auto& info) {
  std::string name = info.param.id;
  std::erase(name, '-');
  return name;
});

struct Expected {
  const char* fluid;
  double t;
  std::array<double, 8> values;  // Rho, Cp, Mu, Nu, K, Alpha, Pr, Beta
};

std::ostream& operator<<(std::ostream& os, const Expected& e) { return os << e.fluid << " at " << e.t << " K"; }

class LiquidValueTest : public testing::TestWithParam<Expected> {};

TEST_P(LiquidValueTest, MatchesTheBook) {
  const Expected e = GetParam();
  const FluidRef ref = FindFluid(e.fluid);
  ASSERT_NE(ref.entry, nullptr);
  State.Temp = e.t;
  ref.entry->props();
  for (int c = 0; c < 8; ++c)
    EXPECT_EQ(State[kSlots[c]], e.values[c]) << e.fluid << " at " << e.t << " K, " << SlotName(kSlots[c]);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LiquidValueTest,
    testing::Values(
        // Both ends of engine oil; the 430 K Nu of 5.83 is kept to one place.
        Expected{"engine-oil", 430, {806.5, 2.471, 0.47, 5.8, 132, 0.662, 88, 0.7}},
        Expected{"engine-oil", 273, {899.7, 1.796, 385, 4280, 147, 0.91, 47000, 0.7}},
        // Cells with more decimals than their column keeps: Mu 0.698, Nu 8.52.
        Expected{"engine-oil", 410, {818.9, 2.381, 0.7, 8.5, 133, 0.682, 125, 0.7}},
        // Pr halfway between rows: 95.5 goes to 96, 470.5 to 470.
        Expected{"engine-oil", 425, {809.3, 2.449, 0.52, 6.4, 132.5, 0.669, 96, 0.7}},
        Expected{"engine-oil", 355, {850.8, 2.14, 3.04, 35.7, 138, 0.758, 470, 0.7}},
        Expected{"ethylene-glycol", 354, {1077, 2.655, 0.316, 2.94, 261, 0.913, 32.2, 0.65}},
        Expected{"glycerin", 308, {1255.1, 2.477, 44.1, 351.6, 286, 0.92, 3804, 0.49}},
        Expected{"freon-12", 312, {1260.8, 1.0001, 0.0242, 0.192, 68.8, 0.546, 3.4, 3.14}},
        // An inner row gives that row.
        Expected{"freon-12", 300, {1305.8, 0.9781, 0.0254, 0.195, 72, 0.564, 3.5, 2.75}},
        Expected{"freon-12", 230, {1528.4, 0.8816, 0.0457, 0.299, 68, 0.505, 5.9, 1.85}},
        Expected{"mercury", 310, {13505, 0.139, 0.148, 0.1095, 8668, 46.19, 0.0238, 0.181}},
        Expected{"mercury", 600, {12809, 0.1355, 0.0911, 0.0711, 11950, 68.8, 0.0103, 0.187}}));

TEST(LiquidOrderTest, AResultDoesNotDependOnWhatWasLookedUpBefore) {
  for (const Liquid& l : kLiquids) {
    State.Temp = l.table->RowT(1) - 1.25;
    l.props();
    const PropertyState alone = State;
    for (const Liquid& before : kLiquids) {
      State.Temp = before.table->RowT(0);
      before.props();
      State.Temp = alone.Temp;
      l.props();
      for (Slot s : kSlots) EXPECT_EQ(State[s], alone[s]) << l.id << " after " << before.id;
    }
  }
}

}  // namespace
}  // namespace vantorel
