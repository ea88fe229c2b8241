// The nine gases: the book's edge values, every grid point, the corrected
// cells, and sweeps across every range.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ostream>
#include <string>

#include "Catalog.h"
#include "Lookup.h"
#include "mdlGases.h"

namespace vantorel {
namespace {

using enum Slot;

struct Gas {
  const char* id;
  const PropertyTable* table;
  void (*props)();
  std::array<int, 7> places;  // Rho, Cp, Mu, Nu, K, Alpha, Pr
};

const Gas kGases[] = {
    {"air", &gases::Air, AirProps, {4, 3, 1, 2, 1, 1, 3}},
    {"ammonia", &gases::Ammonia, AmmoniaProps, {4, 3, 1, 1, 1, 1, 3}},
    {"carbon-dioxide", &gases::CarbonDioxide, CarbonDioxideProps, {4, 3, 1, 2, 2, 1, 3}},
    {"carbon-monoxide", &gases::CarbonMonoxide, CarbonMonoxideProps, {4, 3, 1, 2, 1, 1, 3}},
    {"helium", &gases::Helium, HeliumProps, {4, 3, 1, 2, 1, 1, 3}},
    {"hydrogen", &gases::Hydrogen, HydrogenProps, {4, 2, 1, 1, 1, 0, 3}},
    {"nitrogen", &gases::Nitrogen, NitrogenProps, {4, 3, 1, 2, 1, 1, 3}},
    {"oxygen", &gases::Oxygen, OxygenProps, {4, 3, 1, 2, 1, 1, 3}},
    {"water-vapor", &gases::Steam, SteamProps, {4, 3, 1, 2, 1, 1, 3}},
};

std::ostream& operator<<(std::ostream& os, const Gas& g) { return os << g.id; }

constexpr Slot kInterpolated[] = {Rho, Cp, Mu, Nu, K, Alpha, Pr};

// Runs the named table procedure the way the window does.
PropertyState Calculate(const Gas& gas, double t) {
  State.Temp = t;
  gas.props();
  return State;
}

class GasTest : public testing::TestWithParam<Gas> {};

TEST_P(GasTest, EveryGridPointGivesItsRowRoundedToTheColumnsPlaces) {
  const Gas& gas = GetParam();
  const PropertyTable& table = *gas.table;
  for (int row = 0; row < table.Rows(); ++row) {
    const double t = table.RowT(row);
    const PropertyState s = Calculate(gas, t);
    for (int c = 0; c < 7; ++c)
      EXPECT_EQ(s[kInterpolated[c]], RoundHalfEven(table.Cell(row, c), gas.places[c]))
          << gas.id << " at " << t << " K, " << SlotName(kInterpolated[c]);
    EXPECT_EQ(s.Beta, RoundHalfEven(1000 / t, 2));
  }
}

TEST_P(GasTest, TheRangeIsTheGridsLowestAndHighestRow) {
  const Gas& gas = GetParam();
  const FluidRef ref = FindFluid(gas.id);
  ASSERT_NE(ref.entry, nullptr);
  EXPECT_EQ(ref.entry->Tmax, gas.table->RowT(0));
  EXPECT_EQ(ref.entry->Tmin, gas.table->RowT(gas.table->Rows() - 1));
  EXPECT_EQ(ref.entry->props, gas.props);
}

// Every 0.01 K of the range: no NaN, and every interpolated slot lies between
// its two rows' values, each rounded to the column's places.
TEST_P(GasTest, ASweepStaysBetweenTheBracketingRows) {
  const Gas& gas = GetParam();
  const PropertyTable& table = *gas.table;
  const double lo = table.RowT(table.Rows() - 1), hi = table.RowT(0);
  const long steps = std::lround((hi - lo) / 0.01);
  int failures = 0;
  for (long i = 0; i <= steps && failures < 10; ++i) {
    const double t = lo + i * 0.01;
    const SlotValues v = LookUp(table, t);
    int row = 0;
    while (row + 2 < table.Rows() && t <= table.RowT(row + 1)) ++row;
    for (int c = 0; c < 7; ++c) {
      const double a = RoundHalfEven(table.Cell(row, c), gas.places[c]);
      const double b = RoundHalfEven(table.Cell(row + 1, c), gas.places[c]);
      const double x = v[kInterpolated[c]];
      if (!(std::min(a, b) <= x && x <= std::max(a, b))) {
        ADD_FAILURE() << gas.id << " at " << t << " K: " << SlotName(kInterpolated[c]) << " = " << x
                      << " outside [" << a << ", " << b << "]";
        ++failures;
      }
    }
    if (v[Beta] != RoundHalfEven(1000 / t, 2)) {
      ADD_FAILURE() << gas.id << " Beta at " << t;
      ++failures;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllNine, GasTest, testing::ValuesIn(kGases),
                         [](const auto& info) {
                           std::string name = info.param.id;
                           std::erase(name, '-');
                           return name;
                         });

struct Expected {
  const char* gas;
  double t;
  Slot slot;
  double value;
};

std::ostream& operator<<(std::ostream& os, const Expected& e) {
  return os << e.gas << " at " << e.t << " K, " << SlotName(e.slot);
}

class GasValueTest : public testing::TestWithParam<Expected> {};

TEST_P(GasValueTest, MatchesTheBook) {
  const Expected e = GetParam();
  const FluidRef ref = FindFluid(e.gas);
  ASSERT_NE(ref.entry, nullptr);
  State.Temp = e.t;
  ref.entry->props();
  EXPECT_EQ(State[e.slot], e.value) << e.gas << " at " << e.t << " K, " << SlotName(e.slot);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, GasValueTest,
    testing::Values(
        // An interior grid point gives its row.
        Expected{"air", 300, Rho, 1.1614}, Expected{"air", 300, Cp, 1.007},
        Expected{"air", 300, Mu, 184.6}, Expected{"air", 300, Nu, 15.89},
        Expected{"air", 300, K, 26.3}, Expected{"air", 300, Alpha, 22.5},
        Expected{"air", 300, Pr, 0.707}, Expected{"air", 300, Beta, 3.33},
        // Just above it, the rows above round to the same values.
        Expected{"air", 300.0001, Rho, 1.1614}, Expected{"air", 300.0001, Mu, 184.6},
        Expected{"air", 300.0001, Pr, 0.707},
        // Between rows 350 and 300 K.
        Expected{"air", 310, Rho, 1.1281}, Expected{"air", 310, Cp, 1.007},
        Expected{"air", 310, Mu, 189.3}, Expected{"air", 310, Nu, 16.9},
        Expected{"air", 310, K, 27}, Expected{"air", 310, Alpha, 24},
        Expected{"air", 310, Pr, 0.706}, Expected{"air", 310, Beta, 3.23},
        // The lowest row rounded to the column's places.
        Expected{"air", 100, K, 9.3}, Expected{"air", 100, Alpha, 2.5},
        Expected{"air", 100, Beta, 10},
        // The highest row.
        Expected{"air", 3000, Cp, 2.726}, Expected{"air", 3000, Mu, 955},
        Expected{"air", 3000, Pr, 0.536}, Expected{"air", 3000, Beta, 0.33},
        // No row between 3000 and 2500 K: 2600 K uses those two.
        Expected{"air", 2600, Mu, 845.4}, Expected{"air", 2600, Cp, 1.877},
        // 0.42095 * 10^4 is exactly 4209.5 in double: half to even.
        Expected{"carbon-monoxide", 800, Rho, 0.421},
        Expected{"carbon-monoxide", 400, Rho, 0.8421}, Expected{"carbon-monoxide", 400, Mu, 218},
        Expected{"carbon-monoxide", 420, Mu, 225.6}, Expected{"carbon-monoxide", 390, Mu, 214},
        Expected{"hydrogen", 100, Rho, 0.2422}, Expected{"hydrogen", 100, Alpha, 25},
        Expected{"oxygen", 100, K, 9.2}, Expected{"nitrogen", 100, K, 9.6},
        Expected{"nitrogen", 100, Alpha, 2.6},
        Expected{"ammonia", 580, Beta, 1.72},
        Expected{"water-vapor", 380, Beta, 2.63}, Expected{"water-vapor", 850, Beta, 1.18}));

// Three printed cells contradict their own rows; the corrected ones are used.
INSTANTIATE_TEST_SUITE_P(
    CorrectedCells, GasValueTest,
    testing::Values(Expected{"air", 1300, Alpha, 257}, Expected{"air", 1250, Alpha, 240.5},
                    Expected{"nitrogen", 800, Cp, 1.122}, Expected{"nitrogen", 850, Cp, 1.134},
                    Expected{"oxygen", 1300, Mu, 558.4}, Expected{"oxygen", 1250, Mu, 545.4}));

TEST(GasOrderTest, AResultDoesNotDependOnWhatWasLookedUpBefore) {
  for (const Gas& gas : kGases) {
    const PropertyState alone = Calculate(gas, 555.5 < gas.table->RowT(0) ? 555.5 : 380);
    for (const Gas& before : kGases) {
      Calculate(before, before.table->RowT(0));
      const PropertyState after = Calculate(gas, alone.Temp);
      for (Slot s : {Rho, Cp, Mu, Nu, K, Alpha, Pr, Beta})
        EXPECT_EQ(after[s], alone[s]) << gas.id << " after " << before.id;
    }
  }
}

}  // namespace
}  // namespace vantorel
