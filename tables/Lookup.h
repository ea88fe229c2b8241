#pragma once
// One look-up scheme serves every fluid: scan the rows downwards to the two
// that bracket the temperature, interpolate each column in six fixed steps,
// round each result half to even. A fluid's table states its rows and, as
// data, where it departs from the common scheme (scan test, places that
// depend on the temperature, fixed or computed slots, cells the book leaves
// empty or infinite).

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <type_traits>

#include "PropertyState.h"

namespace vantorel {

// A cell the table leaves empty: a look-up that would use it writes the
// no-value marker instead of a number.
inline constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// An infinite cell: at exactly its row's temperature the slot gets the
// infinite marker; anywhere else between that row and its neighbour there is
// no value.
inline constexpr double kInfinite = std::numeric_limits<double>::infinity();

// Rounds x to `places` decimal places, halves to even. The halfway test is
// made on the scaled double x * 10^places, not on x's exact decimal value:
// (0.42095, 4) gives 0.421 because 0.42095 * 10^4 is exactly 4209.5.
double RoundHalfEven(double x, int places);

// The six interpolation steps, each an IEEE double operation in this order:
// d = tHi - t, e = vHi - vLo, p = d * e, s = tHi - tLo, q = p / s, v = vHi - q.
double Interpolate(double tHi, double tLo, double vHi, double vLo, double t);

// When the scan moves the bracket down past row k.
enum class ScanTest : std::uint8_t {
  Inherit,    // a column's default: the table's own test
  AtOrBelow,  // T <= t(k): a grid temperature is the upper end of its bracket
  Below,      // T < t(k): a grid temperature is the lower end of its bracket
};

// Places that depend on the temperature: the first band with T > above wins.
struct PlaceBand {
  double above;
  int places;
};

enum class ColumnUse : std::uint8_t {
  Interpolate,  // the common case
  AtRowOnly,    // a value only at exactly a row's temperature, else no value
};

struct Column {
  Slot slot;
  int places = 0;
  std::span<const PlaceBand> bands = {};  // when given, they decide the places
  ScanTest scan = ScanTest::Inherit;
  ColumnUse use = ColumnUse::Interpolate;
};

// The seven columns the gas and liquid tables interpolate, ρ to Pr in slot
// order, each with its decimal places.
constexpr std::array<Column, 7> RhoToPrColumns(int rho, int cp, int mu, int nu, int k, int alpha, int pr) {
  return {{{Slot::Rho, rho},
           {Slot::Cp, cp},
           {Slot::Mu, mu},
           {Slot::Nu, nu},
           {Slot::K, k},
           {Slot::Alpha, alpha},
           {Slot::Pr, pr}}};
}

// A slot that a table sets without interpolating.
struct DerivedSlot {
  enum class Kind : std::uint8_t {
    PerKelvin,  // RoundHalfEven(value / T, places): the gases' 1000 / T
    Fixed,      // value as it stands, not rounded
  };
  Kind kind;
  Slot slot;
  double value;
  int places = 0;  // PerKelvin: rounded to these; Fixed: the decimals value is written with
};

// A cell that holds another value when its row is the lower row of the
// bracket than when it is the upper one.
struct LowerRowCell {
  double rowT;
  int column;
  double value;
};

// A cell where the book's printed value contradicts its own row, and the
// table holds the value the row implies (see data/CORRECTIONS.md).
struct CorrectedCell {
  double rowT;
  int column;
};

inline constexpr int kMaxColumns = 14;

struct PropertyTable {
  // Row-major cells, highest temperature first; each row is its temperature
  // followed by one cell per column. Rows strictly descend, at least two.
  std::span<const double> cells;
  std::span<const Column> columns;
  ScanTest scan = ScanTest::AtOrBelow;
  // With the strict test, the one row whose test is T <= t(k) after all.
  double inclusiveRow = kNone;
  std::span<const DerivedSlot> derived = {};
  std::span<const LowerRowCell> lowerRowCells = {};
  std::span<const CorrectedCell> corrected = {};
  // The decimals the book prints each cell with, row by row, without the
  // temperature (BookDecimals.h): 0.9950 has 4.
  std::span<const std::uint8_t> decimals = {};

  // Worked out from the fields above by Prepared. A table that has not been
  // through it is looked up column by column, with the same results.
  bool oneBracket = false;  // every column interpolates within the table's bracket
  // Each column's places and 10^places, as far as they do not depend on the
  // temperature; and the columns whose places do, in column order.
  std::array<std::int8_t, kMaxColumns> places{};
  std::array<double, kMaxColumns> scale{};
  std::array<std::int8_t, kMaxColumns> bandedColumns{};
  int bandedCount = 0;

