#include "Lookup.h"

#include <cmath>

namespace vantorel {

namespace lookup_detail {

int PlacesAt(const Column& column, double t) {
  for (const PlaceBand& band : column.bands)
    if (t > band.above) return band.places;
  return column.places;
}

Special EvaluateSpecial(const Column& column, double tHi, double tLo, double hi, double lo, double t) {
  if (column.use == ColumnUse::AtRowOnly) {
    if (t == tHi && !std::isnan(hi)) return {RoundHalfEven(hi, PlacesAt(column, t)), ValueState::Value};
    if (t == tLo && !std::isnan(lo)) return {RoundHalfEven(lo, PlacesAt(column, t)), ValueState::Value};
    return {kNoValueMarker, ValueState::NoValue};
  }
  // At exactly the row of an infinite cell the value is infinite, whatever
  // the other row holds; anywhere else an empty or infinite cell means no value.
  if ((std::isinf(hi) && t == tHi) || (std::isinf(lo) && t == tLo)) return {kInfiniteMarker, ValueState::Infinite};
  return {kNoValueMarker, ValueState::NoValue};
}

}  // namespace lookup_detail

using namespace lookup_detail;

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
  // The thresholds descend, so the passing ones are a run from the top: stride
  // over the long tables eight rows at a time, then row by row, and stop
  // where the scan would.
  int k = 0;
  while (k + 8 <= last && passes(k + 8)) k += 8;
  while (k < last && passes(k + 1)) ++k;
  return k;
}

LookupBracket ScanBracket(const PropertyTable& table, double t, ScanTest test) {
  const int width = table.Width();
  const double* upper = table.cells.data() + ScanRow(table, t, test) * width;
  const double* lower = upper + width;
  LookupBracket b;
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
  LookUpWith(table, t, [&out](const Written& w) { out.Set(w.slot, w.value); });
  return out;
}

void LookUpIntoState(const PropertyTable& table) {
  LookUpWith(table, State.Temp, [](const Written& w) { State[w.slot] = w.value; });
}

double ScaledDecimal(double book, int places, int exponent) {
  const double y = book * kPowersOfTen[places];
  const double m = std::fabs(y) < kExactlyWhole ? (y + kShift) - kShift : y;  // the whole number it stands for
  return ScaledWhole(m, places, exponent);
}

}  // namespace vantorel
