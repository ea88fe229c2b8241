#pragma once
// Vantorel: the property tables of a heat-transfer textbook (Tables A.4 to
// A.7) as one checked call. Give a fluid and a temperature in kelvin; get
// either an error or a reading: each property the fluid's category shows,
// in SI base units, with the text the calculator window shows and the book
// rows it came from.
//
//   const vantorel::Result r = vantorel::LookUp("air", 310);
//   if (!r) return std::cerr << r.error().message() << '\n', 1;
//   for (const vantorel::Property& p : r->properties())
//     std::cout << p.name << ' ' << p.value << ' ' << p.unit << '\n';  // ... 1.893e-05 Pa·s
//
// Every function here is re-entrant, and any input is safe: NaN,
// infinities, empty, huge or malformed names and texts give an error, never
// a crash. Those marked noexcept never throw; the others build strings and
// throw only std::bad_alloc. C++20, standard library only.
//
// This header and <vantorel/vantorel_c.h> are the whole of the library: the
// command line, the Python module and the web page ask it everything they
// show, so every door gives the same answer in the same words.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <vantorel/version.h>

// What the shared library exports: the declarations below and nothing else.
// On Windows the DLL exports them (VANTOREL_BUILDING_DLL, set while building
// it) and a program that links the DLL imports them (VANTOREL_DLL); a
// program linked to the static library defines neither.
#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(VANTOREL_BUILDING_DLL)
#define VANTOREL_API __declspec(dllexport)
#elif defined(VANTOREL_DLL)
#define VANTOREL_API __declspec(dllimport)
#else
#define VANTOREL_API
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define VANTOREL_API __attribute__((visibility("default")))
#else
#define VANTOREL_API
#endif

