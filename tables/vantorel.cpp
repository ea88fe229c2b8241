// The checked call: the catalog finds the fluid and its range, the one
// look-up routine gives each slot with the rows it came from, and this file
// turns that into SI values, states and texts.

#include "vantorel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Catalog.h"
#include "Display.h"
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

// Checks T for `fluid`; an error when it cannot be looked up.
std::optional<Error> CheckTemperature(const Fluid& fluid, double t) {
  if (!std::isfinite(t)) return Error{.code = ErrorCode::NotFinite, .fluid = &fluid, .T = t};
  if (!(t >= fluid.Tmin && t <= fluid.Tmax)) return Error{.code = ErrorCode::OutOfRange, .fluid = &fluid, .T = t};
  return std::nullopt;
}

// The longest start of `text` that does not end inside a UTF-8 character,
// for a name cut short to fit Error::name.
std::string_view WholeCharacters(std::string_view text) {
  std::size_t start = text.size();  // of the last character
  while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return text;
  const auto lead = static_cast<unsigned char>(text[--start]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return start + length <= text.size() ? text : text.substr(0, start);
}

Error FluidError(std::string_view name) {
  const std::span<const std::string_view> fits = AmbiguousIds(name);
  Error error{.code = fits.empty() ? ErrorCode::UnknownFluid : ErrorCode::AmbiguousFluid};
  std::vector<std::string_view> ids;
  try {
    ids = ClosestIds(name);
  } catch (...) {  // no memory for the suggestions: the error stands without them
  }
  for (std::size_t i = 0; i < ids.size() && i < error.closestIds.size(); ++i)
    error.closestIds[error.closestCount++] = ids[i];
  error.nameLength = name.size();
  std::copy_n(name.data(), std::min(name.size(), error.name.size()), error.name.data());
  return error;
}

}  // namespace

std::string_view Version() noexcept { return VANTOREL_VERSION_STRING; }

std::string_view SlotName(Slot s) noexcept {
  static constexpr std::string_view kNames[kSlotCount] = {
      "Rho", "Cp",  "Mu",  "Nu",  "K",   "Alpha", "Pr", "Beta", "P",   "Vf",     "Vg",
      "Hfg", "Cpf", "Cpg", "Muf", "Mug", "Kf",    "Kg", "Prf",  "Prg", "Sigmaf", "Betaf",
  };
  const int i = Index(s);
  return i >= 0 && i < kSlotCount ? kNames[i] : std::string_view{};
}

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
  for (const Property& p : properties())
    if (p.id == id) return &p;
  return nullptr;
}

Result LookUp(const Fluid& fluid, double t) noexcept {
  if (const auto error = CheckTemperature(fluid, t)) return *error;

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
  const Fluid* fluid = FindFluid(name);
  if (!fluid) return FluidError(name);
  return LookUp(*fluid, t);
}

int PropertyCount(const Fluid& fluid) noexcept { return static_cast<int>(Shown(CategoryOf(fluid)).size()); }

bool LookUpValues(const Fluid& fluid, double t, double* out) noexcept {
  const detail::CategoryTables& category = *CategoryOf(fluid).tables;
  if (CheckTemperature(fluid, t)) {
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
    where += (c.state == ValueState::NoValue ? "none at " : "it infinite at ") + NumberText(c.row) + " K";
  }
  return Heading(p) + ": no value (the book has " + where + ")";
}

}  // namespace

std::string Working(const Reading& r, const Property& p) {
  const std::string heading = Heading(p);
  const std::string result = BookNumber(p.book, p.places);
  switch (p.origin) {
    case Origin::Fixed:
      return heading + " = " + result + " (the book's one value for the whole range)";
    case Origin::PerKelvin: {
      const double numerator = std::pow(10.0, -p.power);
      return heading + " = " + NumberText(numerator) + "/" + NumberText(r.T) + " = " +
             Unrounded(numerator / r.T, p.places) + " → " + result;
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
    return text;
  }
  const BookCell& lo = p.cells[0];
  const BookCell& hi = p.cells[1];
  const double exact = Interpolate(hi.row, lo.row, hi.value, lo.value, r.T);
  const auto minus = " " + std::string(kMinus) + " ";
  const std::string low = BookNumber(lo.value, lo.decimals);
  return heading + " = " + low + " + (" + NumberText(r.T) + minus + NumberText(lo.row) + ")/(" + NumberText(hi.row) +
         minus + NumberText(lo.row) + ") " + std::string(kTimes) + " (" + BookNumber(hi.value, hi.decimals) + minus +
         (lo.value < 0 ? "(" + low + ")" : low) + ") = " + Unrounded(exact, p.places) + " → " + result;
}

std::string Error::message() const {
  std::string text;
  switch (code) {
    case ErrorCode::UnknownFluid:
    case ErrorCode::AmbiguousFluid: {
      text = code == ErrorCode::UnknownFluid ? "unknown fluid \"" : "more than one fluid is called \"";
      if (nameLength > name.size()) {
        text += WholeCharacters({name.data(), name.size()});
        text += "...";
      } else {
        text.append(name.data(), nameLength);
      }
      text += '"';
      if (closestCount > 0) {
        text += code == ErrorCode::UnknownFluid ? "; closest: " : ": ";
        for (int i = 0; i < closestCount; ++i) {
          if (i > 0) text += code == ErrorCode::UnknownFluid ? ", " : " or ";
          text += closestIds[i];
        }
      }
      return text;
    }
    case ErrorCode::NotFinite:
    case ErrorCode::OutOfRange: {
      text = "T = ";
      text += std::isnan(T) ? "NaN" : std::isinf(T) ? (T > 0 ? "inf" : "-inf") : NumberText(T);
      text += code == ErrorCode::NotFinite ? " K is not a finite temperature" : " K is outside the range";
      if (fluid) {
        text += " of ";
        text += fluid->name;
        text += ", ";
        text += RangeText(*fluid);
      }
      return text;
    }
  }
  return text;
}

}  // namespace vantorel
