// Saturated water: every row at its own temperature, the book's edge values,
// the bands of places of P and Vg, and a sweep over the whole range.

#include <gtest/gtest.h>

#include <algorithm>
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
constexpr double kCritical = 647.3;

// Decimal places the book's precision gives each slot, per piece of the range.
int PlacesAt(int slot, double t) {
  //                               P  Vf Vg Hfg Cpf Cpg Muf Mug Kf Kg Prf Prg Sigmaf Betaf
  constexpr int kLookUp[14] =     {0, 3, 0, 0,  3,  3,  0,  2,  1, 1, 2,  3,  1,     1};
  constexpr int kTo645[14] =      {1, 3, 4, 0,  0,  0,  0,  1,  0, 0, 1,  1,  1,     0};
  constexpr int kToCritical[14] = {1, 3, 4, 0,  0,  0,  0,  1,  1, 1, 0,  0,  2,     0};
  if (t > 645) return kToCritical[slot];
  if (t > 640) return kTo645[slot];
  if (kWater[slot] == P) return t <= 315 ? 5 : t <= 385 ? 4 : t <= 450 ? 3 : t <= 580 ? 2 : 1;
  if (kWater[slot] == Vg) return t <= 290 ? 1 : t <= 340 ? 2 : t <= 480 ? 3 : 4;
  return kLookUp[slot];
}

// The marker a slot must hold at t, or 0 where it must hold a number.
double MarkerAt(Slot s, double t) {
  switch (s) {
    case Betaf: return t > 420 ? kNoValueMarker : 0;
    case Cpg: return t == kCritical ? kInfiniteMarker : t > 640 ? kNoValueMarker : 0;
    case Cpf: case Prf: case Prg: return t == kCritical ? kInfiniteMarker : t > 645 ? kNoValueMarker : 0;
    default: return 0;
  }
}

// A row at its own temperature gives that row, each cell rounded to its places
// (an empty cell is no value, an infinite one is infinite).
void ExpectRowAtItsTemperature(const PropertyTable& table, int row) {
  const double t = table.RowT(row);
  const SlotValues v = SatWaterLookUp(t);
  for (int c = 0; c < 14; ++c) {
    const double cell = table.Cell(row, c);
    const double expected = std::isnan(cell)   ? kNoValueMarker
                            : std::isinf(cell) ? kInfiniteMarker
                                               : RoundHalfEven(cell, PlacesAt(c, t));
    EXPECT_EQ(v[kWater[c]], expected) << "at " << t << " K, " << SlotName(kWater[c]);
  }
}

TEST(SatWaterTest, EveryRowAtItsOwnTemperatureGivesThatRowRounded) {
  for (int row = 0; row < water::LookUpTable.Rows(); ++row) ExpectRowAtItsTemperature(water::LookUpTable, row);
  ExpectRowAtItsTemperature(water::LowerSegment, 0);  // 645 K
  ExpectRowAtItsTemperature(water::UpperSegment, 0);  // the critical point
}

