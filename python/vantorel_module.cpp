// vantorel._vantorel: the checked look-up of <vantorel/vantorel.h> for
// Python. This file only converts: names and temperatures in; SI values,
// texts, units and source rows out; errors as Python exceptions. Every value,
// text and range comes from the library: nothing here knows a table, a
// rounding rule or a unit factor.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "CsvRows.h"
#include <vantorel/vantorel.h>

namespace py = pybind11;

namespace {

using vantorel::Fluid;
using vantorel::Property;
using vantorel::Reading;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The keys of a reading: each property's id in lower case ("mu", "sigmaf").
const std::array<std::string, vantorel::kSlotCount>& LowerIds() {
  static const std::array<std::string, vantorel::kSlotCount> ids = [] {
    std::array<std::string, vantorel::kSlotCount> lower;
    for (int i = 0; i < vantorel::kSlotCount; ++i)
      for (char c : vantorel::SlotName(static_cast<vantorel::Slot>(i)))
        lower[i] += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
  }();
  return ids;
}

const std::string& KeyOf(const Property& p) { return LowerIds()[vantorel::Index(p.slot)]; }

// A Python str from the library's UTF-8. Its texts are valid UTF-8; were a
// byte not, it would read as U+FFFD instead of raising a second exception.
py::str Text(std::string_view text) {
  PyObject* s = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
  if (!s) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(s);
}

py::object ReadOnly(const py::dict& d) { return py::module_::import("types").attr("MappingProxyType")(d); }

// ---------------------------------------------------------------------------
// Errors.

// vantorel.UnknownFluidError and vantorel.Source, made when the module is
// imported. They live as long as the interpreter, so they are never released.
PyObject* unknownFluidError = nullptr;
PyObject* sourceType = nullptr;

[[noreturn]] void RaiseUnknownFluid(const vantorel::Error& error, py::handle name) {
  py::tuple closest(error.closestCount);
  for (int i = 0; i < error.closestCount; ++i) closest[i] = Text(error.closestIds[i]);
  py::object exception = py::handle(unknownFluidError)(Text(error.message()));
  exception.attr("name") = name;
  exception.attr("closest") = closest;
  PyErr_SetObject(unknownFluidError, exception.ptr());
  throw py::error_already_set();
}

[[noreturn]] void RaiseTemperature(const vantorel::Error& error) {
  PyErr_SetObject(PyExc_ValueError, Text(error.message()).ptr());
  throw py::error_already_set();
}

// The fluid that `fluid` names: a Fluid from fluids(), or a str that is an
// id, an alias or a list text in any case.
const Fluid& FluidOf(py::handle fluid) {
  if (py::isinstance<Fluid>(fluid)) return fluid.cast<const Fluid&>();
  if (!PyUnicode_Check(fluid.ptr()))
    throw py::type_error("fluid must be a str (an id, an alias or a list text) or a vantorel.Fluid, not " +
                         py::type::of(fluid).attr("__name__").cast<std::string>());
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(fluid.ptr(), &size);
  if (!utf8) throw py::error_already_set();
  const std::string_view name(utf8, static_cast<std::size_t>(size));
  if (const Fluid* found = vantorel::FindFluid(name)) return *found;
  RaiseUnknownFluid(vantorel::LookUp(name, kNaN).error(), fluid);
}

// ---------------------------------------------------------------------------
// The two results: one temperature, and many.

// The properties a fluid's category shows, in the window's order: a reading
// at the bottom of its range, for its ids and units.
Reading LayoutOf(const Fluid& fluid) { return *vantorel::LookUp(fluid, fluid.Tmin); }

// What both results share: the fluid and the properties it shows.
struct Shown {
  Reading reading;  // for an array, or outside the range (bounds_error=False), a layout: only ids and units count

  const Fluid& fluid() const { return *reading.fluid; }
  int Count() const { return reading.count; }
  const Property& At(int i) const { return reading.shown[i]; }
};

struct SingleReading : Shown {
  bool inRange;

  py::object Value(int i) const { return py::float_(inRange ? At(i).value : kNaN); }
};

struct ArrayReadings : Shown {
  py::array_t<double> T;           // a read-only copy of the temperatures asked for, C order
  std::vector<py::object> values;  // views of one block, in the window's order
  py::object text, source;         // made when first asked for

