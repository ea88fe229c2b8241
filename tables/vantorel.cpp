// The checked call: the catalog finds the fluid and its range, the one
// look-up routine gives each slot with the rows it came from, and this file
// turns that into SI values, states and texts.

#include <vantorel/vantorel.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Catalog.h"
#include "Display.h"
#include "Errors.h"
#include "Lookup.h"

namespace vantorel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double NumberOf(ValueState state, double value) {
  switch (state) {
    case ValueState::NoValue:
      return kNaN;
    case ValueState::Infinite:
      return kInf;
    case ValueState::Value:
      break;
  }
  return value;
}

BookCell CellAt(double row, double cell, int decimals) {
  if (std::isnan(cell)) return {row, ValueState::NoValue, kNaN, 0};
  if (std::isinf(cell)) return {row, ValueState::Infinite, kInf, 0};
  return {row, ValueState::Value, cell, decimals};
}

bool IsCorrected(const PropertyTable& table, double rowT, int column) {
  for (const CorrectedCell& cell : table.corrected)
    if (cell.rowT == rowT && cell.column == column) return true;
  return false;
}

}  // namespace

std::string_view Version() noexcept { return VANTOREL_VERSION_STRING; }

std::string Property::text() const {
  switch (state) {
    case ValueState::NoValue:
      return std::string(kNoValueText);
    case ValueState::Infinite:
      return std::string(kInfiniteText);
    case ValueState::Value:
      break;
  }
  return NumberText(book) + SuffixText(power);
}

const Property* Reading::find(std::string_view id) const noexcept {
  const std::optional<Slot> slot = SlotNamed(id);
  if (!slot) return nullptr;
  for (const Property& p : properties())
    if (p.slot == *slot) return &p;
  return nullptr;
}

std::string SourceText(const Reading& r, std::string_view decimalMark) {
  if (!r.fluid) return {};
  std::string text = "Table ";
  text += r.source.table;
  text += r.source.rowCount == 1 ? ", the row at " : ", between the rows at ";
  for (int i = 0; i < r.source.rowCount; ++i) {
    if (i > 0) text += " and ";
    text += NumberText(r.source.rows[i], decimalMark);
    text += " K";
  }
  std::string corrected;
  for (const Property& p : r.properties()) {
    if (!p.corrected) continue;
    if (!corrected.empty()) corrected += ", ";
    corrected += p.symbol;
  }
  if (!corrected.empty()) {
    text += "; ";
    text += corrected;
    text += " from a cell that corrects a misprint in the book";
  }
  return text;
}

Result LookUp(const Fluid& fluid, double t) noexcept {
  if (auto error = detail::RangeError(fluid, t)) return *error;

  const PropertyTable& table = fluid.tables->pieceAt(t);
  std::array<Written, kSlotCount> written;
  std::array<bool, kSlotCount> has{};
  // The table's bracket, as the columns that take the table's own scan have
  // it; every table's first column does.
  const double* upper = nullptr;
  LookUpWith(table, t, [&](const Written& w) {
    written[Index(w.slot)] = w;
    has[Index(w.slot)] = true;
    if (!upper && w.column >= 0) {
      const ScanTest scan = table.columns[w.column].scan;
      if (scan == ScanTest::Inherit || scan == table.scan) upper = w.upper;
    }
  });
  if (!upper) upper = table.cells.data() + ScanRow(table, t, table.scan) * table.Width();

  Reading reading{};
  reading.fluid = &fluid;
  reading.T = t;
  reading.source.table = CategoryOf(fluid).table;
  // Every column shares the table's bracket except at a row's own
  // temperature, where each gives that row.
  const double tHi = upper[0], tLo = upper[table.Width()];
  if (t == tHi || t == tLo) {
    reading.source.rows = {t, 0};
    reading.source.rowCount = 1;
  } else {
    reading.source.rows = {tLo, tHi};
    reading.source.rowCount = 2;
  }

  for (const ShownProperty& shown : Shown(CategoryOf(fluid))) {
    const Written& w = written[Index(shown.slot)];
    Property& p = reading.shown[reading.count++];
    p.slot = shown.slot;
    p.id = SlotName(shown.slot);
    p.name = shown.name;
    p.symbol = shown.symbol;
    p.unit = shown.unit.si;
    p.bookUnit = shown.unit.book;
    p.power = shown.power;
    if (!has[Index(shown.slot)]) {  // not reached: every category's table writes every label it shows
      p.state = ValueState::NoValue;
      p.value = p.book = kNaN;
      continue;
    }
    p.state = w.state;
    p.places = w.places;
    p.book = NumberOf(w.state, w.value);
    p.value = w.state == ValueState::Value ? ScaledDecimal(w.value, w.places, SiExponent(shown)) : p.book;
    if (w.column < 0) {
      p.origin = w.derived == DerivedSlot::Kind::PerKelvin ? Origin::PerKelvin : Origin::Fixed;
      continue;
    }
    p.origin = Origin::Table;
    const double rowHi = w.upper[0], rowLo = w.lower[0];
    const BookCell upperCell = CellAt(rowHi, w.upper[w.column + 1], table.Decimals(table.RowOf(w.upper), w.column));
    const BookCell lowerCell = CellAt(rowLo, w.lo, table.Decimals(table.RowOf(w.lower), w.column));
    if (t == rowHi) {
      p.cells[p.cellCount++] = upperCell;
      p.corrected = IsCorrected(table, rowHi, w.column);
    } else if (t == rowLo) {
      p.cells[p.cellCount++] = lowerCell;
      p.corrected = IsCorrected(table, rowLo, w.column);
    } else {
      p.cells[p.cellCount++] = lowerCell;
      p.cells[p.cellCount++] = upperCell;
      p.corrected = IsCorrected(table, rowLo, w.column) || IsCorrected(table, rowHi, w.column);
    }
    reading.source.corrected = reading.source.corrected || p.corrected;
  }
  return reading;
}