  int Width() const { return static_cast<int>(columns.size()) + 1; }
  int Rows() const { return static_cast<int>(cells.size()) / Width(); }
  double RowT(int row) const { return cells[row * Width()]; }
  double Cell(int row, int column) const { return cells[row * Width() + 1 + column]; }
  int Decimals(int row, int column) const { return decimals.empty() ? 0 : decimals[row * (Width() - 1) + column]; }
  // The row a pointer into `cells` lies in.
  int RowOf(const double* at) const { return static_cast<int>((at - cells.data()) / Width()); }
};

// The table with what the look-up may know of it in advance.
constexpr PropertyTable Prepared(PropertyTable table) {
  table.oneBracket = true;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const Column& column = table.columns[c];
    table.oneBracket = table.oneBracket && column.use == ColumnUse::Interpolate &&
                       (column.scan == ScanTest::Inherit || column.scan == table.scan);
    if (!column.bands.empty()) table.bandedColumns[table.bandedCount++] = static_cast<std::int8_t>(c);
    table.places[c] = static_cast<std::int8_t>(column.places);
    table.scale[c] = 1;
    for (int p = 0; p < column.places; ++p) table.scale[c] *= 10;  // exact: at most 10^8
  }
  return table;
}

// A table's rows are written one book row per line, as a C array of rows;
// the look-up reads them laid end to end in one array, made at compile time.
template <std::size_t R, std::size_t W>
constexpr std::array<double, R * W> Flatten(const double (&rows)[R][W]) {
  std::array<double, R * W> cells{};
  for (std::size_t r = 0; r < R; ++r)
    for (std::size_t c = 0; c < W; ++c) cells[r * W + c] = rows[r][c];
  return cells;
}

template <const auto& Rows>
inline constexpr auto kCellsOf = Flatten(Rows);

// The cells of the C array of rows `Rows`, or of `count` of its rows from row
// `first` on, for a PropertyTable.
template <const auto& Rows>
constexpr std::span<const double> RowsOf(std::size_t first = 0,
                                         std::size_t count = std::extent_v<std::remove_cvref_t<decltype(Rows)>>) {
  constexpr std::size_t width = std::extent_v<std::remove_cvref_t<decltype(Rows)>, 1>;
  return std::span<const double>(kCellsOf<Rows>).subspan(first * width, count * width);
}

// The two rows between which one look-up interpolates.
// Only the first columns.size() values of a table's bracket are set.
struct LookupBracket {
  double THi, TLo;
  double hi[kMaxColumns];
  double lo[kMaxColumns];
};

// The index of the bracket's upper row: the scan starts at rows 0 and 1 and
// moves down one row for each threshold t(1) ... t(n-2) that t passes under
// `test`.
int ScanRow(const PropertyTable& table, double t, ScanTest test);

// The scan's bracket with its cells.
LookupBracket ScanBracket(const PropertyTable& table, double t, ScanTest test);

// The whole look-up of one table at temperature t: a pure function.
SlotValues LookUp(const PropertyTable& table, double t);

// The table procedure's shell: reads State.Temp, writes the slots to State.
void LookUpIntoState(const PropertyTable& table);

// The double nearest to the decimal that `book`, rounded to `places`
// decimals, stands for, times 10^exponent. The rounded value is a whole
// number m over 10^places; m times or over an exact power of ten is one
// correctly rounded operation: 189.3 (1 place) times 10^-7 is 1.893e-05,
// which 189.3 * 1e-7 is not.
double ScaledDecimal(double book, int places, int exponent);

// The same for a rounded value given as that whole number m: m times or over
// 10^(exponent - places). ScaledDecimal(m / 10^places, places, exponent) is
// this exactly, as m / 10^places times 10^places rounds back to m.
inline double ScaledWhole(double whole, int places, int exponent) {
  // Powers of ten up to 10^22 are exact doubles.
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const int e = exponent - places;
  return e >= 0 ? whole * kExact[e] : whole / kExact[-e];
}

// ---------------------------------------------------------------------------
// The look-up routine itself, for the callers above and for the checked
// call, which each want a different part of what it finds.

// One slot's result with how it was reached.
struct Written {
  Slot slot;
  double value;  // what the slot holds: the rounded number, or a marker
  ValueState state;
  int places;                 // the decimals it was rounded to (or is written with)
  int column;                 // the table column; -1 for a derived slot
  DerivedSlot::Kind derived;  // for a derived slot, how it was set
  // The bracket's two rows (temperature, then the cells) and the lower
  // row's cell as used (a lower-row cell may stand in for it). Null rows for
  // a derived slot.
  const double* upper;
  const double* lower;
  double lo;
  // The rounded value times 10^places, a whole number, where the look-up has
  // it at hand (interpolated columns of one-bracket tables); NaN elsewhere.
  double whole = kNone;
};