  py::object Value(int i) const { return values[i]; }
};

template <typename R>
int IndexOf(const R& r, py::handle key) {
  if (!PyUnicode_Check(key.ptr())) return -1;
  const std::string k = key.cast<std::string>();
  for (int i = 0; i < r.Count(); ++i)
    if (KeyOf(r.At(i)) == k) return i;
  return -1;
}

template <typename R>
py::list Keys(const R& r) {
  py::list keys;
  for (int i = 0; i < r.Count(); ++i) keys.append(Text(KeyOf(r.At(i))));
  return keys;
}

template <typename R>
py::dict Dict(const R& r) {
  py::dict d;
  for (int i = 0; i < r.Count(); ++i) d[Text(KeyOf(r.At(i)))] = r.Value(i);
  return d;
}

// Both results are read-only mappings (collections.abc.Mapping registers
// them in __init__.py), keyed in the window's label order.
template <typename R>
void DefineMapping(py::class_<R>& c) {
  const auto view = [](const char* kind) {
    return [kind](py::handle self) { return py::module_::import("collections.abc").attr(kind)(self); };
  };
  c.def("__getitem__",
        [](const R& r, py::handle key) {
          const int i = IndexOf(r, key);
          if (i < 0) {
            PyErr_SetObject(PyExc_KeyError, key.ptr());
            throw py::error_already_set();
          }
          return r.Value(i);
        })
      .def("__len__", &R::Count)
      .def("__contains__", [](const R& r, py::handle key) { return IndexOf(r, key) >= 0; })
      .def("__iter__", [](const R& r) { return py::iter(Keys(r)); })
      .def(
          "get",
          [](const R& r, py::handle key, py::object fallback) {
            const int i = IndexOf(r, key);
            return i < 0 ? fallback : r.Value(i);
          },
          py::arg("key"), py::arg("default") = py::none())
      .def("keys", view("KeysView"))
      .def("values", view("ValuesView"))
      .def("items", view("ItemsView"))
      .def_property_readonly(
          "fluid", [](const R& r) { return &r.fluid(); }, py::return_value_policy::reference, "The fluid looked up.")
      .def_property_readonly(
          "units",
          [](const R& r) {
            py::dict units;
            for (int i = 0; i < r.Count(); ++i) units[Text(KeyOf(r.At(i)))] = Text(r.At(i).unit);
            return ReadOnly(units);
          },
          "Each property's SI base unit: 'Pa·s', 'J/(kg·K)', '' for a pure number.");
}

// ---------------------------------------------------------------------------
// One temperature.

// A number that is no array: float, int, NumPy scalar, Decimal, Fraction.
bool IsSingle(py::handle T) {
  if (py::isinstance<py::array>(T)) return false;
  if (PyFloat_Check(T.ptr()) || PyLong_Check(T.ptr())) return true;
  return !py::hasattr(T, "__len__") && !py::hasattr(T, "__iter__") && py::hasattr(T, "__float__");
}

SingleReading LookUpSingle(const Fluid& fluid, double t, bool boundsError) {
  const vantorel::Result r = vantorel::LookUp(fluid, t);
  if (r) return {{*r}, true};
  if (boundsError) RaiseTemperature(r.error());
  Reading layout = LayoutOf(fluid);
  layout.T = t;
  return {{layout}, false};
}

py::object SourceOf(const SingleReading& r) {
  const vantorel::Source& s = r.reading.source;
  py::tuple rows(r.inRange ? s.rowCount : 0);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = py::float_(s.rows[i]);
  return py::handle(sourceType)(Text(s.table), rows, r.inRange && s.corrected);
}

// ---------------------------------------------------------------------------
// Many temperatures.

// T as a new C-ordered float64 array of its shape: real numbers only, so
// that neither text nor a complex or boolean array passes as kelvin.
py::array_t<double> TemperaturesOf(py::handle T) {
  const py::module_ np = py::module_::import("numpy");
  const py::array given = np.attr("asarray")(T);
  const char kind = given.dtype().kind();
  if (kind != 'f' && kind != 'i' && kind != 'u' && kind != 'O')
    throw py::type_error("T must be real numbers in kelvin, not an array of " +
                         py::str(given.dtype()).cast<std::string>());
  py::array_t<double> t =
      np.attr("array")(given, py::arg("dtype") = np.attr("float64"), py::arg("order") = "C", py::arg("copy") = true);
  t.attr("setflags")(py::arg("write") = false);
  return t;
}

std::vector<py::ssize_t> ShapeOf(const py::array& a) { return {a.shape(), a.shape() + a.ndim()}; }

// Looks up t[begin, end) into out[k][i]; the index of the first temperature
// refused, or `end`. With `stop`, it stops there.
std::size_t LookUpStretch(const Fluid& fluid, const double* t, std::size_t begin, std::size_t end,
                          const std::vector<double*>& out, bool stop) noexcept {
  std::size_t refused = end;
  double row[std::tuple_size_v<decltype(Reading::shown)>];
  for (std::size_t i = begin; i < end; ++i) {
    if (!vantorel::LookUpValues(fluid, t[i], row) && refused == end) {
      refused = i;
      if (stop) break;
    }
    for (std::size_t k = 0; k < out.size(); ++k) out[k][i] = row[k];
  }
  return refused;
}

// Fewer temperatures than this per thread are not worth another thread.
constexpr std::size_t kPerThread = 1 << 16;

// How many stretches [0, n) is shared out in: one per core for a large array.
std::size_t PartsOf(std::size_t n) {
  return std::clamp<std::size_t>(std::min<std::size_t>(std::thread::hardware_concurrency(), n / kPerThread), 1, 64);
}

// Calls work(p, begin, end) for each of the `parts` stretches of [0, n), each
// on a thread of its own. Each look-up is a pure function, so the result is
// the same whichever thread makes it.
template <typename Work>
void InParts(std::size_t n, std::size_t parts, const Work& work) {
  std::vector<std::thread> helpers;
  helpers.reserve(parts);
  const auto part = [&](std::size_t p) { work(p, n * p / parts, n * (p + 1) / parts); };
  for (std::size_t p = 1; p < parts; ++p) {
    try {
      helpers.emplace_back(part, p);
    } catch (const std::system_error&) {  // no thread to be had: this one does that part
      part(p);
    }
  }
  part(0);
  for (std::thread& helper : helpers) helper.join();
}

// Looks up t[0, n), a large array on every core; the index of the first
// temperature refused, or n.
std::size_t LookUpAll(const Fluid& fluid, const double* t, std::size_t n, const std::vector<double*>& out, bool stop) {
  const std::size_t parts = PartsOf(n);
  std::vector<std::size_t> refused(parts, n);
  InParts(n, parts, [&](std::size_t p, std::size_t begin, std::size_t end) {
    const std::size_t r = LookUpStretch(fluid, t, begin, end, out, stop);
    refused[p] = r == end ? n : r;
  });
  return *std::min_element(refused.begin(), refused.end());
}

ArrayReadings LookUpArray(const Fluid& fluid, py::handle T, bool boundsError) {
  ArrayReadings r{{LayoutOf(fluid)}, TemperaturesOf(T), {}, py::none(), py::none()};
  // One block for all properties, each one's array a C-ordered view of its part.
  std::vector<py::ssize_t> shape = ShapeOf(r.T);
  shape.insert(shape.begin(), r.Count());
  py::array_t<double> block(shape);
  const double* t = r.T.data();
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  std::vector<double*> out;
  for (int k = 0; k < r.Count(); ++k) {
    out.push_back(block.mutable_data() + k * n);
    r.values.emplace_back(block[py::make_tuple(k, py::ellipsis())]);  // an array even for a 0-d T
  }
  std::size_t firstRefused;
  {
    py::gil_scoped_release unlocked;
    firstRefused = LookUpAll(fluid, t, n, out, boundsError);
  }
  if (boundsError && firstRefused < n) RaiseTemperature(vantorel::LookUp(fluid, t[firstRefused]).error());
  return r;
}

// Calls cell(p, i, k, text) with the window's text of property k at t[i],
// for every temperature within the fluid's range, the others skipped; t[0, n)
// shared out in `parts` stretches, p the one that i is in. The texts are cut
// from the lines the CSV writes, so nothing is allocated per cell.
template <typename Cell>
void ForEachText(const vantorel::CsvRows& rows, const Fluid& fluid, const double* t, std::size_t n, std::size_t parts,
                 const Cell& cell) {
  const std::size_t lineSize = rows.LineSize(0);
  std::vector<char> lines(parts * lineSize);
  InParts(n, parts, [&](std::size_t p, std::size_t begin, std::size_t end) {
    char* const line = lines.data() + p * lineSize;
    for (std::size_t i = begin; i < end; ++i) {
      if (!(t[i] >= fluid.Tmin && t[i] <= fluid.Tmax)) continue;  // nor is NaN
      // An empty T, then ",text" per property, then '\n'.
      const char* const last = rows.WriteLine(line, t[i], {}, ',') - 1;
      const char* comma = line;
      for (std::size_t k = 0; comma != last; ++k) {
        const char* const next = std::find(comma + 1, last, ',');
        cell(p, i, k, std::string_view(comma + 1, static_cast<std::size_t>(next - comma - 1)));
        comma = next;
      }
    }
  });
}

// The texts of every temperature: per property a str array shaped like T,
// empty where T is outside the range. The texts are written twice, once to
// size each array by its widest and once to fill it, so that the arrays are
// all the memory it takes.
py::object TextsOf(const ArrayReadings& r) {
  const double* t = r.T.data();
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  const std::size_t count = static_cast<std::size_t>(r.Count());
  const vantorel::CsvRows rows(r.fluid());
  const std::size_t parts = PartsOf(n);
  // Each part's widest text per property; then, in the first part's, the widest of all.
  std::vector<std::size_t> widest(parts * count, 1);
  {
    py::gil_scoped_release unlocked;
    ForEachText(rows, r.fluid(), t, n, parts, [&](std::size_t p, std::size_t, std::size_t k, std::string_view text) {
      std::size_t& w = widest[p * count + k];
      if (text.size() > w) w = text.size();
    });
  }
  for (std::size_t p = 1; p < parts; ++p)
    for (std::size_t k = 0; k < count; ++k) widest[k] = std::max(widest[k], widest[p * count + k]);
  py::dict byKey;
  std::vector<char32_t*> cells(count);
  for (std::size_t k = 0; k < count; ++k) {
    // NumPy's str arrays hold UTF-32 code units; the texts are ASCII.
    py::array a(py::dtype("U" + std::to_string(widest[k])), ShapeOf(r.T));
    cells[k] = static_cast<char32_t*>(a.mutable_data());
    std::fill_n(cells[k], n * widest[k], U'\0');
    byKey[Text(KeyOf(r.At(static_cast<int>(k))))] = a;
  }
  {
    py::gil_scoped_release unlocked;
    ForEachText(rows, r.fluid(), t, n, parts, [&](std::size_t, std::size_t i, std::size_t k, std::string_view text) {
      std::copy(text.begin(), text.end(), cells[k] + i * widest[k]);
    });
  }
  return ReadOnly(byKey);
}

// The rows of every temperature: (lower, upper) per T, both the row at a
// row's own temperature, NaN outside the range; and whether a corrected cell
// took part.
py::object SourcesOf(const ArrayReadings& r) {
  std::vector<py::ssize_t> shape = ShapeOf(r.T);
  py::array_t<bool> corrected(shape);
  shape.push_back(2);
  py::array_t<double> rows(shape);
  const double* t = r.T.data();
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  double* row = rows.mutable_data();
  bool* fixed = corrected.mutable_data();
  {
    py::gil_scoped_release unlocked;
    for (std::size_t i = 0; i < n; ++i) {
      const vantorel::Result reading = vantorel::LookUp(r.fluid(), t[i]);
      const vantorel::Source* s = reading ? &reading->source : nullptr;
      row[2 * i] = s ? s->rows[0] : kNaN;
      row[2 * i + 1] = s ? s->rows[s->rowCount - 1] : kNaN;
      fixed[i] = s && s->corrected;
    }
  }
  rows.attr("setflags")(py::arg("write") = false);
  corrected.attr("setflags")(py::arg("write") = false);
  return py::handle(sourceType)(Text(r.reading.source.table), rows, corrected);
}

// ---------------------------------------------------------------------------
// The functions' documentation; the module's is __init__.py's.

constexpr const char* kLookupDoc = R"doc(lookup(fluid, T, *, bounds_error=True)
--

The properties of `fluid` at the temperature `T` in kelvin, as the book's
tables give them: interpolated between two rows and rounded as the table
prints them, then in SI base units.

fluid
    An id ("carbon-dioxide"), a name people type ("co2", "water") or the
    text of the calculator's list ("Carbon Dioxide (CO2)"), in any case; or
    a Fluid from fluids().
T
    A number gives a Reading: a read-only mapping from the lower-case ids of
    the properties the fluid's category shows to floats in SI base units
    (rho cp mu nu k alpha pr beta; saturated water p vf vg hfg cpf cpg muf mug
    kf kg prf prg sigmaf betaf; liquid metals six of the first eight). NaN
    where the book has no value, inf where the value is infinite.

