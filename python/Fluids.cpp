// vantorel.Fluid, fluids(), and what each property is (vantorel.Property).

#include <vector>

#include "Binding.h"

namespace vantorel::python {

py::object PropertyMap(const Fluid& fluid) {
  // One mapping per category, made when first asked for and kept.
  static std::vector<py::object*> made(Categories().size(), nullptr);
  py::object*& map = made[static_cast<std::size_t>(&CategoryOf(fluid) - Categories().data())];
  if (!map) {
    py::dict byKey;
    for (const PropertyInfo& p : PropertiesOf(fluid)) {
      const py::str key = Text(KeyOf(p));
      byKey[key] =
          py::handle(types.property)(key, Text(p.id), Text(p.name), Text(p.symbol), Text(p.bookUnit), Text(p.siUnit));
    }
    map = new py::object(ReadOnly(byKey));  // for the interpreter's life
  }
  return *map;
}

namespace {

py::object FluidObject(const Fluid& fluid) { return py::cast(&fluid, py::return_value_policy::reference); }

PyObject* FluidsFunction(PyObject*, PyObject*) {
  return Guarded([] {
    py::list all;
    for (const Category& category : Categories())
      for (const Fluid& fluid : category.fluids) all.append(FluidObject(fluid));
    return all;
  });
}

// A pickled Fluid: the fluid of this id.
PyObject* FluidFunction(PyObject*, PyObject* id) {
  return Guarded([&] { return FluidObject(FluidOf(id)); });
}

PyMethodDef functions[] = {
    {"fluids", &FluidsFunction, METH_NOARGS,
     "fluids()\n--\n\n"
     "Every fluid that lookup() knows, in the calculator's list order: its id,\n"
     "name, category, the book's table, its range t_min to t_max in kelvin (both\n"
     "ends included), its aliases and its properties."},
    {"_fluid", &FluidFunction, METH_O, "_fluid(id)\n--\n\nThe fluid of this id: a pickled Fluid."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace

void RegisterFluids(py::module_& m) {
  types.property = NamedTuple("Property", py::make_tuple("key", "id", "name", "symbol", "book_unit", "si_unit"),
                              "What a property is: its key in a reading ('mu'), the library's id ('Mu'), its\n"
                              "name ('dynamic viscosity'), its symbol ('μ'; an underscore starts a subscript:\n"
                              "'c_p,f'), the unit of the book's column ('N·s/m²') and the SI base unit of the\n"
                              "values ('Pa·s'); both units are '' for a pure number.");
  m.attr("Property") = py::handle(types.property);

  py::class_<Fluid>(m, "Fluid", "A fluid of the tables, as fluids() lists it.")
      .def_property_readonly(
          "id", [](const Fluid& f) { return Text(f.id); }, "'carbon-dioxide'")
      .def_property_readonly(
          "name", [](const Fluid& f) { return Text(f.name); }, "'Carbon Dioxide (CO2)'")
      .def_property_readonly(
          "category", [](const Fluid& f) { return Text(CategoryOf(f).name); },
          "The category as the calculator lists it: 'Gases at Atmoshperic Pressure'.")
      .def_property_readonly(
          "table", [](const Fluid& f) { return Text(CategoryOf(f).table); }, "The book's table: 'A.4'.")
      .def_property_readonly(
          "t_min", [](const Fluid& f) { return f.Tmin; }, "The lowest temperature, kelvin.")
      .def_property_readonly(
          "t_max", [](const Fluid& f) { return f.Tmax; }, "The highest temperature, kelvin.")
      .def_property_readonly(
          "aliases",
          [](const Fluid& f) {
            py::tuple aliases(f.aliases.size());
            for (std::size_t i = 0; i < f.aliases.size(); ++i) aliases[i] = Text(f.aliases[i]);
            return aliases;
          },
          "Other names lookup() takes: ('co2',).")
      .def_property_readonly(
          "properties",
          [](const Fluid& f) {
            const std::span<const PropertyInfo> info = PropertiesOf(f);
            py::tuple keys(info.size());
            for (std::size_t i = 0; i < info.size(); ++i) keys[i] = Text(KeyOf(info[i]));
            return keys;
          },
          "The keys of its readings, in the calculator's order: ('rho', 'cp', ...).\n"
          "property_info says what each is.")
      .def_property_readonly("property_info", &PropertyMap,
                             "What each property is: key -> Property(key, id, name, symbol, book_unit,\n"
                             "si_unit), in the calculator's order; the same as a reading's .properties.")
      .def("__eq__",
           [](const Fluid& a, py::handle b) { return py::isinstance<Fluid>(b) && &a == &b.cast<const Fluid&>(); })
      .def("__hash__", [](const Fluid& f) { return py::hash(Text(f.id)); })
      .def("__reduce__",
           [](const Fluid& f) {
             return py::make_tuple(py::module_::import("vantorel._vantorel").attr("_fluid"),
                                   py::make_tuple(Text(f.id)));
           })
      .def("__repr__", [](const Fluid& f) {
        return py::str("Fluid({!r}, {!r}, t_min={!r}, t_max={!r})").format(Text(f.id), Text(f.name), f.Tmin, f.Tmax);
      });

  AddFunctions(m, functions);
}

}  // namespace vantorel::python
