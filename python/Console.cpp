// What `python3 -m vantorel` asks the library besides lookup(): a
// temperature as typed, and a number as every door writes it.

#include "Binding.h"
#include "Readings.h"

namespace vantorel::python {

namespace {

// The reading at a temperature as typed ("310", "36.85 °C"), in a system of
// units, or ValueError with the library's sentence, which quotes the text.
PyObject* LookupTextFunction(PyObject*, PyObject* args) {
  return Guarded([&] {
    PyObject *fluid = nullptr, *typed = nullptr, *units = Py_None;
    if (!PyArg_ParseTuple(args, "OU|O:_lookup_text", &fluid, &typed, &units)) throw py::error_already_set();
    const Fluid& f = FluidOf(fluid);
    const std::optional<UnitSystem> system = UnitSystemOf(units);
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(typed, &size);
    if (!text) throw py::error_already_set();
    const Result r = LookUpText(f, {text, static_cast<std::size_t>(size)});
    if (!r) RaiseValueError(r.error().message());
    return py::cast(SingleReading{Shown(f, system), r->T, true, r.reading(), std::nullopt, std::nullopt});
  });
}

PyObject* NumberTextFunction(PyObject*, PyObject* value) {
  return Guarded([&] {
    const double v = PyFloat_AsDouble(value);
    if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
    return Text(NumberText(v));
  });
}

PyMethodDef functions[] = {
    {"_lookup_text", &LookupTextFunction, METH_VARARGS,
     "_lookup_text(fluid, text, units=None)\n--\n\nThe Reading at a temperature as typed: '310', '36.85 °C'."},
    {"_number_text", &NumberTextFunction, METH_O,
     "_number_text(value)\n--\n\nThe shortest text that reads back as value: '310', '1.893e-05'."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace

void RegisterConsole(py::module_& m) { AddFunctions(m, functions); }

}  // namespace vantorel::python
