#include "Lookup.h"

#include <cmath>

namespace vantorel {

namespace {

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

bool Passes(double t, double rowT, ScanTest test, double inclusiveRow) {
  if (test == ScanTest::Below) return t < rowT || (rowT == inclusiveRow && t <= rowT);
  return t <= rowT;
}

int PlacesAt(const Column& column, double t) {
  for (const PlaceBand& band : column.bands)
    if (t > band.above) return band.places;
  return column.places;
}

double Evaluate(const Column& column, const LookupBracket& b, int c, double t) {
  const double hi = b.hi[c], lo = b.lo[c];
  if (column.use == ColumnUse::AtRowOnly) {
    if (t == b.THi && !std::isnan(hi)) return RoundHalfEven(hi, PlacesAt(column, t));
    if (t == b.TLo && !std::isnan(lo)) return RoundHalfEven(lo, PlacesAt(column, t));
    return kNoValueMarker;
  }
  // At exactly the row of an infinite cell the value is infinite, whatever
  // the other row holds; anywhere else an empty or infinite cell means no value.
  if ((std::isinf(hi) && t == b.THi) || (std::isinf(lo) && t == b.TLo)) return kInfiniteMarker;
  if (!std::isfinite(hi) || !std::isfinite(lo)) return kNoValueMarker;
  return RoundHalfEven(Interpolate(b.THi, b.TLo, hi, lo, t), PlacesAt(column, t));
}

}  // namespace

double RoundHalfEven(double x, int places) {
  const double scale = kPowersOfTen[places];
  // nearbyint rounds halves to even under the default rounding mode.
  return std::nearbyint(x * scale) / scale;
}

double Interpolate(double tHi, double tLo, double vHi, double vLo, double t) {
  const double d = tHi - t;
  const double e = vHi - vLo;
  const double p = d * e;
  const double s = tHi - tLo;
  const double q = p / s;
  return vHi - q;
}

LookupBracket ScanBracket(const PropertyTable& table, double t, ScanTest test) {
  const int n = table.Rows();
  // The thresholds descend, so once a test fails no later one can pass.
  int k = 0;
  while (k + 1 <= n - 2 && Passes(t, table.RowT(k + 1), test, table.inclusiveRow)) ++k;

  LookupBracket b;
  b.THi = table.RowT(k);
  b.TLo = table.RowT(k + 1);
  const int columns = static_cast<int>(table.columns.size());
  for (int c = 0; c < columns; ++c) {
    b.hi[c] = table.Cell(k, c);
    b.lo[c] = table.Cell(k + 1, c);
  }
  for (const LowerRowCell& cell : table.lowerRowCells)
    if (cell.rowT == b.TLo) b.lo[cell.column] = cell.value;
  return b;
}

SlotValues LookUp(const PropertyTable& table, double t) {
  SlotValues out;
  const LookupBracket bracket = ScanBracket(table, t, table.scan);
  LookupBracket other;  // for a column with a scan test of its own
  ScanTest otherTest = ScanTest::Inherit;

  const int columns = static_cast<int>(table.columns.size());
  for (int c = 0; c < columns; ++c) {
    const Column& column = table.columns[c];
    const LookupBracket* b = &bracket;
    if (column.scan != ScanTest::Inherit && column.scan != table.scan) {
      if (otherTest != column.scan) {
        other = ScanBracket(table, t, column.scan);
        otherTest = column.scan;
      }
      b = &other;
    }
    out.Set(column.slot, Evaluate(column, *b, c, t));
  }

  for (const DerivedSlot& d : table.derived) {
    switch (d.kind) {
      case DerivedSlot::Kind::PerKelvin:
        out.Set(d.slot, RoundHalfEven(d.value / t, d.places));
        break;
      case DerivedSlot::Kind::Fixed:
        out.Set(d.slot, d.value);
        break;
    }
  }
  return out;
}

void LookUpIntoState(const PropertyTable& table) { WriteSlots(State, LookUp(table, State.Temp)); }

}  // namespace vantorel
