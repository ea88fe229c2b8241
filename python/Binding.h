#pragma once
// What the parts of vantorel._vantorel share: texts to Python, the module's
// own exception and record types, the fluid a name stands for, and module
// functions that pickle by name.

#include <pybind11/pybind11.h>

#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include <vantorel/vantorel.h>

namespace vantorel::python {

namespace py = pybind11;

// A Python str from the library's UTF-8.
py::str Text(std::string_view text);

// A read-only view of `d` (types.MappingProxyType).
py::object ReadOnly(const py::dict& d);

// The module's named tuple type `name` (collections.namedtuple) with
// `fields` and the docstring `doc`, as a new reference for the module's
// types, which live as long as the interpreter.
PyObject* NamedTuple(const char* name, const py::tuple& fields, const char* doc);

// The name of the type of `object`: "str", "complex".
std::string TypeName(py::handle object);

// The key of a property in a reading: its id in lower case ("mu", "sigmaf").
const std::string& KeyOf(const PropertyInfo& property);

// The fluid that `fluid` names: a Fluid from fluids(), or a str the library
// resolves. Raises UnknownFluidError or TypeError.
const Fluid& FluidOf(py::handle fluid);

// The system of units `units` names: "book", "si", "engineering" or "us" in
// any case, as the library reads the name; None gives nothing (SI values
// with the window's texts). Raises TypeError or ValueError.
std::optional<UnitSystem> UnitSystemOf(py::handle units);

// What each property `fluid`'s readings hold is: a read-only mapping from
// its key to a Property named tuple, in the window's order.
py::object PropertyMap(const Fluid& fluid);

// The types the module makes when it is imported (vantorel.UnknownFluidError,
// the named tuples Source, Property and Saturation). They live as long as
// the interpreter.
struct Types {
  PyObject* unknownFluidError = nullptr;
  PyObject* source = nullptr;
  PyObject* property = nullptr;
  PyObject* saturation = nullptr;
};
extern Types types;

// Raises UnknownFluidError for the library's `error` about the caller's `name`.
[[noreturn]] void RaiseUnknownFluid(const Error& error, py::handle name);

// Raises ValueError with `message`.
[[noreturn]] void RaiseValueError(std::string_view message);

// What `call` returns as a new reference, or null with the Python error set
// from whatever it threw: the body of a function CPython calls directly.
template <typename Call>
PyObject* Guarded(const Call& call) noexcept {
  try {
    return call().release().ptr();
  } catch (py::error_already_set& e) {
    e.restore();
  } catch (const py::builtin_exception& e) {
    e.set_error();
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (const std::exception& e) {
    PyErr_SetString(PyExc_RuntimeError, e.what());
  }
  return nullptr;
}

// The module's functions are CPython's own kind, bound to the module, so
// that pickle saves them by name (pybind11's hang off a capsule, which it
// cannot save): a process pool can then send vantorel.lookup to its
// workers. Each is defined with PyArg_ParseTupleAndKeywords in its file.
void AddFunctions(py::module_& m, PyMethodDef* functions);

void RegisterFluids(py::module_& m);
void RegisterReadings(py::module_& m);
void RegisterPressures(py::module_& m);
void RegisterConsole(py::module_& m);

}  // namespace vantorel::python