    An array-like of any shape gives Readings: the same keys, each mapped to
    a float64 NumPy array of T's shape. The temperatures are looked up in C++
    with the GIL released, so other threads run meanwhile; a large array is
    shared out among the machine's cores.
bounds_error
    True: a temperature that is not finite or lies outside the fluid's range
    raises ValueError, which states the range. False: such a temperature
    gives NaN for every property (a Reading of NaNs for a number, NaN
    elements in the arrays) and an empty text.

A result also has
    .text    id -> the text the calculator window shows: "189.3E-7", "----"
             where the book has no value, "INFINITE"; for arrays, str arrays
             of T's shape
    .units   id -> SI base unit: "Pa·s", "J/(kg·K)", "" for a number
    .source  Source(table, rows, corrected): the book's table, the rows
             interpolated between and whether a corrected cell took part
    .fluid   the Fluid; .T the temperature(s) in kelvin

For arrays, .text and .source are worked out when first read.

Raises UnknownFluidError (a KeyError) naming the closest ids when no fluid
has the name, or when it fits more than one ("nak"); ValueError as above;
TypeError when T is not real numbers.

    >>> vantorel.lookup("air", 310)["cp"]
    1007.0
    >>> vantorel.lookup("saturated-water", 647.3)["cpf"]
    inf
    >>> vantorel.lookup("air", [300, 350])["rho"]
    array([1.1614, 0.995 ])
)doc";