namespace vantorel {

// "1.0.0": the library's own version, which may differ from the headers'
// VANTOREL_VERSION_STRING when a program runs with another build.
VANTOREL_API std::string_view Version() noexcept;

// The properties the tables give, by the names the window's result slots
// have. The first eight are the common set (gases, saturated fluids, liquid
// metals); the rest belong to saturated water alone.
// clang-format off
enum class Slot : std::uint8_t {
  Rho, Cp, Mu, Nu, K, Alpha, Pr, Beta,
  P, Vf, Vg, Hfg, Cpf, Cpg, Muf, Mug, Kf, Kg, Prf, Prg, Sigmaf, Betaf,
};
// clang-format on
inline constexpr int kSlotCount = 22;

constexpr int Index(Slot s) { return static_cast<int>(s); }

// The slot's name, which is also a property's id: "Rho", "Sigmaf".
VANTOREL_API std::string_view SlotName(Slot s) noexcept;

// The slot whose id is `id` in any case ("mu", "MU", "Mu"), or nothing.
VANTOREL_API std::optional<Slot> SlotNamed(std::string_view id) noexcept;

// ---------------------------------------------------------------------------
// The catalog.

namespace detail {
struct FluidTables;     // the look-up behind a fluid
struct CategoryTables;  // the properties a category shows
}  // namespace detail

struct Fluid {
  std::string_view id;                        // "carbon-dioxide": short and stable, for scripts
  std::string_view name;                      // "Carbon Dioxide (CO2)": as the window's list shows it
  double Tmin, Tmax;                          // the range in kelvin; both ends belong to it
  int category;                               // 1 to 4: Categories()[category - 1] holds it
  std::span<const std::string_view> aliases;  // other names people type: "co2"
  const detail::FluidTables* tables;          // internal
};

struct Category {
  std::string_view name;   // "Gases at Atmoshperic Pressure" (the window spells it so)
  std::string_view table;  // the book's table: "A.4"
  std::span<const Fluid> fluids;
  const detail::CategoryTables* tables;  // internal
};

// The four categories, in the window's list order, with their fluids.
VANTOREL_API std::span<const Category> Categories() noexcept;

// The category that holds `fluid`.
VANTOREL_API const Category& CategoryOf(const Fluid& fluid) noexcept;

// The fluid that `name` stands for: its id, one of its aliases, its list
// text or the list text without its bracketed formula ("Carbon Dioxide"),
// ignoring case, the blanks around it, and spaces, hyphens and underscores
// within it ("carbon dioxide", "Carbon_Dioxide", "freon 12" and "R-12" all
// name one fluid). Null when no fluid has that name, or when it could mean
// more than one ("nak": NaK 45 % or NaK 22 %). ResolveFluid says why.
VANTOREL_API const Fluid* FindFluid(std::string_view name) noexcept;

// ---------------------------------------------------------------------------
// What each property is.

// A property a category shows, whatever the temperature.
struct PropertyInfo {
  Slot slot;
  std::string_view id;           // "Mu": the slot's name
  std::string_view name;         // "dynamic viscosity"
  std::string_view symbol;       // "μ", "c_p,f": an underscore starts a subscript
  std::string_view asciiSymbol;  // "mu", "cp_f": the symbol in ASCII, for a CSV header
  std::string_view bookUnit;     // "N·s/m²": the unit of the book's column; empty for a pure number
  std::string_view siUnit;       // "Pa·s": the SI base unit of Property::value; empty for a pure number
  std::string_view asciiSiUnit;  // "Pa*s", "m^2/s", "-" for a pure number
  int power;                     // the book's column holds the value times 10^-power: -7 for μ of a gas
  int siExponent;                // SI value = book number x 10^siExponent (power plus the unit's: kJ 3, bar 5)
};

// The properties a category shows, in the window's label order.
VANTOREL_API std::span<const PropertyInfo> PropertiesOf(const Category& category) noexcept;
VANTOREL_API std::span<const PropertyInfo> PropertiesOf(const Fluid& fluid) noexcept;

// The property of `fluid`'s category whose id is `id` in any case, or null.
VANTOREL_API const PropertyInfo* FindProperty(const Fluid& fluid, std::string_view id) noexcept;

// The quantity as the book's column heading names it, from its symbol and
// the power of ten its table factors out: "μ·10⁷", "c_p", "β_f·10⁶".
VANTOREL_API std::string Heading(const PropertyInfo& property);

// The range as the window's range label shows it, "100K <= T <= 3000K",
// with `decimalMark` in place of '.' ("273,15K <= T <= 647,3K").
VANTOREL_API std::string RangeText(const Fluid& fluid, std::string_view decimalMark = ".");

// A number as every door writes it: the shortest text that reads back as
// exactly `value` ("1.1281", "1.893e-05", "47000"), with `decimalMark` in
// place of '.'.
VANTOREL_API std::string NumberText(double value, std::string_view decimalMark = ".");

// ---------------------------------------------------------------------------
// A reading.

enum class ValueState : std::uint8_t {
  Value,     // a number
  NoValue,   // the book has no value here: the window shows "----"
  Infinite,  // the value is infinite (water at its critical point): "INFINITE"
};

// The state as JSON and the page write it: "value", "none", "infinite".
constexpr std::string_view StateName(ValueState state) noexcept {
  switch (state) {
    case ValueState::NoValue:
      return "none";
    case ValueState::Infinite:
      return "infinite";
    case ValueState::Value:
      break;
  }
  return "value";
}

// One cell of the book's table, as printed: `value` times 10^power in the
// property's book unit (air's density at 350 K: 0.9950).
struct BookCell {
  double row;  // the row's temperature, kelvin
  ValueState state;
  double value;  // NaN when the book has no value, +inf when infinite
  int decimals;  // as printed: 4 for 0.9950
};

// Where a property's value comes from.
enum class Origin : std::uint8_t {
  Table,      // interpolated between the book rows of the reading's source
  PerKelvin,  // worked out from T: a gas's expansion coefficient, 1/T
  Fixed,      // one value the book gives for the whole range
};

struct Property {
  Slot slot;
  std::string_view id;      // "Mu": the slot's name
  std::string_view name;    // "dynamic viscosity"
  std::string_view symbol;  // "μ"
  std::string_view unit;    // the SI base unit of `value`: "Pa·s"; empty for a pure number

  ValueState state;
  // In SI base units: the double nearest to the book's rounded decimal
  // times its powers of ten (1.893e-05 for 189.3E-7 N·s/m²). NaN when there
  // is no value, +inf when it is infinite.
  double value;

  // The window's numbers: `book` times 10^power in `bookUnit` (189.3, -7,
  // "N·s/m²"), rounded to `places` decimals. NaN or +inf as `value`.
  double book;
  int power;
  std::string_view bookUnit;
  int places;

