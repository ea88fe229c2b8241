// The common look-up: rounding, the six interpolation steps, the scan and the
// ways a table can depart from the common scheme.

#include "Lookup.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <ostream>

#include "mdlGases.h"
#include "mdlLiquids.h"
#include "mdlMetals.h"
#include "mdlWater.h"

namespace vantorel {
namespace {

struct RoundCase {
  double x;
  int places;
  double expected;
};

std::ostream& operator<<(std::ostream& os, const RoundCase& c) { return os << c.x << " to " << c.places << " places"; }

class RoundHalfEvenTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, RoundsHalvesToEvenOnTheScaledDouble) {
  const RoundCase c = GetParam();
  EXPECT_EQ(RoundHalfEven(c.x, c.places), c.expected) << c.x << " to " << c.places << " places";
}

TEST(RoundHalfEvenTest, ASmallNegativeValueRoundsToPlainZero) {
  // -0 would be shown as "-0"; a property that rounds to nothing is 0.
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.04, 1)));
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.0, 2)));
  EXPECT_EQ(RoundHalfEven(-0.05, 1), 0.0);  // -0.5 exactly: to the even 0
  EXPECT_EQ(RoundHalfEven(-0.051, 1), -0.1);
}

TEST(RoundHalfEvenTest, AgreesWithTheCurrentRoundingModesNearbyint) {
  for (double x = -30; x <= 30; x += 0.0625 / 7)
    for (int places = 0; places <= 5; ++places) {
      const double scale = std::pow(10.0, places);
      const double expected = std::nearbyint(x * scale) / scale;
      EXPECT_EQ(RoundHalfEven(x, places), expected == 0 ? 0.0 : expected) << x << ", " << places;
    }
}

INSTANTIATE_TEST_SUITE_P(BookExamples, RoundHalfEvenTest,
                         testing::Values(RoundCase{0.125, 2, 0.12}, RoundCase{0.375, 2, 0.38}, RoundCase{2.5, 0, 2},
                                         RoundCase{3.5, 0, 4}, RoundCase{9.25, 1, 9.2}, RoundCase{-0.125, 2, -0.12},
                                         // 0.42095 lies just below the half, but 0.42095 * 10^4 is exactly 4209.5.
                                         RoundCase{0.42095, 4, 0.421},
                                         // Saturated water's Betaf at 273.15 K: -680.5 in double, to even.
                                         RoundCase{-68.05, 1, -68}, RoundCase{95.5, 0, 96}, RoundCase{470.5, 0, 470},
                                         RoundCase{1.23456, 5, 1.23456}, RoundCase{-1, 1, -1},
                                         RoundCase{47000, 0, 47000}));

TEST(InterpolateTest, IsExactAtTheUpperRowAndFollowsTheSixSteps) {
  EXPECT_EQ(Interpolate(350, 300, 0.9950, 1.1614, 350), 0.9950);
  // d = 40, e = -0.1664, p = -6.656, s = 50, q = -0.13312, v = 1.12812
  EXPECT_EQ(Interpolate(350, 300, 0.9950, 1.1614, 310), 0.9950 - (40 * (0.9950 - 1.1614)) / 50);
  EXPECT_DOUBLE_EQ(Interpolate(350, 300, 0.9950, 1.1614, 310), 1.12812);
}

// A small table to exercise the scan: rows 40, 30, 20, 10 K.
constexpr double kRows[][3] = {
    {40, 4, 400},
    {30, 3, 300},
    {20, 2, 200},
    {10, 1, 100},
};
constexpr Column kColumns[] = {{Slot::Rho, 3}, {Slot::Cp, 1}};

struct ScanCase {
  ScanTest test;
  double t;
  double tHi, tLo;
};

std::ostream& operator<<(std::ostream& os, const ScanCase& c) {
  return os << (c.test == ScanTest::Below ? "T < t(k)" : "T <= t(k)") << " at " << c.t;
}

class ScanBracketTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanBracketTest, ChoosesTheRowsAroundTheTemperature) {
  const ScanCase c = GetParam();
  const PropertyTable table{RowsOf<kRows>(), kColumns, c.test};
  const LookupBracket b = ScanBracket(table, c.t, c.test);
  EXPECT_EQ(b.THi, c.tHi) << "T = " << c.t;
  EXPECT_EQ(b.TLo, c.tLo) << "T = " << c.t;
  EXPECT_EQ(b.hi[0], c.tHi / 10);
  EXPECT_EQ(b.lo[1], c.tLo * 10);
}

