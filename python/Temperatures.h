#pragma once
// T as lookup() takes it: a real number or an array of them, in kelvin.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>

namespace vantorel::python {

namespace py = pybind11;

struct Temperatures {
  bool single = true;
  double kelvin = 0;          // when single
  py::array_t<double> array;  // otherwise: a read-only, C-ordered float64 copy of T's shape
  // A pandas Series' index (its labels), or the pandas Index given as T;
  // else None.
  py::object index = py::none();
  bool indexIsT = false;  // the Index was T itself
};

// A float, an int, a NumPy scalar of a real type, or anything else with
// __float__ and no length (Decimal, Fraction) is one temperature; anything
// NumPy reads as an array of such numbers (a list, an array of any shape, a
// pandas Series or Index) is many. A pint Quantity is converted to kelvin
// first, by pint. Raises TypeError for anything else: text, complex numbers,
// booleans, None, a quantity that is no temperature.
Temperatures TemperaturesOf(py::handle T);

// One real number, or nothing for what is not one (booleans and complex
// numbers, though each converts to float; text; sequences).
std::optional<double> RealOf(py::handle x);

// The index of `x` when it is a pandas Series, else None.
py::object SeriesIndexOf(py::handle x);

// NumPy, imported once for the interpreter's life.
const py::module_& NumPy();

}  // namespace vantorel::python
