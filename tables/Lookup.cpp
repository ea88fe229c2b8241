#include "Lookup.h"

#include <bit>
#include <cmath>

namespace vantorel {

namespace {

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

int PlacesAt(const Column& column, double t) {
  for (const PlaceBand& band : column.bands)
    if (t > band.above) return band.places;
  return column.places;
}

// The cells the book leaves empty or infinite, and values only at the rows.
double EvaluateSpecial(const Column& column, const LookupBracket& b, int c, double t) {
  const double hi = b.hi[c], lo = b.lo[c];
  if (column.use == ColumnUse::AtRowOnly) {
    if (t == b.THi && !std::isnan(hi)) return RoundHalfEven(hi, PlacesAt(column, t));
    if (t == b.TLo && !std::isnan(lo)) return RoundHalfEven(lo, PlacesAt(column, t));
    return kNoValueMarker;
  }
  // At exactly the row of an infinite cell the value is infinite, whatever
  // the other row holds; anywhere else an empty or infinite cell means no value.
  if ((std::isinf(hi) && t == b.THi) || (std::isinf(lo) && t == b.TLo)) return kInfiniteMarker;
  return kNoValueMarker;
}

double Evaluate(const Column& column, const LookupBracket& b, int c, double t) {
  const double hi = b.hi[c], lo = b.lo[c];
  if (column.use == ColumnUse::Interpolate && std::isfinite(hi) && std::isfinite(lo))
    return RoundHalfEven(Interpolate(b.THi, b.TLo, hi, lo, t), PlacesAt(column, t));
  return EvaluateSpecial(column, b, c, t);
}

}  // namespace

double RoundHalfEven(double x, int places) {
  const double scale = kPowersOfTen[places];
  const double y = x * scale;
  // Adding 1.5 * 2^52 leaves no bits below the units, so the sum is y
  // rounded to a whole number, halves to even (the constant is even); taking
  // it away again is exact. Beyond 2^51 every double is whole already. A
  // result of zero comes out as +0, never -0.
  constexpr double kShift = 6755399441055744.0;
  if (!(std::fabs(y) < 0x1p51)) return y / scale;
  return ((y + kShift) - kShift) / scale;
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
  const int width = table.Width();
  const int last = table.Rows() - 2;  // the last threshold row
  const double* rowT = table.cells.data();
  // The thresholds descend, so once a test fails no later one can pass and
  // the scan may stop there.
  int k = 0;
  if (test == ScanTest::Below) {
    while (k < last) {
      const double threshold = rowT[(k + 1) * width];
      if (!(t < threshold || (threshold == table.inclusiveRow && t <= threshold))) break;
      ++k;
    }
  } else {
    while (k < last && t <= rowT[(k + 1) * width]) ++k;
  }

  LookupBracket b;
  const double* upper = rowT + k * width;
  const double* lower = upper + width;
  b.THi = upper[0];
  b.TLo = lower[0];
  for (int c = 1; c < width; ++c) {
    b.hi[c - 1] = upper[c];
    b.lo[c - 1] = lower[c];
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
