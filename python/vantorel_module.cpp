// vantorel._vantorel: the checked look-up of <vantorel/vantorel.h> for
// Python. It only converts: names, temperatures, pressures and unit systems
// in; values, texts, units and source rows out; errors as Python exceptions. Every value, text,
// name rule and wording comes from the library: nothing here knows a table,
// a rounding rule or a unit factor.
//
//   Fluids.cpp        Fluid, fluids(), Property
//   Readings.cpp      lookup(), Reading and Readings
//   Pressures.cpp     lookup() at a pressure, Saturation
//   Temperatures.cpp  what T may be
//   Texts.cpp         the texts and sources of arrays
//   Chunks.h          arrays shared out among threads, stopped by Ctrl-C
//   Console.cpp       what `python3 -m vantorel` needs besides

#include <pybind11/pybind11.h>

#include "Binding.h"

namespace py = pybind11;
using namespace vantorel::python;

PYBIND11_MODULE(_vantorel, m) {
  py::options options;
  options.disable_function_signatures();  // each docstring starts with its own
  m.attr("__version__") = Text(vantorel::Version());

  types.unknownFluidError = PyErr_NewExceptionWithDoc(
      "vantorel.UnknownFluidError",
      "No fluid has the name asked for, or it fits more than one.\n\n"
      "A KeyError; .name is the name asked for, .closest the ids of the nearest fluids, best first.",
      PyExc_KeyError, nullptr);
  if (!types.unknownFluidError) throw py::error_already_set();
  // KeyError shows its argument as a repr, in quotes; this one is a sentence.
  py::handle(types.unknownFluidError).attr("__str__") =
      py::cpp_function([](py::handle self) { return py::str(py::tuple(self.attr("args"))[0]); },
                       py::is_method(py::handle(types.unknownFluidError)));
  m.attr("UnknownFluidError") = py::handle(types.unknownFluidError);

  types.source = NamedTuple("Source", py::make_tuple("table", "rows", "corrected"),
                            "Where a reading comes from: the book's table ('A.4'), the rows interpolated\n"
                            "between and whether one of their cells is a corrected misprint.\n\n"
                            "For one temperature, rows is (lower, upper), or (row,) at a row's own\n"
                            "temperature, or () outside the range; corrected is a bool. For an array, rows\n"
                            "is an array of T's shape plus a last axis of 2 (lower, upper; the same row\n"
                            "twice at a row's own temperature, NaN outside the range) and corrected a bool\n"
                            "array of T's shape.");
  m.attr("Source") = py::handle(types.source);

  RegisterFluids(m);
  RegisterReadings(m);
  RegisterPressures(m);
  RegisterConsole(m);
}
