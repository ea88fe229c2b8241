// The gases: the book's worked values and edge cases, and the corrected cells.

#include <gtest/gtest.h>

#include <ostream>

#include "Catalog.h"

namespace vantorel {
namespace {

using enum Slot;

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
  const Fluid* gas = FindFluid(e.gas);
  ASSERT_NE(gas, nullptr);
  EXPECT_EQ(LookUpSlots(*gas, e.t)[e.slot], e.value) << e.gas << " at " << e.t << " K, " << SlotName(e.slot);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, GasValueTest,
    testing::Values(
        // An interior grid point gives its row.
        Expected{"air", 300, Rho, 1.1614}, Expected{"air", 300, Cp, 1.007}, Expected{"air", 300, Mu, 184.6},
        Expected{"air", 300, Nu, 15.89}, Expected{"air", 300, K, 26.3}, Expected{"air", 300, Alpha, 22.5},
        Expected{"air", 300, Pr, 0.707}, Expected{"air", 300, Beta, 3.33},
        // Just above it, the rows above round to the same values.
        Expected{"air", 300.0001, Rho, 1.1614}, Expected{"air", 300.0001, Mu, 184.6},
        Expected{"air", 300.0001, Pr, 0.707},
        // Between rows 350 and 300 K.
        Expected{"air", 310, Rho, 1.1281}, Expected{"air", 310, Cp, 1.007}, Expected{"air", 310, Mu, 189.3},
        Expected{"air", 310, Nu, 16.9}, Expected{"air", 310, K, 27}, Expected{"air", 310, Alpha, 24},
        Expected{"air", 310, Pr, 0.706}, Expected{"air", 310, Beta, 3.23},
        // The lowest row rounded to the column's places.
        Expected{"air", 100, K, 9.3}, Expected{"air", 100, Alpha, 2.5}, Expected{"air", 100, Beta, 10},
        // The highest row.
        Expected{"air", 3000, Cp, 2.726}, Expected{"air", 3000, Mu, 955}, Expected{"air", 3000, Pr, 0.536},
        Expected{"air", 3000, Beta, 0.33},
        // No row between 3000 and 2500 K: 2600 K uses those two.
        Expected{"air", 2600, Mu, 845.4}, Expected{"air", 2600, Cp, 1.877},
        // 0.42095 * 10^4 is exactly 4209.5 in double: half to even.
        Expected{"carbon-monoxide", 800, Rho, 0.421}, Expected{"carbon-monoxide", 400, Rho, 0.8421},
        Expected{"carbon-monoxide", 400, Mu, 218}, Expected{"carbon-monoxide", 420, Mu, 225.6},
        Expected{"carbon-monoxide", 390, Mu, 214}, Expected{"hydrogen", 100, Rho, 0.2422},
        Expected{"hydrogen", 100, Alpha, 25}, Expected{"oxygen", 100, K, 9.2}, Expected{"nitrogen", 100, K, 9.6},
        Expected{"nitrogen", 100, Alpha, 2.6}, Expected{"ammonia", 580, Beta, 1.72},
        Expected{"water-vapor", 380, Beta, 2.63}, Expected{"water-vapor", 850, Beta, 1.18}));

// Three printed cells contradict their own rows; the corrected ones are used.
INSTANTIATE_TEST_SUITE_P(CorrectedCells, GasValueTest,
                         testing::Values(Expected{"air", 1300, Alpha, 257}, Expected{"air", 1250, Alpha, 240.5},
                                         Expected{"nitrogen", 800, Cp, 1.122}, Expected{"nitrogen", 850, Cp, 1.134},
                                         Expected{"oxygen", 1300, Mu, 558.4}, Expected{"oxygen", 1250, Mu, 545.4}));

}  // namespace
}  // namespace vantorel
