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
// Every function here is re-entrant and noexcept, and any input is safe:
// NaN, infinities, empty or huge names give an error, never a crash.
// C++20, standard library only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "version.h"

// What the shared library exports: the declarations below and nothing else.
#if defined(__GNUC__) || defined(__clang__)
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

// The fluid that `name` stands for: its id, one of its aliases or its list
// text, ignoring case. Null when no fluid has that name, or when it could
// mean more than one ("nak": NaK 45 % or NaK 22 %).
VANTOREL_API const Fluid* FindFluid(std::string_view name) noexcept;

// ---------------------------------------------------------------------------
// A reading.

enum class ValueState : std::uint8_t {
  Value,     // a number
  NoValue,   // the book has no value here: the window shows "----"
  Infinite,  // the value is infinite (water at its critical point): "INFINITE"
};

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
  const Fluid* fluid;
  double T;  // kelvin
  Source source;
  std::array<Property, 14> shown;  // the first `count`, in the window's label order
  int count;

  std::span<const Property> properties() const noexcept { return {shown.data(), static_cast<std::size_t>(count)}; }
  // The property with this id ("Mu"), or null when the category shows none.
  VANTOREL_API const Property* find(std::string_view id) const noexcept;
};

// ---------------------------------------------------------------------------
// Errors.

enum class ErrorCode : std::uint8_t {
  UnknownFluid,    // no fluid has that name; closest() holds the nearest ids
  AmbiguousFluid,  // the name fits more than one fluid; closest() holds them
  NotFinite,       // T is NaN or infinite
  OutOfRange,      // T lies outside the fluid's range
};

struct Error {
  ErrorCode code;
  const Fluid* fluid = nullptr;  // NotFinite and OutOfRange: the fluid asked for
  double T = 0;                  // the temperature asked for
  std::array<std::string_view, 3> closestIds{};
  int closestCount = 0;
  std::array<char, 40> name{};  // the start of the name asked for
  std::size_t nameLength = 0;   // the whole name's length

  std::span<const std::string_view> closest() const noexcept {
    return {closestIds.data(), static_cast<std::size_t>(closestCount)};
  }
  // One line that says what is wrong: `unknown fluid "watr"; closest:
  // saturated-water`, `T = 5000 K is outside the range of Air, 100K <= T <= 3000K`.
  VANTOREL_API std::string message() const;
};

// A reading or the error that stopped it.
class Result {
 public:
  Result(const Reading& reading) noexcept : v_(reading) {}
  Result(const Error& error) noexcept : v_(error) {}

  bool ok() const noexcept { return v_.index() == 0; }
  explicit operator bool() const noexcept { return ok(); }

  // Only when ok(): else these throw std::bad_variant_access.
  const Reading& reading() const { return std::get<Reading>(v_); }
  const Reading& operator*() const { return reading(); }
  const Reading* operator->() const { return &reading(); }
  // Only when !ok().
  const Error& error() const { return std::get<Error>(v_); }

 private:
  std::variant<Reading, Error> v_;
};

// The properties of the fluid named `fluid` (id, alias or list text) at `T`
// kelvin, or why there are none.
VANTOREL_API Result LookUp(std::string_view fluid, double T) noexcept;
VANTOREL_API Result LookUp(const Fluid& fluid, double T) noexcept;

// How a student works out `property` of `reading` by hand from the book, in
// one line, in the book's scale (the table's column heading, "μ·10⁷"):
//   ρ = 1.1614 + (310 − 300)/(350 − 300) × (0.9950 − 1.1614) = 1.12812 → 1.1281
//   ν·10⁷ = 0.8343 (the row at 1033 K) → 0.834
//   β·10³ = 1000/310 = 3.2258 → 3.23
//   c_p: no value (the book has none at 977 K)
// Cells are written as the book prints them, the result with the decimals it
// is rounded to.
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

}  // namespace vantorel