  Origin origin;
  // The cells the value was interpolated from, at the source's rows
  // (ascending); one at a row's own temperature, none unless Origin::Table.
  std::array<BookCell, 2> cells;
  int cellCount;
  bool corrected;  // one of those cells is a correction of a misprint in the book

  std::span<const BookCell> Cells() const noexcept { return {cells.data(), static_cast<std::size_t>(cellCount)}; }

  // The text the window's result label shows: "189.3E-7", "----", "INFINITE".
  VANTOREL_API std::string text() const;
};

// The book table and rows behind a reading.
struct Source {
  std::string_view table;      // "A.4"
  std::array<double, 2> rows;  // ascending: {300, 350}
  int rowCount;                // 2 between rows; 1 at a row's own temperature
  bool corrected;              // some property used a corrected cell

  std::span<const double> Rows() const noexcept { return {rows.data(), static_cast<std::size_t>(rowCount)}; }
};

struct Reading {
  const Fluid* fluid = nullptr;
  double T = std::numeric_limits<double>::quiet_NaN();  // kelvin
  Source source{};
  std::array<Property, 14> shown{};  // the first `count`, in the window's label order
  int count = 0;

  std::span<const Property> properties() const noexcept { return {shown.data(), static_cast<std::size_t>(count)}; }
  // The property with this id in any case ("Mu", "mu"), or null when the
  // category shows none.
  VANTOREL_API const Property* find(std::string_view id) const noexcept;
};

// Where a reading comes from, in words a student can cite: "Table A.4,
// between the rows at 300 K and 350 K", "Table A.6, the row at 373.15 K",
// and where a cell corrects a misprint of the book, "; ρ from a cell that
// corrects a misprint in the book". Numbers with `decimalMark` for '.'.
VANTOREL_API std::string SourceText(const Reading& reading, std::string_view decimalMark = ".");

// ---------------------------------------------------------------------------
// Temperatures as people type them.

enum class TemperatureUnit : std::uint8_t { Kelvin, Celsius, Fahrenheit };

// "K", "°C", "°F".
VANTOREL_API std::string_view UnitSymbol(TemperatureUnit unit) noexcept;

// The units a pressure is typed in: the book's bar, and the rest exactly in
// it: Pa = 10⁻⁵ bar, kPa, MPa, atm = 1.01325 bar, psi = 6894.757293168 Pa.
enum class PressureUnit : std::uint8_t { Bar, Pa, KPa, MPa, Atm, Psi };

// "bar", "Pa", "kPa", "MPa", "atm", "psi".
VANTOREL_API std::string_view UnitSymbol(PressureUnit unit) noexcept;

// `kelvin` (as a text is read) in `unit`: the shortest plain decimal that
// reads back as the same kelvin, worked out exactly from the kelvin's
// shortest text, so 310 K is "36.85" °C and "98.33" °F, never
// 36.850000000000023; with `decimalMark` for '.'. Empty for a temperature
// too large or too small to write plainly.
VANTOREL_API std::string TemperatureText(double kelvin, TemperatureUnit unit, std::string_view decimalMark = ".");

// How degrees become kelvin, as the first line of a working: "T = 36.85 °C
// + 273.15 = 310 K", "T = (100 °F + 459.67) × 5/9 ≈ 310.9277777777778 K"
// where the kelvin does not end. Empty for kelvin.
VANTOREL_API std::string TemperatureWorking(double kelvin, TemperatureUnit unit);

// How a temperature text is read.
struct TextOptions {
  // The unit of a number written without one: kelvin, or the unit a page's
  // unit box shows.
  TemperatureUnit bareUnit = TemperatureUnit::Kelvin;
  // The characters taken as the decimal mark: "." as in C; ".," for a page
  // that takes either; "," for a locale that writes 310,5. A text holding
  // two different marks is no number.
  std::string_view decimalMarks = ".";
};

// ---------------------------------------------------------------------------
// Errors.

enum class ErrorCode : std::uint8_t {
  UnknownFluid,     // no fluid has that name (none given: an empty name); closest() holds the nearest ids
  AmbiguousFluid,   // the name fits more than one fluid; closest() holds them
  NotFinite,        // T is NaN or infinite
  OutOfRange,       // T lies outside the fluid's range
  NotATemperature,  // the text is no temperature; text() is it without the blanks around it, empty when nothing was
                    // typed
  // A sweep that cannot be planned, in the order the checks are made.
  UnitsDiffer,       // one end in °F and the other not
  TooManyDigits,     // the sweep's numbers need more digits than it takes (kMaxSweepDigits)
  StepUnitMismatch,  // a step in °F between kelvin or °C ends, or the other way round
  StepNotPositive,
  ToBelowFrom,
  TooManyRows,  // more rows than the caller allows (limit)
  None,         // no error: what error() gives for a result that holds a value
  // Pressures (after None, so the codes above keep their numbers).
  NotAPressure,        // the text is no pressure with its unit; text() is it without the blanks around it
  PressureOutOfRange,  // the pressure lies outside the saturation line's, 0.00611 bar to 221.2 bar
  NoPressureColumn,    // the fluid is not saturated water: no other has a saturation pressure
};

// Which input an error is about.
enum class Input : std::uint8_t { Fluid, T, From, To, Step, P };

// The input as messages name it: "fluid", "T", "from", "to", "step".
constexpr std::string_view InputName(Input input) noexcept {
  switch (input) {
    case Input::Fluid:
      return "fluid";
    case Input::From:
      return "from";
    case Input::To:
      return "to";
    case Input::Step:
      return "step";
    case Input::P:
      return "P";
    case Input::T:
      break;
  }
  return "T";
}

// The longest start of a typed text an error keeps.
inline constexpr std::size_t kErrorTextSize = 40;

// The most digits a sweep's numbers take, on their common scale.
inline constexpr int kMaxSweepDigits = 30;

struct Error {
  ErrorCode code = ErrorCode::None;
  Input input = Input::Fluid;
  const Fluid* fluid = nullptr;  // for errors about a temperature: the fluid asked for
  double T = 0;                  // the temperature asked for, kelvin (NaN when the text is no number)
  std::array<std::string_view, 3> closestIds{};
  int closestCount = 0;
  // The start of the text asked for: the fluid's name, or the temperature
  // as typed; nameLength is the whole text's length.
  std::array<char, kErrorTextSize> name{};
  std::size_t nameLength = 0;
  TemperatureUnit unit = TemperatureUnit::Kelvin;  // the unit T was typed in
  bool unitWritten = false;                        // the text named its unit
  PressureUnit pressureUnit = PressureUnit::Bar;   // PressureOutOfRange: the unit P was typed in
  // OutOfRange of a bare number in kelvin that, read as °C, lies within the
  // range: that reading in kelvin (the user most likely meant it); else NaN.
  double celsiusHint = std::numeric_limits<double>::quiet_NaN();
  std::size_t limit = 0;      // TooManyRows: the most rows allowed
  double from = 0;            // ToBelowFrom: the sweep's start, kelvin (T is its end)
  bool commaRefused = false;  // NotATemperature: the text has a comma, which was not taken as a decimal mark

