// Saturated water: which end of its bracket a grid temperature is, the
// book's edge values, the two segments near the critical point, 420 K's
// expansion coefficient and the bands of places of P and Vg.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <ostream>

#include "Catalog.h"
#include "Lookup.h"
#include "mdlWater.h"

namespace vantorel {
namespace {

using enum Slot;

constexpr Slot kWater[] = {P, Vf, Vg, Hfg, Cpf, Cpg, Muf, Mug, Kf, Kg, Prf, Prg, Sigmaf, Betaf};

// The book's cells give the same rounded values from either end of a row, so
// the strict scan shows in the bracket rather than in the results.
TEST(SatWaterTest, AGridTemperatureIsTheLowerEndOfItsBracketExcept420K) {
  const PropertyTable& table = water::LookUpTable;
  struct Case {
    double t, tHi, tLo;
  };
  for (const Case c :
       {Case{640, 640, 635}, Case{635, 640, 635}, Case{300, 305, 300}, Case{302.5, 305, 300}, Case{273.15, 275, 273.15},
        Case{430, 440, 430}, Case{425, 430, 420}, Case{420, 420, 410}, Case{410, 420, 410}}) {
    const LookupBracket b = ScanBracket(table, c.t, table.scan);
    EXPECT_EQ(b.THi, c.tHi) << "at " << c.t << " K";
    EXPECT_EQ(b.TLo, c.tLo) << "at " << c.t << " K";
  }
  // 420 K's Betaf: 1010 as the upper row, no value as the lower row.
  const int betaf = Index(Betaf) - Index(P);
  EXPECT_EQ(ScanBracket(table, 420, table.scan).hi[betaf], 1010);
  EXPECT_TRUE(std::isnan(ScanBracket(table, 425, table.scan).lo[betaf]));
}

struct Row {
  double t;
  std::array<double, 14> values;  // P ... Betaf
};

std::ostream& operator<<(std::ostream& os, const Row& r) { return os << r.t << " K"; }

class SatWaterRowTest : public testing::TestWithParam<Row> {};

TEST_P(SatWaterRowTest, GivesTheBooksValues) {
  const Row r = GetParam();
  const SlotValues v = SatWaterLookUp(r.t);
  for (int c = 0; c < 14; ++c) EXPECT_EQ(v[kWater[c]], r.values[c]) << r.t << " K, " << SlotName(kWater[c]);
}

const double kAbove640 = std::nextafter(640.0, 1000.0);
const double kAbove645 = std::nextafter(645.0, 1000.0);

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, SatWaterRowTest,
    testing::Values(
        // -68.05 * 10 is exactly -680.5: half to even.
        Row{273.15, {0.00611, 1, 206.3, 2502, 4.217, 1.854, 1750, 8.02, 569, 18.2, 12.99, 0.815, 75.5, -68}},
        Row{300, {0.03531, 1.003, 39.13, 2438, 4.179, 1.872, 855, 9.09, 613, 19.6, 5.83, 0.857, 71.7, 276.1}},
        Row{640, {202.7, 2.075, 0.0057, 560, 26, 42, 59, 32, 367, 155, 4.2, 9.6, 0.8, -1}},
        Row{kAbove640, {202.7, 2.075, 0.0057, 560, 26, -1, 59, 32, 367, 155, 4.2, 9.6, 0.8, -1}},
        Row{642, {207.7, 2.185, 0.0052, 480, 52, -1, 57, 34, 353, 164, 7.3, 16.2, 0.5, -1}},
        Row{645, {215.2, 2.351, 0.0045, 361, 90, -1, 54, 37, 331, 178, 12, 26, 0.1, -1}},
        Row{kAbove645, {215.2, 2.351, 0.0045, 361, -1, -1, 54, 37, 331, 178, -1, -1, 0.1, -1}},
        Row{646, {217.8, 2.707, 0.0039, 204, -1, -1, 50, 40.5, 290.6, 204.1, -1, -1, 0.06, -1}},
        Row{647.3, {221.2, 3.17, 0.0032, 0, -2, -2, 45, 45, 238, 238, -2, -2, 0, -1}}));

struct Value {
  double t;
  Slot slot;
  double value;
};

std::ostream& operator<<(std::ostream& os, const Value& v) { return os << SlotName(v.slot) << " at " << v.t << " K"; }

class SatWaterValueTest : public testing::TestWithParam<Value> {};

TEST_P(SatWaterValueTest, GivesTheBooksValue) {
  const Value e = GetParam();
  EXPECT_EQ(SatWaterLookUp(e.t)[e.slot], e.value) << SlotName(e.slot) << " at " << e.t << " K";
}

// 420 K is the upper end of its bracket and shows 1010; above it Betaf has no value.
INSTANTIATE_TEST_SUITE_P(BetafAround420, SatWaterValueTest,
                         testing::Values(Value{410, Betaf, 952}, Value{415, Betaf, 981}, Value{420, Betaf, 1010},
                                         Value{std::nextafter(420.0, 0.0), Betaf, 1010},
                                         Value{std::nextafter(420.0, 1000.0), Betaf, -1}, Value{425, Betaf, -1},
                                         Value{430, Betaf, -1}));

// A band includes its upper bound; just above it the next band's places apply.
INSTANTIATE_TEST_SUITE_P(PlaceBands, SatWaterValueTest,
                         testing::Values(Value{290, Vg, 69.7}, Value{290.01, Vg, 69.66}, Value{315, P, 0.08132},
                                         Value{315.01, P, 0.0814}, Value{340, Vg, 5.74}, Value{340.01, Vg, 5.738},
                                         Value{385, P, 1.5233}, Value{385.01, P, 1.524}, Value{450, P, 9.319},
                                         Value{450, Vg, 0.208}, Value{450.01, P, 9.32}, Value{480, Vg, 0.111},
                                         Value{481, Vg, 0.1091}, Value{580, P, 94.51}, Value{580.01, P, 94.5}));

}  // namespace
}  // namespace vantorel