constexpr const char* kFluidsDoc = R"doc(fluids()
--

Every fluid that lookup() knows, in the calculator's list order: its id,
name, category, the book's table, its range t_min to t_max in kelvin (both
ends included), its aliases and the ids of the properties it shows.)doc";

}  // namespace

PYBIND11_MODULE(_vantorel, m) {
  py::options options;
  options.disable_function_signatures();  // each docstring starts with its own
  m.attr("__version__") = Text(vantorel::Version());

  unknownFluidError = PyErr_NewExceptionWithDoc(
      "vantorel.UnknownFluidError",
      "No fluid has the name asked for, or it fits more than one.\n\n"
      "A KeyError; .name is the name asked for, .closest the ids of the nearest fluids, best first.",
      PyExc_KeyError, nullptr);
  if (!unknownFluidError) throw py::error_already_set();
  // KeyError shows its argument as a repr, in quotes; this one is a sentence.
  py::handle(unknownFluidError).attr("__str__") =
      py::cpp_function([](py::handle self) { return py::str(py::tuple(self.attr("args"))[0]); },
                       py::is_method(py::handle(unknownFluidError)));
  m.attr("UnknownFluidError") = py::handle(unknownFluidError);

  py::object source =
      py::module_::import("collections")
          .attr("namedtuple")("Source", py::make_tuple("table", "rows", "corrected"), py::arg("module") = "vantorel");
  source.attr("__doc__") =
      "Where a reading comes from: the book's table ('A.4'), the rows interpolated\n"
      "between and whether one of their cells is a corrected misprint.\n\n"
      "For one temperature, rows is (lower, upper), or (row,) at a row's own\n"
      "temperature, or () outside the range; corrected is a bool. For an array, rows\n"
      "is an array of T's shape plus a last axis of 2 (lower, upper; the same row\n"
      "twice at a row's own temperature, NaN outside the range) and corrected a bool\n"
      "array of T's shape.";
  sourceType = source.release().ptr();
  m.attr("Source") = py::handle(sourceType);

  py::class_<Fluid>(m, "Fluid", "A fluid of the tables, as fluids() lists it.")
      .def_property_readonly(
          "id", [](const Fluid& f) { return Text(f.id); }, "'carbon-dioxide'")
      .def_property_readonly(
          "name", [](const Fluid& f) { return Text(f.name); }, "'Carbon Dioxide (CO2)'")
      .def_property_readonly(
          "category", [](const Fluid& f) { return Text(vantorel::CategoryOf(f).name); },
          "The category as the calculator lists it: 'Gases at Atmoshperic Pressure'.")
      .def_property_readonly(
          "table", [](const Fluid& f) { return Text(vantorel::CategoryOf(f).table); }, "The book's table: 'A.4'.")
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
            const Reading layout = LayoutOf(f);
            py::tuple ids(layout.count);
            for (int i = 0; i < layout.count; ++i) ids[i] = Text(KeyOf(layout.shown[i]));
            return ids;
          },
          "The keys of its readings, in the calculator's order.")
      .def("__eq__",
           [](const Fluid& a, py::handle b) { return py::isinstance<Fluid>(b) && &a == &b.cast<const Fluid&>(); })
      .def("__hash__", [](const Fluid& f) { return py::hash(Text(f.id)); })
      .def("__repr__", [](const Fluid& f) {
        return py::str("Fluid({!r}, {!r}, t_min={!r}, t_max={!r})").format(Text(f.id), Text(f.name), f.Tmin, f.Tmax);
      });

  py::class_<SingleReading> single(m, "Reading",
                                   "The properties of one fluid at one temperature: a read-only mapping from\n"
                                   "lower-case property ids to floats in SI base units. See lookup().");
  DefineMapping(single);
  single
      .def_property_readonly(
          "T", [](const SingleReading& r) { return r.reading.T; }, "The temperature, kelvin.")
      .def_property_readonly(
          "text",
          [](const SingleReading& r) {
            py::dict texts;
            for (int i = 0; i < r.Count(); ++i)
              texts[Text(KeyOf(r.At(i)))] = r.inRange ? Text(r.At(i).text()) : py::str("");
            return ReadOnly(texts);
          },
          "Each property as the calculator window shows it: '189.3E-7', '----', 'INFINITE'.")
      .def_property_readonly("source", &SourceOf, "The book's table and the rows the values come from.")
      .def("__eq__",
           [](const SingleReading& r, py::handle other) {
             const py::object mapping = py::module_::import("collections.abc").attr("Mapping");
             return py::isinstance(other, mapping) &&
                    Dict(r).equal(py::dict(py::reinterpret_borrow<py::object>(other)));
           })
      .attr("__hash__") = py::none();
  single.def("__repr__", [](const SingleReading& r) {
    return py::str("Reading({!r}, {!r}, {!r})").format(Text(r.fluid().id), r.reading.T, Dict(r));
  });

  py::class_<ArrayReadings> many(m, "Readings",
                                 "The properties of one fluid at an array of temperatures: a read-only mapping\n"
                                 "from lower-case property ids to float64 arrays shaped like T. See lookup().");
  DefineMapping(many);
  many.def_property_readonly(
          "T", [](const ArrayReadings& r) { return r.T; }, "The temperatures, kelvin (read-only).")
      .def_property_readonly(
          "text",
          [](ArrayReadings& r) {
            if (r.text.is_none()) r.text = TextsOf(r);
            return r.text;
          },
          "Each property's texts as the calculator window shows them, as str arrays\n"
          "shaped like T; '' where T is outside the range.")
      .def_property_readonly(
          "source",
          [](ArrayReadings& r) {
            if (r.source.is_none()) r.source = SourcesOf(r);
            return r.source;
          },
          "The book's table; rows: for each T its (lower, upper) row, both the same at a\n"
          "row's own temperature, NaN outside the range; corrected: a bool array.")
      .def("__repr__", [](const ArrayReadings& r) {
        return py::str("Readings({!r}, shape={!r}, keys={!r})")
            .format(Text(r.fluid().id), py::tuple(r.T.attr("shape")), py::tuple(Keys(r)));
      });

  m.def(
      "fluids",
      [] {
        py::list all;
        for (const vantorel::Category& category : vantorel::Categories())
          for (const Fluid& fluid : category.fluids) all.append(py::cast(&fluid, py::return_value_policy::reference));
        return all;
      },
      kFluidsDoc);

  m.def(
      "lookup",
      [](py::handle fluid, py::handle T, bool boundsError) -> py::object {
        const Fluid& f = FluidOf(fluid);
        if (T.is_none() || PyUnicode_Check(T.ptr()) || PyBytes_Check(T.ptr()))
          throw py::type_error("T must be a number or an array of numbers in kelvin, not " +
                               py::type::of(T).attr("__name__").cast<std::string>());
        if (IsSingle(T))
          return py::cast(LookUpSingle(f, py::float_(py::reinterpret_borrow<py::object>(T)), boundsError));
        return py::cast(LookUpArray(f, T, boundsError));
      },
      py::arg("fluid"), py::arg("T"), py::kw_only(), py::arg("bounds_error") = true, kLookupDoc);
}