  std::span<const std::string_view> closest() const noexcept {
    return {closestIds.data(), static_cast<std::size_t>(closestCount)};
  }
  std::string_view text() const noexcept { return {name.data(), nameLength < name.size() ? nameLength : name.size()}; }

  // One plain sentence that says what is wrong, the same in every door:
  //   unknown fluid "watr"; closest: saturated-water
  //   T = 5000 K is outside the range of Air, 100K <= T <= 3000K
  //   "abc" is not a temperature: give kelvin (310.5) or degrees with their unit (36.85 °C, 98.33 °F)
  // A typed text is quoted with its control bytes and any invalid UTF-8
  // written as \xNN, and cut at kErrorTextSize bytes with "...".
  VANTOREL_API std::string message() const;
};

// A value or the error that stopped it. Every accessor is noexcept: value()
// of an error is an empty value (a Reading with no fluid, NaN for T and no
// properties; a null Fluid), and error() of a value an Error whose code is
// ErrorCode::None.
template <typename T>
class Checked {
 public:
  Checked(const T& value) noexcept : value_(value), ok_(true) {}
  Checked(const Error& error) noexcept : error_(error), ok_(false) {}

  bool ok() const noexcept { return ok_; }
  explicit operator bool() const noexcept { return ok_; }

  const T& value() const noexcept { return value_; }
  const T& operator*() const noexcept { return value_; }
  const T* operator->() const noexcept { return &value_; }
  const Error& error() const noexcept { return error_; }

