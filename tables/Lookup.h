#pragma once
// One look-up scheme serves every fluid: scan the rows downwards to the two
// that bracket the temperature, interpolate each column in six fixed steps,
// round each result half to even. A fluid's table states its rows and, as
// data, where it departs from the common scheme (scan test, places that
// depend on the temperature, fixed or computed slots, cells the book leaves
// empty or infinite).

#include <array>
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

// A slot that a table sets without interpolating.
struct DerivedSlot {
  enum class Kind : std::uint8_t {
    PerKelvin,  // RoundHalfEven(value / T, places): the gases' 1000 / T
    Fixed,      // value as it stands, not rounded
  };
  Kind kind;
  Slot slot;
  double value;
  int places = 0;
};

// A cell that holds another value when its row is the lower row of the
// bracket than when it is the upper one.
struct LowerRowCell {
  double rowT;
  int column;
  double value;
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

  // Worked out from the fields above by Prepared. A table that has not been
  // through it is looked up column by column, with the same results.
  bool oneBracket = false;  // every column interpolates within the table's bracket
  bool banded = false;      // some column's places depend on the temperature

  int Width() const { return static_cast<int>(columns.size()) + 1; }
  int Rows() const { return static_cast<int>(cells.size()) / Width(); }
  double RowT(int row) const { return cells[row * Width()]; }
  double Cell(int row, int column) const { return cells[row * Width() + 1 + column]; }
};

// The table with what the look-up may know of it in advance.
constexpr PropertyTable Prepared(PropertyTable table) {
  table.oneBracket = true;
  for (const Column& column : table.columns) {
    table.oneBracket = table.oneBracket && column.use == ColumnUse::Interpolate &&
                       (column.scan == ScanTest::Inherit || column.scan == table.scan);
    table.banded = table.banded || !column.bands.empty();
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

// The scan: starts at rows 0 and 1 and moves down one row for each threshold
// t(1) ... t(n-2) that T passes under `test`.
LookupBracket ScanBracket(const PropertyTable& table, double t, ScanTest test);

// The whole look-up of one table at temperature t: a pure function.
SlotValues LookUp(const PropertyTable& table, double t);

// The table procedure's shell: reads State.Temp, writes the slots to State.
void LookUpIntoState(const PropertyTable& table);

}  // namespace vantorel