// The book's cells give the same rounded values from either end of a row, so
// the strict scan shows in the bracket rather than in the results.
TEST(SatWaterTest, AGridTemperatureIsTheLowerEndOfItsBracketExcept420K) {
  const PropertyTable& table = water::LookUpTable;
  struct Case {
    double t, tHi, tLo;
  };
  for (const Case c : {Case{640, 640, 635}, Case{635, 640, 635}, Case{300, 305, 300}, Case{302.5, 305, 300},
                       Case{273.15, 275, 273.15}, Case{430, 440, 430}, Case{425, 430, 420},
                       Case{420, 420, 410}, Case{410, 420, 410}}) {
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

std::ostream& operator<<(std::ostream& os, const Value& v) {
  return os << SlotName(v.slot) << " at " << v.t << " K";
}

class SatWaterValueTest : public testing::TestWithParam<Value> {};

TEST_P(SatWaterValueTest, GivesTheBooksValue) {
  const Value e = GetParam();
  EXPECT_EQ(SatWaterLookUp(e.t)[e.slot], e.value) << SlotName(e.slot) << " at " << e.t << " K";
}

// 420 K is the upper end of its bracket and shows 1010; above it Betaf has no value.
INSTANTIATE_TEST_SUITE_P(BetafAround420, SatWaterValueTest,
                         testing::Values(Value{410, Betaf, 952}, Value{415, Betaf, 981}, Value{420, Betaf, 1010},
                                         Value{std::nextafter(420.0, 0.0), Betaf, 1010},
                                         Value{std::nextafter(420.0, 1000.0), Betaf, -1},
                                         Value{425, Betaf, -1}, Value{430, Betaf, -1}));

// A band includes its upper bound; just above it the next band's places apply.
INSTANTIATE_TEST_SUITE_P(
    PlaceBands, SatWaterValueTest,
    testing::Values(Value{290, Vg, 69.7}, Value{290.01, Vg, 69.66}, Value{315, P, 0.08132},
                    Value{315.01, P, 0.0814}, Value{340, Vg, 5.74}, Value{340.01, Vg, 5.738},
                    Value{385, P, 1.5233}, Value{385.01, P, 1.524}, Value{450, P, 9.319},
                    Value{450, Vg, 0.208}, Value{450.01, P, 9.32}, Value{480, Vg, 0.111},
                    Value{481, Vg, 0.1091}, Value{580, P, 94.51}, Value{580.01, P, 94.5}));

// The two rows whose values bound the result at t, found without the scan:
// above 640 K the segment's rows; up to 640 K the interval whose lower row is
// the highest row at or below t (640 K itself: the first interval), except
// that 420 K belongs to the interval below it.
struct Rows {
  const PropertyTable* table;
  int upper;
};

Rows RowsAround(double t) {
  if (t > 645) return {&water::UpperSegment, 0};
  if (t > 640) return {&water::LowerSegment, 0};
  const PropertyTable& table = water::LookUpTable;
  if (t > 410 && t <= 420) return {&table, 24};  // rows 420 K and 410 K
  int upper = 0;
  for (int row = 1; row < table.Rows() - 1; ++row)
    if (table.RowT(row) > t) upper = row;
  return {&table, upper};
}

// Every 0.001 K from 273.15 K to 647.3 K: no NaN, markers exactly where they
// belong, and every number between its two rows' values rounded.
TEST(SatWaterTest, ASweepStaysBetweenItsRowsAndShowsMarkersOnlyWhereTheyBelong) {
  ASSERT_EQ(water::LookUpTable.RowT(24), 420);
  const long steps = std::lround((kCritical - 273.15) / 0.001);
  int failures = 0;
  for (long i = 0; i <= steps + 1 && failures < 20; ++i) {
    const double t = std::min(273.15 + i * 0.001, kCritical);
    const SlotValues v = SatWaterLookUp(t);
    const Rows rows = RowsAround(t);
    for (int c = 0; c < 14; ++c) {
      const Slot s = kWater[c];
      const double x = v[s], marker = MarkerAt(s, t);
      bool ok;
      if (marker != 0) {
        ok = x == marker;
      } else {
        const int places = PlacesAt(c, t);
        const double a = RoundHalfEven(rows.table->Cell(rows.upper, c), places);
        const double b = RoundHalfEven(rows.table->Cell(rows.upper + 1, c), places);
        ok = std::min(a, b) <= x && x <= std::max(a, b);  // false for NaN
      }
      if (!ok) {
        ADD_FAILURE() << SlotName(s) << " at " << t << " K is " << x;
        ++failures;
      }
    }
  }
}

TEST(SatWaterTest, TheProcedureWritesTheFourteenWaterSlotsAndNoOther) {
  const Fluid* water = FindFluid("saturated-water").entry;
  ASSERT_NE(water, nullptr);
  ASSERT_EQ(water->props, SatWaterProps);
  ASSERT_EQ(water->lookUp, SatWaterLookUp);
  for (double t : {273.15, 420.0, 642.0, 646.0, kCritical}) {
    const SlotValues v = SatWaterLookUp(t);
    for (int i = 0; i < kSlotCount; ++i)
      EXPECT_EQ(v.Has(static_cast<Slot>(i)), i >= Index(P)) << SlotName(static_cast<Slot>(i)) << " at " << t;
    State = PropertyState{};
    State.Rho = 1.5, State.Beta = 3.33;
    State.Temp = t;
    water->props();
    for (Slot s : kWater) EXPECT_EQ(State[s], v[s]) << SlotName(s) << " at " << t;
    EXPECT_EQ(State.Rho, 1.5);
    EXPECT_EQ(State.Beta, 3.33);
  }
}

}  // namespace
}  // namespace vantorel