 private:
  T value_{};
  Error error_{};
  bool ok_;
};

// A reading or the error that stopped it.
class Result : public Checked<Reading> {
 public:
  using Checked<Reading>::Checked;
  const Reading& reading() const noexcept { return value(); }
};

// The fluid a name stands for, or why none: UnknownFluid with the closest
// ids (by alias, by part of a name, then by spelling), AmbiguousFluid with
// the fluids it could mean.
using FluidResult = Checked<const Fluid*>;
VANTOREL_API FluidResult ResolveFluid(std::string_view name) noexcept;

// A temperature as typed, read.
struct TypedTemperature {
  double kelvin = 0;                               // the double nearest its exact value in kelvin
  TemperatureUnit unit = TemperatureUnit::Kelvin;  // the unit it was read in
  bool unitWritten = false;                        // the text named it
};
using TemperatureResult = Checked<TypedTemperature>;

// Reads a temperature: a decimal number (a sign, digits with at most one
// decimal mark, an optional exponent: "310", "-40", "310.5", "3.1e2"), then
// optionally its unit, with or without blanks before it: K, °C, ℃, C, °F,
// ℉, F in either case ("310 K", "36.85°C", "98.33 F"). Blanks around it are
// ignored; "−" (U+2212) is a minus. Degrees become kelvin exactly in
// decimal: 25 °C is the double nearest 298.15, as "298.15" reads. No
// hexadecimal, no "inf" or "nan", nothing else: any other text, or one that
// is no finite temperature, gives NotATemperature (input T).
VANTOREL_API TemperatureResult ParseTemperature(std::string_view text, TextOptions options = {}) noexcept;

// The properties of the fluid named `fluid` (id, alias or list text) at `T`
// kelvin, or why there are none.
VANTOREL_API Result LookUp(std::string_view fluid, double T) noexcept;
VANTOREL_API Result LookUp(const Fluid& fluid, double T) noexcept;

// The same for a temperature as typed (ParseTemperature); an error then
// quotes the text: "T = 5000 °C = 5273.15 K is outside the range of Air,
// 100K <= T <= 3000K".
VANTOREL_API Result LookUpText(std::string_view fluid, std::string_view T, TextOptions options = {}) noexcept;
VANTOREL_API Result LookUpText(const Fluid& fluid, std::string_view T, TextOptions options = {}) noexcept;

// ---------------------------------------------------------------------------
// Saturated water at a pressure.

// The saturation temperature at a pressure, found as a student finds it in
// Table A.6: between the two rows whose printed pressures bracket P, T is
// interpolated linearly in P and rounded half-even to 0.01 K, all exactly in
// decimal.
struct Saturation {
  double T = std::numeric_limits<double>::quiet_NaN();  // T_sat, kelvin: the rounded decimal's double
  double P = std::numeric_limits<double>::quiet_NaN();  // the pressure asked for, bar
  double typed = std::numeric_limits<double>::quiet_NaN();  // the same in the unit it was typed in
  PressureUnit unit = PressureUnit::Bar;                    // that unit
  std::array<double, 2> rowT{}, rowP{};  // the bracketing rows, ascending: T in kelvin, P in bar as printed
  int rowCount = 0;                      // 1 when P is a row's printed pressure: T_sat is that row's T
  double unrounded = std::numeric_limits<double>::quiet_NaN();  // T before its rounding, to 0.0001 K
};
using SaturationResult = Checked<Saturation>;

// Reads a pressure as typed: a decimal number as ParseTemperature reads
// one, then its unit, with or without blanks: bar, Pa, kPa, MPa, atm, psi or
// psia, in any case but "mPa". A bare number, or any other text, gives
// NotAPressure (input P); a pressure outside 0.00611 bar to 221.2 bar,
// both included, PressureOutOfRange with the range in the unit typed; a
// fluid other than saturated water NoPressureColumn.
VANTOREL_API SaturationResult SaturationAt(const Fluid& fluid, std::string_view pressure,
                                           TextOptions options = {}) noexcept;

// The properties of the fluid at the saturation temperature of `pressure`:
// the ordinary look-up at the rounded T_sat, so the same reading as
// LookUp(fluid, SaturationAt(fluid, pressure)->T).
VANTOREL_API Result LookUpPressure(std::string_view fluid, std::string_view pressure, TextOptions options = {}) noexcept;
VANTOREL_API Result LookUpPressure(const Fluid& fluid, std::string_view pressure, TextOptions options = {}) noexcept;

// The saturation line's range in `unit`, "0.00611 bar to 221.2 bar": exact
// where the unit allows, else with two digits more than the book prints,
// rounded inwards so that every pressure shown lies within it.
VANTOREL_API std::string PressureRangeText(PressureUnit unit, std::string_view decimalMark = ".");

// How T_sat is found by hand, one step a line:
//   P = 1 atm = 1.01325 bar
//   P = 1.01325 bar lies between the rows at 370 K (0.9040 bar) and 373.15 K (1.0133 bar)
//   T_sat = 370 + (1.01325 − 0.9040)/(1.0133 − 0.9040) × (373.15 − 370) = 373.1486 → 373.15 K
VANTOREL_API std::string SaturationWorking(const Saturation& saturation);

// ---------------------------------------------------------------------------
// Units.

// The units values are given in.
enum class UnitSystem : std::uint8_t {
  Book,  // the book's columns, as the window shows them: "189.3E-7" N·s/m²
  SI,    // SI base units: 1.893e-05 Pa·s
  // What a heat-transfer engineer reads most easily: kg/m³, kJ/(kg·K),
  // mPa·s, mm²/s, W/(m·K), 1/K, kPa, m³/kg, kJ/kg, mN/m; T in °C beside K.
  Engineering,
  // US customary: lbm/ft³, Btu/(lbm·°F), lbm/(ft·h), ft²/h, Btu/(h·ft·°F),
  // 1/°R, psia, ft³/lbm, Btu/lbm, lbf/ft; T in °F.
  US,
};

// "book", "si", "engineering", "us".
VANTOREL_API std::string_view UnitSystemName(UnitSystem system) noexcept;

// The system named `name` in any case ("US", "si"), or nothing.
VANTOREL_API std::optional<UnitSystem> UnitSystemNamed(std::string_view name) noexcept;

// The unit a temperature is given in: kelvin for the book and SI, °C for
// engineering, °F for US.
VANTOREL_API TemperatureUnit TemperatureUnitOf(UnitSystem system) noexcept;

struct UnitName {
  std::string_view text;   // "lbm/ft³", "Btu/(lbm·°F)"; empty for a pure number
  std::string_view ascii;  // "lbm/ft^3", "Btu/(lbm*degF)"; "-" for a pure number
};

// The unit of `property`'s values in `system`; for the book, the unit of
// its column (whose values are scaled by 10^power).
VANTOREL_API UnitName UnitOf(const PropertyInfo& property, UnitSystem system) noexcept;

// A property's value in a system of units.
struct Quantity {
  ValueState state = ValueState::NoValue;
  double value = std::numeric_limits<double>::quiet_NaN();  // the double nearest the decimal; NaN, or +inf
  UnitName unit{};
  std::array<char, 32> chars{};  // the text, not NUL-terminated
  std::uint8_t size = 0;

