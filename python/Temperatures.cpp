#include "Temperatures.h"

#include <optional>
#include <string>

#include "Binding.h"

namespace vantorel::python {

namespace {

[[noreturn]] void Refuse(py::handle T) {
  throw py::type_error("T must be a number or an array of numbers in kelvin, not " + TypeName(T));
}

// A module if the program has imported it, else None: T cannot be one of
// its objects then, and looking needs no import.
py::object Imported(const char* name) {
  PyObject* module = PyImport_GetModule(py::str(name).ptr());
  if (!module) {
    if (PyErr_Occurred()) throw py::error_already_set();
    return py::none();
  }
  return py::reinterpret_steal<py::object>(module);
}

bool IsInstance(py::handle object, const py::object& module, const char* type) {
  return !module.is_none() && py::isinstance(object, module.attr(type));
}

}  // namespace

const py::module_& NumPy() {
  static const py::module_* numpy = new py::module_(py::module_::import("numpy"));  // for the interpreter's life
  return *numpy;
}

std::optional<double> RealOf(py::handle x) {
  PyObject* p = x.ptr();
  if (PyFloat_Check(p)) return PyFloat_AS_DOUBLE(p);
  if (PyBool_Check(p) || PyComplex_Check(p) || PyUnicode_Check(p) || PyBytes_Check(p)) return std::nullopt;
  if (!PyLong_Check(p)) {
    if (py::isinstance(x, NumPy().attr("generic"))) {
      const char kind = x.attr("dtype").cast<py::dtype>().kind();
      if (kind != 'f' && kind != 'i' && kind != 'u') return std::nullopt;
    } else if (py::hasattr(x, "__len__") || py::hasattr(x, "__iter__") || !py::hasattr(x, "__float__")) {
      return std::nullopt;
    }
  }
  const double v = PyFloat_AsDouble(p);
  if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
  return v;
}

namespace {

// A pint Quantity in kelvin, as pint converts it (degrees Celsius and
// Fahrenheit included); a quantity of anything else is no temperature.
py::object InKelvin(py::handle quantity) {
  try {
    return quantity.attr("to")("kelvin").attr("magnitude");
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_TypeError)) throw;  // pint's DimensionalityError is one
    py::raise_from(
        e, PyExc_TypeError,
        ("T must be a temperature, not a quantity in " + py::str(quantity.attr("units")).cast<std::string>()).c_str());
    throw py::error_already_set();
  }
}

py::array_t<double> ArrayOf(py::handle T) {
  const py::array given = NumPy().attr("asarray")(T);
  const char kind = given.dtype().kind();
  if (kind == 'O') {
    // float() would read "310" as a number: look at each element.
    for (const py::handle x : given.attr("flat"))
      if (!RealOf(x)) throw py::type_error("T must be real numbers in kelvin, not an array holding " + TypeName(x));
  } else if (kind != 'f' && kind != 'i' && kind != 'u') {
    throw py::type_error("T must be real numbers in kelvin, not an array of " +
                         py::str(given.dtype()).cast<std::string>());
  }
  py::array_t<double> t =
      NumPy().attr("array")(given, py::arg("dtype") = "float64", py::arg("order") = "C", py::arg("copy") = true);
  t.attr("setflags")(py::arg("write") = false);
  return t;
}

}  // namespace

py::object SeriesIndexOf(py::handle x) {
  const py::object pandas = Imported("pandas");
  return IsInstance(x, pandas, "Series") ? py::object(x.attr("index")) : py::none();
}

Temperatures TemperaturesOf(py::handle T) {
  if (T.is_none() || PyUnicode_Check(T.ptr()) || PyBytes_Check(T.ptr())) Refuse(T);
  py::object t = py::reinterpret_borrow<py::object>(T);
  if (IsInstance(t, Imported("pint"), "Quantity")) t = InKelvin(t);
  Temperatures temperatures;
  if (PyFloat_Check(t.ptr())) {  // the common case first
    temperatures.kelvin = PyFloat_AS_DOUBLE(t.ptr());
    return temperatures;
  }
  if (!py::isinstance<py::array>(t)) {
    if (const std::optional<double> v = RealOf(t)) {
      temperatures.kelvin = *v;
      return temperatures;
    }
    if (PyBool_Check(t.ptr()) || PyComplex_Check(t.ptr()) || py::isinstance(t, NumPy().attr("generic"))) Refuse(t);
    const py::object pandas = Imported("pandas");
    if (IsInstance(t, pandas, "Series"))
      temperatures.index = t.attr("index");
    else if (IsInstance(t, pandas, "Index"))
      temperatures.index = t, temperatures.indexIsT = true;
  }
  temperatures.single = false;
  temperatures.array = ArrayOf(t);
  return temperatures;
}

}  // namespace vantorel::python
