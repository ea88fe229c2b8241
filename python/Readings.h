#pragma once
// The two results of lookup(): one temperature (Reading) and an array of
// them (Readings), looked up at T or at the saturation temperature of P.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "Binding.h"
#include "Temperatures.h"

namespace vantorel::python {

// The most properties a category shows.
inline constexpr std::size_t kMostShown = std::tuple_size_v<decltype(Reading::shown)>;

// What both results share: the fluid, the properties its category shows,
// in the window's order, which is also the order of a reading's values, and
// the units they are given in.
struct Shown {
  const Fluid* fluid;
  std::span<const PropertyInfo> info;
  // The system asked for; none: SI values with the window's texts.
  std::optional<UnitSystem> units;

  Shown(const Fluid& f, std::optional<UnitSystem> u) : fluid(&f), info(PropertiesOf(f)), units(u) {}
  int Count() const { return static_cast<int>(info.size()); }
  const std::string& Key(int i) const { return KeyOf(info[i]); }
  std::string_view UnitText(int i) const { return units ? UnitOf(info[i], *units).text : info[i].siUnit; }
  TemperatureUnit TemperatureUnitShown() const { return units ? TemperatureUnitOf(*units) : TemperatureUnit::Kelvin; }
};

struct SingleReading : Shown {
  double T;
  bool inRange;
  Reading reading;  // empty unless inRange
  // Looked up at a pressure: the text the library read, and what it found
  // (nothing when it refused the pressure).
  std::optional<std::string> pressure;
  std::optional<Saturation> saturation;
};

struct ArrayReadings : Shown {
  py::array_t<double> T;                    // read-only, C order
  std::vector<py::array_t<double>> values;  // one read-only array per property, in the window's order
  py::object index;                         // the pandas index T came with, or None
  bool indexIsT;                            // T came as that pandas Index
  int threads;                              // as many as the look-up could use
  // Looked up at pressures: the texts the library read, a str array shaped
  // like T; else None.
  py::object pressures = py::none();
  py::object text = py::none(), source = py::none(), saturation = py::none(),
             tText = py::none();  // made when first asked for
};

// The reading at T kelvin; ValueError in the library's words for a T it
// refuses when boundsError, else a reading of NaNs.
SingleReading LookUpSingle(const Fluid& fluid, double T, std::optional<UnitSystem> units, bool boundsError);

// The readings at every temperature of `given`, on `threads` threads;
// refused temperatures as LookUpSingle, the error naming how many and the
// first.
ArrayReadings LookUpArray(const Fluid& fluid, Temperatures&& given, std::optional<UnitSystem> units, bool boundsError,
                          int threads);

// Raises ValueError: "2 of 4 temperatures cannot be looked up, the first
// at index 2: " and the library's sentence about that one, for `count` of
// the elements of an array of `shape`, `noun` naming them.
[[noreturn]] void RaiseRefused(std::size_t count, std::size_t first, const py::array& shape, std::string_view noun,
                               const std::string& sentence);

// The readings at the saturation temperatures of P (a text with its unit,
// a number with pressureUnit, or an array of either).
py::object LookUpPressure(const Fluid& fluid, py::handle P, py::handle pressureUnit, std::optional<UnitSystem> units,
                          bool boundsError, py::handle threads);

// Saturation(T, P, typed, unit, rows, working) of one pressure, and of every pressure
// of an array.
py::object SaturationOf(const Saturation& saturation);
py::object SaturationsOf(const ArrayReadings& r);

// The texts of every temperature: per property a read-only str array shaped
// like T, empty where T is outside the range.
py::object TextsOf(const ArrayReadings& r);

// Source(table, rows, corrected) of every temperature.
py::object SourcesOf(const ArrayReadings& r);

}  // namespace vantorel::python