  // "0.070425", "----", "INFINITE"; for the book the window's text
  // ("189.3E-7"), for SI the shortest text of the SI value ("1.893e-05").
  std::string_view text() const noexcept { return {chars.data(), size}; }
};

// `property` in `system`. Converted values are the book's rounded decimal
// times exact factors (lbm = 0.45359237 kg, ft = 0.3048 m, Btu =
// 1055.05585262 J, °R = 5/9 K, h = 3600 s, lbf = 4.4482216152605 N, psi =
// 6894.757293168 Pa), worked out exactly and rounded half-even to as many
// significant digits as that decimal has (1.1281 has 5, 16.90 has 4), so no
// digit the book does not vouch for; their texts keep those digits, trailing
// zeros included ("0.070425", "0.2405"). "----" and "INFINITE" stay.
VANTOREL_API Quantity ValueIn(const Property& property, UnitSystem system) noexcept;

// How a student works out `property` of `reading` by hand from the book, in
// one line, in the book's scale (the table's column heading, "μ·10⁷"):
//   ρ = 1.1614 + (310 − 300)/(350 − 300) × (0.9950 − 1.1614) = 1.12812 → 1.1281
//   ν·10⁷ = 0.8343 (the row at 1033 K) → 0.834
//   β·10³ = 1000/310 = 3.2258 → 3.23
//   c_p: no value (the book has none at 977 K)
// Cells are written as the book prints them, the result with the decimals it
// is rounded to; where the window's text drops that result's trailing zeros
// the line says so: "... → 16.90 (shown as 16.9E-6, without its trailing zero)".
VANTOREL_API std::string Working(const Reading& reading, const Property& property);

// The ids of the fluids nearest to `name`, for "did you mean", best first
// and at most `most`: by alias, by part of a name, then by spelling.
VANTOREL_API std::vector<std::string_view> ClosestIds(std::string_view name, std::size_t most = 3);

// ---------------------------------------------------------------------------
// For many temperatures at once.

// The number of properties `fluid`'s category shows (the count of a reading).
VANTOREL_API int PropertyCount(const Fluid& fluid) noexcept;

// The SI values of a reading's properties, in the same order, written to
// out[0 .. PropertyCount(fluid)); NaN where there is no value, +inf where it
// is infinite. False when T is not finite or outside the range: `out` is
// then all NaN.
VANTOREL_API bool LookUpValues(const Fluid& fluid, double T, double* out) noexcept;

// Room for the text of any property: a shortest double and a power of ten.
inline constexpr std::size_t kTextSize = 48;

// The window's texts of `fluid`'s properties at T ("189.3E-7", "----",
// "INFINITE"), without allocating: property i's text at out + i·kTextSize,
// its length in lengths[i] (out has PropertyCount(fluid)·kTextSize bytes).
// False when T is not finite or outside the range: every length is then 0.
VANTOREL_API bool LookUpTexts(const Fluid& fluid, double T, char* out, std::size_t* lengths) noexcept;

// ---------------------------------------------------------------------------
// Sweeps: from A to B in steps of S, worked out in decimal.

// Room enough for the text of any sweep row.
inline constexpr std::size_t kSweepTextSize = 64;

// Row i is the decimal A + i·S in the sweep's unit, and its temperature the
// double nearest that decimal's exact value in kelvin: 273.15 + 2 · 0.1 is
// the double nearest 273.35, the one "273.35" reads as, which adding in
// binary need not give. The first row is always A. B is the last row when
// (B - A) / S lies within a millionth of a whole number; otherwise the last
// row is the last step point below B.
class Sweep {
 public:
  std::size_t count() const noexcept { return count_; }