INSTANTIATE_TEST_SUITE_P(GridPointsAndBetween, ScanBracketTest,
                         testing::Values(
                             // T <= t(k): an interior grid temperature is the upper end of its bracket.
                             ScanCase{ScanTest::AtOrBelow, 40, 40, 30}, ScanCase{ScanTest::AtOrBelow, 35, 40, 30},
                             ScanCase{ScanTest::AtOrBelow, 30, 30, 20}, ScanCase{ScanTest::AtOrBelow, 25, 30, 20},
                             ScanCase{ScanTest::AtOrBelow, 20, 20, 10}, ScanCase{ScanTest::AtOrBelow, 10, 20, 10},
                             ScanCase{ScanTest::AtOrBelow, 30.000001, 40, 30},
                             // T < t(k): an interior grid temperature is the lower end of its bracket.
                             ScanCase{ScanTest::Below, 40, 40, 30}, ScanCase{ScanTest::Below, 30, 40, 30},
                             ScanCase{ScanTest::Below, 29.999999, 30, 20}, ScanCase{ScanTest::Below, 20, 30, 20},
                             ScanCase{ScanTest::Below, 10, 20, 10}));

TEST(ScanBracketTest, AStrictScanMayMakeOneRowInclusive) {
  PropertyTable table{RowsOf<kRows>(), kColumns, ScanTest::Below};
  table.inclusiveRow = 20;
  EXPECT_EQ(ScanBracket(table, 30, ScanTest::Below).THi, 40);
  const LookupBracket b = ScanBracket(table, 20, ScanTest::Below);
  EXPECT_EQ(b.THi, 20);
  EXPECT_EQ(b.TLo, 10);
}

TEST(ScanBracketTest, ALowerRowCellReplacesItsValueOnlyInTheLowerRow) {
  constexpr LowerRowCell kLower[] = {{20, 1, -1}};
  PropertyTable table{RowsOf<kRows>(), kColumns};
  table.lowerRowCells = kLower;
  EXPECT_EQ(ScanBracket(table, 25, ScanTest::AtOrBelow).lo[1], -1);
  EXPECT_EQ(ScanBracket(table, 20, ScanTest::AtOrBelow).hi[1], 200);
}

TEST(LookUpTest, InterpolatesEachColumnAndRoundsItToItsPlaces) {
  const PropertyTable table{RowsOf<kRows>(), kColumns};
  const SlotValues v = LookUp(table, 12.3456);
  EXPECT_EQ(v[Slot::Rho], 1.235);
  EXPECT_EQ(v[Slot::Cp], 123.5);
  EXPECT_TRUE(v.Has(Slot::Rho));
  EXPECT_TRUE(v.Has(Slot::Cp));
  EXPECT_FALSE(v.Has(Slot::Mu));
}

TEST(LookUpTest, PlaceBandsIncludeTheirUpperBoundAndExcludeTheirLowerBound) {
  static constexpr PlaceBand kBands[] = {{30, 0}, {20, 1}, {-1, 2}};
  static constexpr double kLinear[][2] = {{40, 4.4444}, {10, 1.1111}};
  static constexpr Column kBanded[] = {{.slot = Slot::P, .places = 9, .bands = kBands}};
  const PropertyTable table{RowsOf<kLinear>(), kBanded};
  EXPECT_EQ(LookUp(table, 30.0001)[Slot::P], 3);
  EXPECT_EQ(LookUp(table, 30)[Slot::P], 3.3);
  EXPECT_EQ(LookUp(table, 20.0001)[Slot::P], 2.2);
  EXPECT_EQ(LookUp(table, 20)[Slot::P], 2.22);
}

// Rows 30, 20, 10 K in which the book leaves cells empty or infinite.
constexpr double kGappy[][4] = {
    {30, kNone, kInfinite, kNone},
    {20, 2, 5, 0.5},
    {10, 1, 4, kNone},
};

TEST(LookUpTest, AnEmptyCellGivesNoValueWhereverItWouldBeUsed) {
  constexpr Column kCols[] = {{Slot::Rho, 2}, {Slot::Cp, 2}, {Slot::Pr, 2}};
  const PropertyTable table{RowsOf<kGappy>(), kCols, ScanTest::Below};
  EXPECT_EQ(LookUp(table, 25)[Slot::Rho], kNoValueMarker);
  EXPECT_EQ(LookUp(table, 20)[Slot::Rho], kNoValueMarker);  // still the upper interval
  EXPECT_EQ(LookUp(table, 15)[Slot::Rho], 1.5);
  EXPECT_EQ(LookUp(table, 15)[Slot::Pr], kNoValueMarker);
}

TEST(LookUpTest, AnInfiniteCellIsInfiniteOnlyAtItsOwnRow) {
  constexpr Column kCols[] = {{Slot::Rho, 2}, {Slot::Cp, 2}, {Slot::Pr, 2}};
  const PropertyTable table{RowsOf<kGappy>(), kCols};
  EXPECT_EQ(LookUp(table, 30)[Slot::Cp], kInfiniteMarker);
  EXPECT_EQ(LookUp(table, 29.999)[Slot::Cp], kNoValueMarker);
  EXPECT_EQ(LookUp(table, 20)[Slot::Cp], 5);  // 20 K moves the bracket down
}