Result LookUp(std::string_view name, double t) noexcept {
  const FluidResult fluid = ResolveFluid(name);
  if (!fluid) return fluid.error();
  return LookUp(**fluid, t);
}

FluidResult ResolveFluid(std::string_view name) noexcept {
  if (const Fluid* fluid = FindFluid(name)) return fluid;
  return detail::FluidError(name);
}

int PropertyCount(const Fluid& fluid) noexcept { return static_cast<int>(Shown(CategoryOf(fluid)).size()); }

bool LookUpValues(const Fluid& fluid, double t, double* out) noexcept {
  const detail::CategoryTables& category = *CategoryOf(fluid).tables;
  if (!(t >= fluid.Tmin && t <= fluid.Tmax)) {  // nor NaN
    std::fill_n(out, category.shown.size(), kNaN);
    return false;
  }
  LookUpWith(fluid.tables->pieceAt(t), t, [&](const Written& w) {
    const int i = category.position[Index(w.slot)];
    if (i < 0) return;
    const int exponent = category.siExponent[Index(w.slot)];
    if (w.state != ValueState::Value)
      out[i] = NumberOf(w.state, w.value);
    else if (!std::isnan(w.whole))  // the whole number is at hand: no second rounding
      out[i] = ScaledWhole(w.whole, w.places, exponent);
    else
      out[i] = ScaledDecimal(w.value, w.places, exponent);
  });
  return true;
}

namespace {

constexpr std::string_view kMinus = "−", kTimes = "×";

// A number as the book prints it: the shortest text, with at least
// `decimals` decimals, and a real minus sign.
std::string BookNumber(double v, int decimals) {
  std::string text = NumberText(std::fabs(v));
  const std::size_t point = text.find('.');
  if (text.find('e') == std::string::npos) {
    int shown = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    if (shown < decimals && point == std::string::npos) text += '.';
    for (; shown < decimals; ++shown) text += '0';
  }
  return (std::signbit(v) && v != 0 ? std::string(kMinus) : std::string()) + text;
}

// An unrounded result, with two more decimals than it is rounded to (at
// least one), and no trailing zeros beyond that one.
std::string Unrounded(double v, int places) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places + 2, std::fabs(v));
  std::string out = text;
  while (out.back() == '0' && out.size() - out.find('.') - 1 > static_cast<std::size_t>(places + 1)) out.pop_back();
  return (std::signbit(v) && v != 0 ? std::string(kMinus) : std::string()) + out;
}

std::string Missing(const Property& p) {
  std::string where;
  for (const BookCell& c : p.Cells()) {
    if (c.state == ValueState::Value) continue;
    if (!where.empty()) where += " and ";
    where += (c.state == ValueState::NoValue ? "none at " : "it as infinite at ") + NumberText(c.row) + " K";
  }
  return Heading(p) + ": no value (the book has " + where + ")";
}

// Where the window's text drops zeros that the rounding keeps ("16.90" is
// shown 16.9E-6), the words that say so.
std::string ShownAs(const Property& p, std::string rounded) {
  if (p.state != ValueState::Value) return {};
  if (rounded.starts_with(kMinus)) rounded.erase(0, kMinus.size());
  if (rounded == NumberText(std::fabs(p.book))) return {};
  const std::size_t zeros = rounded.size() - rounded.find_last_not_of('0') - 1;
  std::string note = " (shown as ";
  note += p.text();
  note += zeros == 1 ? ", without its trailing zero)" : ", without its trailing zeros)";
  return note;
}

}  // namespace

std::string Working(const Reading& r, const Property& p) {
  if (!r.fluid || p.id.empty()) return {};
  const std::string heading = Heading(p);
  const std::string result = BookNumber(p.book, p.places);
  const std::string shownAs = ShownAs(p, result);
  switch (p.origin) {
    case Origin::Fixed:
      return heading + " = " + result + " (the book's one value for the whole range)" + shownAs;
    case Origin::PerKelvin: {
      const double numerator = std::pow(10.0, -p.power);
      return heading + " = " + NumberText(numerator) + "/" + NumberText(r.T) + " = " +
             Unrounded(numerator / r.T, p.places) + " → " + result + shownAs;
    }
    case Origin::Table:
      break;
  }
  if (p.state == ValueState::Infinite) return heading + " = ∞ (the row at " + NumberText(p.cells[0].row) + " K)";
  if (p.state == ValueState::NoValue) return Missing(p);
  if (p.cellCount == 1) {
    const std::string cell = BookNumber(p.cells[0].value, p.cells[0].decimals);
    std::string text = heading + " = " + cell + " (the row at " + NumberText(p.cells[0].row) + " K)";
    if (cell != result) text += " → " + result;
    return text + shownAs;
  }
  const BookCell& lo = p.cells[0];
  const BookCell& hi = p.cells[1];
  const double exact = Interpolate(hi.row, lo.row, hi.value, lo.value, r.T);
  const std::string minus = std::string(" ").append(kMinus).append(" ");
  const std::string low = BookNumber(lo.value, lo.decimals);
  return heading + " = " + low + " + (" + NumberText(r.T) + minus + NumberText(lo.row) + ")/(" + NumberText(hi.row) +
         minus + NumberText(lo.row) + ") " + std::string(kTimes) + " (" + BookNumber(hi.value, hi.decimals) + minus +
         (lo.value < 0 ? "(" + low + ")" : low) + ") = " + Unrounded(exact, p.places) + " → " + result + shownAs;
}

}  // namespace vantorel
