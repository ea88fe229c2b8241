// The saturated fluids: the book's edge values, cells with more decimals
// than their column keeps, halves, and the fixed expansion coefficients.

#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "Catalog.h"

namespace vantorel {
namespace {

using enum Slot;

constexpr Slot kSlots[] = {Rho, Cp, Mu, Nu, K, Alpha, Pr, Beta};

struct Expected {
  const char* fluid;
  double t;
  std::array<double, 8> values;  // Rho, Cp, Mu, Nu, K, Alpha, Pr, Beta
};

std::ostream& operator<<(std::ostream& os, const Expected& e) { return os << e.fluid << " at " << e.t << " K"; }

class LiquidValueTest : public testing::TestWithParam<Expected> {};

TEST_P(LiquidValueTest, MatchesTheBook) {
  const Expected e = GetParam();
  const Fluid* fluid = FindFluid(e.fluid);
  ASSERT_NE(fluid, nullptr);
  const SlotValues v = LookUpSlots(*fluid, e.t);
  for (int c = 0; c < 8; ++c)
    EXPECT_EQ(v[kSlots[c]], e.values[c]) << e.fluid << " at " << e.t << " K, " << SlotName(kSlots[c]);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, LiquidValueTest,
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

}  // namespace
}  // namespace vantorel