namespace lookup_detail {

// Rounding to a whole number, halves to even: adding 1.5 * 2^52 leaves no
// bits below the units, so the sum is y rounded that way (the constant is
// even), and taking it away again is exact. From 2^51 up every double is
// whole already. A result of zero comes out as +0, never -0.
inline constexpr double kShift = 6755399441055744.0;
inline constexpr double kExactlyWhole = 0x1p51;
inline constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

int PlacesAt(const Column& column, double t);

struct Special {
  double value;
  ValueState state;
};
// The cells the book leaves empty or infinite, and values only at the rows.
Special EvaluateSpecial(const Column& column, double tHi, double tLo, double hi, double lo, double t);

}  // namespace lookup_detail

// The look-up of one table at t; `write(const Written&)` receives each slot's
// result, in slot order of the columns, then the derived slots. Always
// inlined, so each caller's `write` folds into the loop over the columns.
template <typename Write>
[[gnu::always_inline]] inline void LookUpWith(const PropertyTable& table, double t, Write&& write) {
  using namespace lookup_detail;
  const int columns = static_cast<int>(table.columns.size());
  const int width = table.Width();

  if (table.oneBracket) {
    // The common case, laid out so that the compiler can work on several
    // columns at once: every lane still makes the same IEEE double operations
    // in the same order as Interpolate and RoundHalfEven.
    const double* upper = table.cells.data() + ScanRow(table, t, table.scan) * width;
    const double* lower = upper + width;
    const double tHi = upper[0], tLo = lower[0];
    const double* hi = upper + 1;
    const double* lo = lower + 1;
    double y[kMaxColumns], m[kMaxColumns], v[kMaxColumns];
    double loCells[kMaxColumns];  // the lower row with its lower-row cells, where it has any
    for (const LowerRowCell& cell : table.lowerRowCells) {
      if (cell.rowT != tLo) continue;
      if (lo != loCells) {
        for (int c = 0; c < columns; ++c) loCells[c] = lo[c];
        lo = loCells;
      }
      loCells[cell.column] = cell.value;
    }
    std::array<std::int8_t, kMaxColumns> places = table.places;
    std::array<double, kMaxColumns> scale = table.scale;
    for (int i = 0; i < table.bandedCount; ++i) {
      const int c = table.bandedColumns[i];
      places[c] = static_cast<std::int8_t>(PlacesAt(table.columns[c], t));
      scale[c] = kPowersOfTen[places[c]];
    }

    const double d = tHi - t;
    const double s = tHi - tLo;
    for (int c = 0; c < columns; ++c) {
      const double e = hi[c] - lo[c];
      const double p = d * e;
      const double q = p / s;
      y[c] = (hi[c] - q) * scale[c];
      m[c] = (y[c] + kShift) - kShift;
      v[c] = m[c] / scale[c];
    }
    for (int c = 0; c < columns; ++c) {
      ValueState state = ValueState::Value;
      // Rare: a value already whole beyond 2^51, or a cell without a value.
      if (!(std::fabs(y[c]) < kExactlyWhole)) {
        m[c] = kNone;
        if (std::isfinite(y[c])) {
          v[c] = y[c] / scale[c];
        } else {
          const Special special = EvaluateSpecial(table.columns[c], tHi, tLo, hi[c], lo[c], t);
          v[c] = special.value;
          state = special.state;
        }
      }
      write(Written{table.columns[c].slot, v[c], state, places[c], c, DerivedSlot::Kind::Fixed, upper, lower, lo[c],
                    m[c]});
    }
  } else {
    // Column by column, each from the rows its own scan test chooses.
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
      const double hi = upper[c + 1];
      double lo = lower[c + 1];
      for (const LowerRowCell& cell : table.lowerRowCells)
        if (cell.rowT == lower[0] && cell.column == c) lo = cell.value;
      const int places = PlacesAt(column, t);
      Written w{column.slot, 0, ValueState::Value, places, c, DerivedSlot::Kind::Fixed, upper, lower, lo};
      if (column.use == ColumnUse::Interpolate && std::isfinite(hi) && std::isfinite(lo)) {
        w.value = RoundHalfEven(Interpolate(upper[0], lower[0], hi, lo, t), places);
      } else {
        const Special special = EvaluateSpecial(column, upper[0], lower[0], hi, lo, t);
        w.value = special.value;
        w.state = special.state;
      }
      write(w);
    }
  }

  for (const DerivedSlot& d : table.derived) {
    Written w{d.slot, d.value, ValueState::Value, d.places, -1, d.kind, nullptr, nullptr, 0};
    if (d.kind == DerivedSlot::Kind::PerKelvin) w.value = RoundHalfEven(d.value / t, d.places);
    write(w);
  }
}

}  // namespace vantorel