  // Row i in kelvin.
  VANTOREL_API double At(std::size_t i) const noexcept;

  // Writes row i in kelvin as text at `out` (kSweepTextSize bytes of room)
  // and returns the end: the decimal itself ("273.35") for a sweep in kelvin
  // or °C, the shortest text of the double for one in °F, whose kelvin need
  // not end.
  VANTOREL_API char* WriteText(char* out, std::size_t i) const noexcept;

  // The unit the sweep was typed in: °C when both ends were, °F, else K.
  TemperatureUnit unit() const noexcept {
    return fahrenheit_ ? TemperatureUnit::Fahrenheit : celsius_ ? TemperatureUnit::Celsius : TemperatureUnit::Kelvin;
  }

  // Writes row i in unit() as text, the decimal A + i·S itself ("36.9" for
  // a sweep in °C), like WriteText, and returns the end.
  VANTOREL_API char* WriteTyped(char* out, std::size_t i) const noexcept;

  // A whole number of units of 10^-scale; wide enough for 30 digits.
  __extension__ typedef __int128 Scaled;

  // How PlanSweep sets a sweep up; not for callers.
  struct Plan {
    bool fahrenheit;
    int scale;
    Scaled first, step, last, offset;
    std::size_t count;
    bool celsius;
  };
  // The default, an error's value: no rows.
  explicit Sweep(const Plan& plan = {false, 0, 0, 1, 0, 0, 0, false}) noexcept
      : fahrenheit_(plan.fahrenheit),
        celsius_(plan.celsius),
        scale_(plan.scale),
        first_(plan.first),
        step_(plan.step),
        last_(plan.last),
        offset_(plan.offset),
        count_(plan.count) {}

 private:
  Scaled Row(std::size_t i) const noexcept { return i + 1 == count_ ? last_ : first_ + static_cast<Scaled>(i) * step_; }