TEST(LookUpTest, AnInfiniteCellWinsOverAnEmptyOneAtItsOwnRow) {
  static constexpr double kCritical[][2] = {{30, kInfinite}, {20, kNone}};
  constexpr Column kCols[] = {{Slot::Cpg, 2}};
  const PropertyTable table{RowsOf<kCritical>(), kCols};
  EXPECT_EQ(LookUp(table, 30)[Slot::Cpg], kInfiniteMarker);
  EXPECT_EQ(LookUp(table, 25)[Slot::Cpg], kNoValueMarker);
  EXPECT_EQ(LookUp(table, 20)[Slot::Cpg], kNoValueMarker);
}

TEST(LookUpTest, AColumnMayUseItsOwnScanTestAndValuesAtRowsOnly) {
  static constexpr double kRowsPerSlot[][4] = {
      {30, 3, 30, kNone},
      {20, 2, 20, 0.5},
      {10, 1, kNone, kNone},
  };
  constexpr Column kCols[] = {
      {.slot = Slot::Rho, .places = 2},
      {.slot = Slot::Nu, .places = 2, .scan = ScanTest::Below},
      {.slot = Slot::Pr, .places = 2, .use = ColumnUse::AtRowOnly},
  };
  const PropertyTable table{RowsOf<kRowsPerSlot>(), kCols, ScanTest::AtOrBelow};
  const SlotValues at20 = LookUp(table, 20);
  EXPECT_EQ(at20[Slot::Rho], 2);   // lower interval, upper end
  EXPECT_EQ(at20[Slot::Nu], 20);   // upper interval, lower end
  EXPECT_EQ(at20[Slot::Pr], 0.5);  // exactly on the row
  EXPECT_EQ(LookUp(table, 20.5)[Slot::Pr], kNoValueMarker);
  EXPECT_EQ(LookUp(table, 19.5)[Slot::Pr], kNoValueMarker);
}

TEST(LookUpTest, DerivedSlotsAreComputedOrFixed) {
  constexpr DerivedSlot kDerived[] = {
      {.kind = DerivedSlot::Kind::PerKelvin, .slot = Slot::Beta, .value = 1000, .places = 2},
      {.kind = DerivedSlot::Kind::Fixed, .slot = Slot::Mu, .value = 0.65},
  };
  PropertyTable table{RowsOf<kRows>(), kColumns};
  table.derived = kDerived;
  const SlotValues v = LookUp(table, 30);
  EXPECT_EQ(v[Slot::Beta], 33.33);
  EXPECT_EQ(v[Slot::Mu], 0.65);
}

TEST(PropertyStateTest, WritingALookUpLeavesTheSlotsItDoesNotWrite) {
  PropertyState state;
  state.Mu = 123;
  state.Beta = 4.5;
  SlotValues v;
  v.Set(Slot::Rho, 1);
  v.Set(Slot::Pr, 0.7);
  WriteSlots(state, v);
  EXPECT_EQ(state.Rho, 1);
  EXPECT_EQ(state.Pr, 0.7);
  EXPECT_EQ(state.Mu, 123);
  EXPECT_EQ(state.Beta, 4.5);
  EXPECT_EQ(state[Slot::Pr], 0.7);
}

// Every table of the program is prepared for the quick path; the column-by-
// column path must give the same slots, bit for bit, everywhere in its rows.
TEST(PreparedTest, TheQuickPathGivesWhatTheColumnByColumnPathGives) {
  const PropertyTable* tables[] = {
      &gases::Air,        &gases::Ammonia,     &gases::CarbonDioxide,    &gases::CarbonMonoxide,
      &gases::Helium,     &gases::Hydrogen,    &gases::Nitrogen,         &gases::Oxygen,
      &gases::Steam,      &liquids::EngineOil, &liquids::EthyleneGlycol, &liquids::Glycerin,
      &liquids::Freon,    &liquids::Mercury,   &metals::Bismuth,         &metals::Lead,
      &metals::Potassium, &metals::Sodium,     &metals::NaK45,           &metals::NaK22,
      &metals::PbBi,      &water::LookUpTable, &water::LowerSegment,     &water::UpperSegment,
  };
  int quick = 0;
  for (const PropertyTable* table : tables) {
    PropertyTable slow = *table;
    slow.oneBracket = false;
    quick += table->oneBracket;
    const double top = table->RowT(0), bottom = table->RowT(table->Rows() - 1);
    for (int i = 0; i <= 4000; ++i) {
      const double t = i == 4000 ? bottom : top - (top - bottom) * i / 4000;
      const SlotValues a = LookUp(*table, t), b = LookUp(slow, t);
      ASSERT_EQ(a.written, b.written);
      for (int s = 0; s < kSlotCount; ++s) {
        if (!a.Has(static_cast<Slot>(s))) continue;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(a.value[s]), std::bit_cast<std::uint64_t>(b.value[s]))
            << SlotName(static_cast<Slot>(s)) << " at " << t << " K";
      }
    }
  }
  EXPECT_EQ(quick, 23);  // all but PbBi, whose columns choose their own rows
}

}  // namespace
}  // namespace vantorel
