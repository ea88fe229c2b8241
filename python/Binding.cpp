#include "Binding.h"

#include <array>

namespace vantorel::python {

Types types;

py::str Text(std::string_view text) {
  // The library's texts are valid UTF-8; were a byte not, it would read as
  // U+FFFD instead of raising a second exception.
  PyObject* s = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
  if (!s) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(s);
}

py::object ReadOnly(const py::dict& d) { return py::module_::import("types").attr("MappingProxyType")(d); }

PyObject* NamedTuple(const char* name, const py::tuple& fields, const char* doc) {
  py::object type = py::module_::import("collections").attr("namedtuple")(name, fields, py::arg("module") = "vantorel");
  type.attr("__doc__") = doc;
  return type.release().ptr();
}

std::string TypeName(py::handle object) { return py::str(py::type::of(object).attr("__name__")).cast<std::string>(); }

const std::string& KeyOf(const PropertyInfo& property) {
  static const std::array<std::string, kSlotCount> keys = [] {
    std::array<std::string, kSlotCount> lower;
    for (int i = 0; i < kSlotCount; ++i)
      for (char c : SlotName(static_cast<Slot>(i)))
        lower[i] += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
  }();
  return keys[Index(property.slot)];
}

void RaiseUnknownFluid(const Error& error, py::handle name) {
  const std::span<const std::string_view> ids = error.closest();
  py::tuple closest(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) closest[i] = Text(ids[i]);
  py::object exception = py::handle(types.unknownFluidError)(Text(error.message()));
  exception.attr("name") = name;  // the caller's own object: the message may cut it short
  exception.attr("closest") = closest;
  PyErr_SetObject(types.unknownFluidError, exception.ptr());
  throw py::error_already_set();
}

void RaiseValueError(std::string_view message) {
  PyErr_SetObject(PyExc_ValueError, Text(message).ptr());
  throw py::error_already_set();
}

const Fluid& FluidOf(py::handle fluid) {
  if (py::isinstance<Fluid>(fluid)) return fluid.cast<const Fluid&>();
  if (!PyUnicode_Check(fluid.ptr()))
    throw py::type_error("fluid must be a str (an id, an alias or a list text) or a vantorel.Fluid, not " +
                         TypeName(fluid));
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(fluid.ptr(), &size);
  if (!utf8) throw py::error_already_set();
  const FluidResult found = ResolveFluid({utf8, static_cast<std::size_t>(size)});
  if (!found) RaiseUnknownFluid(found.error(), fluid);
  return **found;
}

std::optional<UnitSystem> UnitSystemOf(py::handle units) {
  if (units.is_none()) return std::nullopt;
  const auto name = [](UnitSystem s) { return std::string(UnitSystemName(s)); };
  const std::string names = "'" + name(UnitSystem::Book) + "', '" + name(UnitSystem::SI) + "', '" +
                            name(UnitSystem::Engineering) + "' or '" + name(UnitSystem::US) + "'";
  if (!PyUnicode_Check(units.ptr()))
    throw py::type_error("units must be " + names + " (or None), not " + TypeName(units));
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(units.ptr(), &size);
  if (!utf8) throw py::error_already_set();
  const std::optional<UnitSystem> system = UnitSystemNamed({utf8, static_cast<std::size_t>(size)});
  if (!system) RaiseValueError("units must be " + names + ", not " + py::repr(units).cast<std::string>());
  return system;
}

void AddFunctions(py::module_& m, PyMethodDef* functions) {
  if (PyModule_AddFunctions(m.ptr(), functions) != 0) throw py::error_already_set();
}

}  // namespace vantorel::python