  bool fahrenheit_;
  bool celsius_;  // both ends typed in °C (the rows are kelvin)
  int scale_;
  Scaled first_, step_, last_;
  Scaled offset_;  // °F: 459.67, °C: 273.15, in units of 10^-scale
  std::size_t count_;
};

using SweepResult = Checked<Sweep>;

// Plans the sweep of `fluid` from `from` up to `to` in steps of `step`, each
// as typed: a decimal and an optional unit, read as ParseTemperature reads a
// temperature. Kelvin and °C ends go together and meet in kelvin, exactly;
// °F ends only with °F ends. The step counts the ends' degrees; with a unit
// it must be of their size (K or C between kelvin or °C ends, F between °F
// ends). Errors, in the order checked: a text that is no temperature
// (NotATemperature, input From, To or Step), UnitsDiffer, TooManyDigits,
// StepUnitMismatch, StepNotPositive, ToBelowFrom, TooManyRows (more than
// `maxRows`), then an end outside the fluid's range (OutOfRange, input From
// or To).
VANTOREL_API SweepResult PlanSweep(const Fluid& fluid, std::string_view from, std::string_view to,
                                   std::string_view step, std::size_t maxRows, TextOptions options = {}) noexcept;

// ---------------------------------------------------------------------------
// Rows of readings as text, written straight into the caller's buffer, so a
// million-row sweep allocates nothing per row.

enum class RowFormat : std::uint8_t {
  // "T,Rho,Cp,..." (the ids), then T as given and the window's texts:
  // 310,1.1281,1.007,189.3E-7,...; "----" and "INFINITE" as the window shows.
  Csv,
  // "T [K],rho [kg/m^3],cp [J/(kg*K)],..." (ASCII symbols and SI units), then
  // T and the SI values in shortest round-trip form: an empty cell where the
  // book has no value, "inf" where the value is infinite.
  SiCsv,
  // The Csv rows separated by tabs, for a spreadsheet, under a header that
  // gives each column's symbol and book unit: "T (K)\tρ (kg/m³)\t...".
  Tsv,
  // One JSON document: the fluid, its category, table, range and properties
  // (id: name, symbol, unit, siUnit), then "results", an array of one object
  // per row: {"T": 310.0, "properties": {"Rho": {"text": "1.1281", "state":
  // "value", "value": 1.1281, "unit": "kg/m³", "si": 1.1281}, ...}, "source":
  // {"table": "A.4", "rows": [300.0, 350.0], "corrected": false}}. "state" is
  // "value", "none" or "infinite"; "value" (in "unit") and "si" (in the SI
  // base unit) are numbers, or null where the state is not "value".
  Json,
};

class RowWriter {
 public:
  VANTOREL_API RowWriter(const Fluid& fluid, RowFormat format);
  // Rows in `units`, with T in `temperatureUnit` (the unit of the T texts
  // given to WriteRow). Csv and Tsv then name each column's unit in the
  // header ("T [°F],rho [lbm/ft^3],..." and "T (°F)\tρ (lbm/ft³)\t..."),
  // and Json gives "unit" in them, "units" at its head and, for a T not in
  // kelvin, "t": {"text", "unit"} beside "T". The book's units and kelvin
  // are the rows above; SiCsv is always in SI.
  VANTOREL_API RowWriter(const Fluid& fluid, RowFormat format, UnitSystem units, TemperatureUnit temperatureUnit);

  // What comes before the first row: the CSV or TSV header line, or the
  // JSON document's head.
  VANTOREL_API std::string Header() const;

  // The most bytes WriteRow takes for a T text of `tTextSize` bytes.
  VANTOREL_API std::size_t RowSize(std::size_t tTextSize) const noexcept;

  // Looks up `t`, which lies within the fluid's range, writes its row at
  // `out` (RowSize(tText.size()) bytes of room) with `tText` as its T, and
  // returns the end. Rows are numbered as they are written: JSON separates
  // them with commas.
  VANTOREL_API char* WriteRow(char* out, double t, std::string_view tText) noexcept;

  // What comes after the last row: "\n]}\n" for JSON, nothing for the rest.
  VANTOREL_API std::string Footer() const;

 private:
  const Fluid* fluid_;
  RowFormat format_;
  UnitSystem units_ = UnitSystem::Book;
  TemperatureUnit temperatureUnit_ = TemperatureUnit::Kelvin;
  std::size_t rows_ = 0;
};

// The catalog as one JSON document: {"categories": [{"name", "table",
// "properties": [{"id", "name", "symbol", "unit", "siUnit"}], "fluids":
// [{"id", "name", "aliases": [...], "range": {"Tmin", "Tmax", "text"}}]}]}.
VANTOREL_API std::string CatalogJson();

}  // namespace vantorel
