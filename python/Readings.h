#pragma once
// The two results of lookup(): one temperature (Reading) and an array of
// them (Readings).

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "Binding.h"

namespace vantorel::python {

// The most properties a category shows.
inline constexpr std::size_t kMostShown = std::tuple_size_v<decltype(Reading::shown)>;

// What both results share: the fluid and the properties its category shows,
// in the window's order, which is also the order of a reading's values.
struct Shown {
  const Fluid* fluid;
  std::span<const PropertyInfo> info;

  explicit Shown(const Fluid& f) : fluid(&f), info(PropertiesOf(f)) {}
  int Count() const { return static_cast<int>(info.size()); }
  const std::string& Key(int i) const { return KeyOf(info[i]); }
};

struct SingleReading : Shown {
  double T;
  bool inRange;
  Reading reading;  // empty unless inRange
};

struct ArrayReadings : Shown {
  py::array_t<double> T;                    // read-only, C order
  std::vector<py::array_t<double>> values;  // one read-only array per property, in the window's order
  py::object index;                         // the pandas index T came with, or None
  bool indexIsT;                            // T came as that pandas Index
  int threads;                              // as many as the look-up could use
  py::object text, source;                  // made when first asked for
};

// The texts of every temperature: per property a read-only str array shaped
// like T, empty where T is outside the range.
py::object TextsOf(const ArrayReadings& r);

// Source(table, rows, corrected) of every temperature.
py::object SourcesOf(const ArrayReadings& r);

}  // namespace vantorel::python
