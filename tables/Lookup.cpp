#include "Lookup.h"

#include <cmath>

namespace vantorel {

namespace {

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// Rounding to a whole number, halves to even: adding 1.5 * 2^52 leaves no
// bits below the units, so the sum is y rounded that way (the constant is
// even), and taking it away again is exact. From 2^51 up every double is
// whole already. A result of zero comes out as +0, never -0.
constexpr double kShift = 6755399441055744.0;
constexpr double kExactlyWhole = 0x1p51;

int PlacesAt(const Column& column, double t) {
  for (const PlaceBand& band : column.bands)
    if (t > band.above) return band.places;
  return column.places;
}

// The cells the book leaves empty or infinite, and values only at the rows.
double EvaluateSpecial(const Column& column, double tHi, double tLo, double hi, double lo, double t) {
  if (column.use == ColumnUse::AtRowOnly) {
    if (t == tHi && !std::isnan(hi)) return RoundHalfEven(hi, PlacesAt(column, t));
    if (t == tLo && !std::isnan(lo)) return RoundHalfEven(lo, PlacesAt(column, t));
    return kNoValueMarker;
  }
  // At exactly the row of an infinite cell the value is infinite, whatever
  // the other row holds; anywhere else an empty or infinite cell means no value.
  if ((std::isinf(hi) && t == tHi) || (std::isinf(lo) && t == tLo)) return kInfiniteMarker;
  return kNoValueMarker;
}

double Evaluate(const Column& column, double tHi, double tLo, double hi, double lo, double t) {
  if (column.use == ColumnUse::Interpolate && std::isfinite(hi) && std::isfinite(lo))
    return RoundHalfEven(Interpolate(tHi, tLo, hi, lo, t), PlacesAt(column, t));
  return EvaluateSpecial(column, tHi, tLo, hi, lo, t);
}

// The index of the bracket's upper row: the scan starts at rows 0 and 1 and
// moves down one row for each threshold t(1) ... t(n-2) that t passes. The
// thresholds descend, so once a test fails no later one can pass and the
// scan may stop there.
int ScanRow(const PropertyTable& table, double t, ScanTest test) {
  const int width = table.Width();
  const int last = table.Rows() - 2;  // the last threshold row
  const double* rowT = table.cells.data();
  const double inclusiveRow = table.inclusiveRow;
  const auto passes = [&](int row) {
    const double threshold = rowT[row * width];
    if (test == ScanTest::Below) return t < threshold || (t == threshold && threshold == inclusiveRow);
    return t <= threshold;
  };
  // Stride over the long tables eight rows at a time, then row by row: the
  // passing thresholds are a run from the top, so this stops where the scan
  // would.
  int k = 0;
  while (k + 8 <= last && passes(k + 8)) k += 8;
  while (k < last && passes(k + 1)) ++k;
  return k;
}

}  // namespace

double RoundHalfEven(double x, int places) {
  const double scale = kPowersOfTen[places];
  const double y = x * scale;
  if (!(std::fabs(y) < kExactlyWhole)) return y / scale;
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
  const int k = ScanRow(table, t, test);
  const double* rowT = table.cells.data();
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

namespace {

// The look-up of one table at t; `write(slot, value)` receives each result.
template <typename Write>
void LookUpWith(const PropertyTable& table, double t, Write&& write) {
  const int columns = static_cast<int>(table.columns.size());

  if (table.oneBracket) {
    // The common case, laid out so that the compiler can work on several
    // columns at once: every lane still makes the same IEEE double operations
    // in the same order as Interpolate and RoundHalfEven.
    const int width = table.Width();
    const double* upper = table.cells.data() + ScanRow(table, t, table.scan) * width;
    const double* lower = upper + width;
    const double tHi = upper[0], tLo = lower[0];
    const double* hi = upper + 1;
    double lo[kMaxColumns], y[kMaxColumns], v[kMaxColumns];
    for (int c = 0; c < columns; ++c) lo[c] = lower[c + 1];
    for (const LowerRowCell& cell : table.lowerRowCells)
      if (cell.rowT == tLo) lo[cell.column] = cell.value;
    double scale[kMaxColumns];
    for (int c = 0; c < columns; ++c) scale[c] = kPowersOfTen[table.columns[c].places];
    if (table.banded)
      for (int c = 0; c < columns; ++c)
        if (!table.columns[c].bands.empty()) scale[c] = kPowersOfTen[PlacesAt(table.columns[c], t)];

    const double d = tHi - t;
    const double s = tHi - tLo;
    for (int c = 0; c < columns; ++c) {
      const double e = hi[c] - lo[c];
      const double p = d * e;
      const double q = p / s;
      y[c] = (hi[c] - q) * scale[c];
      v[c] = ((y[c] + kShift) - kShift) / scale[c];
    }
    // Rare: a value already whole beyond 2^51, or a cell without a value.
    for (int c = 0; c < columns; ++c) {
      if (!(std::fabs(y[c]) < kExactlyWhole))
        v[c] = std::isfinite(y[c]) ? y[c] / scale[c]
                                   : EvaluateSpecial(table.columns[c], tHi, tLo, hi[c], lo[c], t);
      write(table.columns[c].slot, v[c]);
    }
  } else {
    // Column by column, each from the rows its own scan test chooses.
    const int width = table.Width();
    const int tableRow = ScanRow(table, t, table.scan);
    int otherRow = -1;  // for the columns with the other scan test, once needed
    for (int c = 0; c < columns; ++c) {
      const Column& column = table.columns[c];
      int row = tableRow;
      if (column.scan != ScanTest::Inherit && column.scan != table.scan) {
        if (otherRow < 0) otherRow = ScanRow(table, t, column.scan);
        row = otherRow;
      }
      const double* upper = table.cells.data() + row * width;
      const double* lower = upper + width;
      double lo = lower[c + 1];
      for (const LowerRowCell& cell : table.lowerRowCells)
        if (cell.rowT == lower[0] && cell.column == c) lo = cell.value;
      write(column.slot, Evaluate(column, upper[0], lower[0], upper[c + 1], lo, t));
    }
  }

  for (const DerivedSlot& d : table.derived) {
    switch (d.kind) {
      case DerivedSlot::Kind::PerKelvin:
        write(d.slot, RoundHalfEven(d.value / t, d.places));
        break;
      case DerivedSlot::Kind::Fixed:
        write(d.slot, d.value);
        break;
    }
  }
}

}  // namespace

SlotValues LookUp(const PropertyTable& table, double t) {
  SlotValues out;
  LookUpWith(table, t, [&out](Slot slot, double v) { out.Set(slot, v); });
  return out;
}

void LookUpIntoState(const PropertyTable& table) {
  LookUpWith(table, State.Temp, [](Slot slot, double v) { State[slot] = v; });
}

}  // namespace vantorel
