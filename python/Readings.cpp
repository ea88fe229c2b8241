// lookup() and its two results, Reading and Readings: read-only mappings
// from property keys to values (in SI base units, or in the units asked
// for), with texts, sources, units and what each property is, equal by value
// and pickled as the look-up that makes them.

#include "Readings.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "Chunks.h"

namespace vantorel::python {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------
// Looking up.

// The temperatures an array look-up refused: how many, and the first.
struct Refused {
  std::atomic<std::size_t> count{0};
  std::atomic<std::size_t> first;

  explicit Refused(std::size_t none) : first(none) {}
  void Add(std::size_t found, std::size_t firstFound) {
    if (found == 0) return;
    count += found;
    std::size_t seen = first.load();
    while (firstFound < seen && !first.compare_exchange_weak(seen, firstFound)) {
    }
  }
};

// "(1, 0)" for the flat index i of an array of `shape`; "7" for one axis.
std::string IndexText(std::size_t i, const py::array& shape) {
  std::vector<std::size_t> at(static_cast<std::size_t>(shape.ndim()));
  for (py::ssize_t axis = shape.ndim() - 1; axis >= 0; --axis) {
    const std::size_t extent = static_cast<std::size_t>(shape.shape(axis));
    at[static_cast<std::size_t>(axis)] = i % extent;
    i /= extent;
  }
  if (at.size() == 1) return std::to_string(at[0]);
  std::string text = "(";
  for (std::size_t a = 0; a < at.size(); ++a) {
    if (a > 0) text += ", ";
    text += std::to_string(at[a]);
  }
  return text + ")";
}

}  // namespace

[[noreturn]] void RaiseRefused(std::size_t count, std::size_t first, const py::array& shape, std::string_view noun,
                               const std::string& sentence) {
  if (shape.ndim() == 0) RaiseValueError(sentence);
  RaiseValueError(std::to_string(count) + " of " + std::to_string(shape.size()) + " " + std::string(noun) +
                  " cannot be looked up, " + (count == 1 ? "at index " : "the first at index ") +
                  IndexText(first, shape) + ": " + sentence);
}

SingleReading LookUpSingle(const Fluid& fluid, double t, std::optional<UnitSystem> units, bool boundsError) {
  const Result r = LookUp(fluid, t);
  if (!r && boundsError) RaiseValueError(r.error().message());
  return {Shown(fluid, units), t, r.ok(), r.reading(), std::nullopt, std::nullopt};
}

ArrayReadings LookUpArray(const Fluid& fluid, Temperatures&& given, std::optional<UnitSystem> units, bool boundsError,
                          int threads) {
  ArrayReadings r{Shown(fluid, units), std::move(given.array), {}, given.index, given.indexIsT, threads};
  const std::vector<py::ssize_t> shape(r.T.shape(), r.T.shape() + r.T.ndim());
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  // Each property an array of its own, so that one kept lets the others go.
  std::array<double*, kMostShown> out{};
  for (int k = 0; k < r.Count(); ++k) {
    r.values.emplace_back(shape);
    out[k] = r.values.back().mutable_data();
  }
  const double* t = r.T.data();
  const std::size_t count = static_cast<std::size_t>(r.Count());
  Refused refused(n);
  // In SI base units the library gives the values without a reading; in
  // any other it converts each value of the reading.
  const auto lookUp = [&fluid, units, count](double T, double* row) {
    if (!units) return LookUpValues(fluid, T, row);
    const Result reading = LookUp(fluid, T);
    for (std::size_t k = 0; k < count; ++k) row[k] = reading ? ValueIn(reading->shown[k], *units).value : kNaN;
    return reading.ok();
  };
  InChunks(n, ThreadsFor(n, threads), [&](int, std::size_t begin, std::size_t end) {
    double row[kMostShown];
    std::size_t found = 0, firstFound = end;
    for (std::size_t i = begin; i < end; ++i) {
      if (!lookUp(t[i], row)) {
        if (found == 0) firstFound = i;
        ++found;
      }
      for (std::size_t k = 0; k < count; ++k) out[k][i] = row[k];
    }
    refused.Add(found, firstFound);
  });
  for (py::array_t<double>& values : r.values) values.attr("setflags")(py::arg("write") = false);
  if (boundsError && refused.count > 0)
    RaiseRefused(refused.count, refused.first, r.T, "temperatures", LookUp(fluid, t[refused.first]).error().message());
  return r;
}

namespace {

py::object LookUpAny(const Fluid& fluid, py::handle T, std::optional<UnitSystem> units, bool boundsError,
                     py::handle threads) {
  Temperatures given = TemperaturesOf(T);
  if (given.single) {
    if (!threads.is_none()) ThreadsAsked(threads);  // checked alike, though one temperature takes one thread
    return py::cast(LookUpSingle(fluid, given.kelvin, units, boundsError));
  }
  const int asked = ThreadsAsked(threads);
  return py::cast(LookUpArray(fluid, std::move(given), units, boundsError, asked));
}

// ---------------------------------------------------------------------------
// Both results as mappings.

py::object ValueOf(const SingleReading& r, int i) {
  if (!r.inRange) return py::float_(kNaN);
  const Property& p = r.reading.shown[i];
  return py::float_(r.units ? ValueIn(p, *r.units).value : p.value);
}
py::object ValueOf(const ArrayReadings& r, int i) { return r.values[static_cast<std::size_t>(i)]; }

template <typename R>
int IndexOf(const R& r, py::handle key) {
  if (!PyUnicode_Check(key.ptr())) return -1;
  const std::string k = key.cast<std::string>();
  for (int i = 0; i < r.Count(); ++i)
    if (r.Key(i) == k) return i;
  return -1;
}

template <typename R>
py::list Keys(const R& r) {
  py::list keys;
  for (int i = 0; i < r.Count(); ++i) keys.append(Text(r.Key(i)));
  return keys;
}

template <typename R>
py::dict Dict(const R& r) {
  py::dict d;
  for (int i = 0; i < r.Count(); ++i) d[Text(r.Key(i))] = ValueOf(r, i);
  return d;
}

bool SameFloat(py::handle a, py::handle b) {
  if (PyFloat_Check(b.ptr()) && std::isnan(PyFloat_AS_DOUBLE(b.ptr()))) return std::isnan(PyFloat_AS_DOUBLE(a.ptr()));
  try {
    return a.equal(b);
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError) && !e.matches(PyExc_TypeError)) throw;  // an array, no one number
    return false;
  }
}

bool SameArray(py::handle a, py::handle b) {
  static const py::object* arrayEqual =
      new py::object(py::module_::import("numpy").attr("array_equal"));  // for the interpreter's life
  try {
    return (*arrayEqual)(a, b, py::arg("equal_nan") = true).cast<bool>();
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_TypeError)) throw;  // no numbers to compare
    return false;
  }
}

// Equal to any mapping with the same keys and values, NaN equal to NaN: a
// reading with the book's empty cells equals itself, and a copy of itself.
template <typename R>
py::object Equals(const R& r, py::handle other) {
  constexpr bool kSingle = std::is_same_v<R, SingleReading>;
  const py::object mapping = py::module_::import("collections.abc").attr("Mapping");
  if (!py::isinstance(other, mapping)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
  using Other = std::conditional_t<kSingle, ArrayReadings, SingleReading>;  // floats and arrays are not alike
  if (py::isinstance<Other>(other) || py::len(other) != static_cast<std::size_t>(r.Count())) return py::bool_(false);
  for (int i = 0; i < r.Count(); ++i) {
    const py::str key = Text(r.Key(i));
    if (!other.contains(key)) return py::bool_(false);
    const py::object theirs = other[key];
    if (!(kSingle ? SameFloat(ValueOf(r, i), theirs) : SameArray(ValueOf(r, i), theirs))) return py::bool_(false);
  }
  return py::bool_(true);
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
          return ValueOf(r, i);
        })
      .def("__len__", &R::Count)
      .def("__contains__", [](const R& r, py::handle key) { return IndexOf(r, key) >= 0; })
      .def("__iter__", [](const R& r) { return py::iter(Keys(r)); })
      .def(
          "get",
          [](const R& r, py::handle key, py::object fallback) {
            const int i = IndexOf(r, key);
            return i < 0 ? fallback : ValueOf(r, i);
          },
          py::arg("key"), py::arg("default") = py::none())
      .def("keys", view("KeysView"))
      .def("values", view("ValuesView"))
      .def("items", view("ItemsView"))
      .def("__eq__", &Equals<R>)
      .def_property_readonly(
          "fluid", [](const R& r) { return r.fluid; }, py::return_value_policy::reference, "The fluid looked up.")
      .def_property_readonly(
          "units",
          [](const R& r) {
            py::dict units;
            for (int i = 0; i < r.Count(); ++i) units[Text(r.Key(i))] = Text(r.UnitText(i));
            return ReadOnly(units);
          },
          "Each property's unit: the SI base unit ('Pa·s', 'J/(kg·K)'), or the unit of the\n"
          "system asked for ('lbm/ft³'); '' for a pure number.")
      .def_property_readonly(
          "T_unit", [](const R& r) { return Text(UnitSymbol(r.TemperatureUnitShown())); },
          "The unit of T_text: 'K', '°C' for engineering units, '°F' for US units.")
      .def_property_readonly(
          "properties", [](const R& r) { return PropertyMap(*r.fluid); },
          "What each property is: key -> Property(key, id, name, symbol, book_unit, si_unit).");
  c.attr("__hash__") = py::none();
}

py::object SourceOf(const SingleReading& r) {
  const Source& s = r.reading.source;
  py::tuple rows(r.inRange ? s.rowCount : 0);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = py::float_(s.rows[i]);
  return py::handle(types.source)(Text(CategoryOf(*r.fluid).table), rows, r.inRange && s.corrected);
}

// Pickled as the look-up that makes it: the fluid's id, T or P, the pandas
// index T came with and the units, so a pickle stays small and holds no table.
py::object RestoreFunction() { return py::module_::import("vantorel._vantorel").attr("_restore_reading"); }

py::object UnitsName(const Shown& r) { return r.units ? py::object(Text(UnitSystemName(*r.units))) : py::none(); }

// ", units='us'" and ", P='2 bar'" for a repr, where they were asked for.
py::str ReprTail(const Shown& r, py::handle P) {
  std::string tail;
  if (r.units) tail += ", units=" + py::repr(UnitsName(r)).cast<std::string>();
  if (!P.is_none()) tail += ", P=" + py::repr(P).cast<std::string>();
  return Text(tail);
}

// T in the temperature unit of the units asked for: "36.85" (°C); empty
// where T is no number.
py::str TemperatureTextOf(const Shown& r, double T) {
  return std::isfinite(T) ? Text(TemperatureText(T, r.TemperatureUnitShown())) : py::str("");
}

py::object TemperatureTextsOf(const ArrayReadings& r) {
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  py::list texts(n);
  for (std::size_t i = 0; i < n; ++i) texts[i] = TemperatureTextOf(r, r.T.data()[i]);
  py::array array = NumPy().attr("array")(texts, py::arg("dtype") = "U").attr("reshape")(r.T.attr("shape"));
  array.attr("setflags")(py::arg("write") = false);
  return array;
}

// ---------------------------------------------------------------------------
// The module's functions.

PyObject* LookupFunction(PyObject*, PyObject* args, PyObject* kwargs) {
  return Guarded([&] {
    static const char* names[] = {"fluid", "T", "P", "units", "pressure_unit", "bounds_error", "threads", nullptr};
    PyObject *fluid = nullptr, *T = Py_None, *P = Py_None, *units = Py_None, *pressureUnit = Py_None,
             *threads = Py_None;
    int boundsError = 1;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|O$OOOpO:lookup", const_cast<char**>(names), &fluid, &T, &P,
                                     &units, &pressureUnit, &boundsError, &threads))
      throw py::error_already_set();
    const Fluid& f = FluidOf(fluid);
    const std::optional<UnitSystem> system = UnitSystemOf(units);
    if (P == Py_None) {
      if (T == Py_None) throw py::type_error("lookup() needs T, in kelvin, or P, a pressure with its unit");
      if (pressureUnit != Py_None) throw py::type_error("pressure_unit goes with P, not with T");
      return LookUpAny(f, T, system, boundsError != 0, threads);
    }
    if (T != Py_None) throw py::type_error("give T or P, not both: P gives its saturation temperature as T");
    return LookUpPressure(f, P, pressureUnit, system, boundsError != 0, threads);
  });
}

PyObject* RestoreReading(PyObject*, PyObject* args) {
  return Guarded([&] {
    PyObject *id = nullptr, *T = nullptr, *index = Py_None, *units = Py_None, *P = Py_None;
    if (!PyArg_ParseTuple(args, "OO|OOO:_restore_reading", &id, &T, &index, &units, &P)) throw py::error_already_set();
    const Fluid& f = FluidOf(id);
    const std::optional<UnitSystem> system = UnitSystemOf(units);
    py::object r = P == Py_None ? LookUpAny(f, T, system, false, py::none())
                                : LookUpPressure(f, P, py::none(), system, false, py::none());
    if (index != Py_None) r.cast<ArrayReadings&>().index = py::reinterpret_borrow<py::object>(index);
    return r;
  });
}

constexpr const char* kLookupDoc =
    R"doc(lookup(fluid, T=None, *, P=None, units=None, pressure_unit=None, bounds_error=True, threads=None)
--

The properties of `fluid` at the temperature `T` in kelvin, or of saturated
water at the pressure `P`, as the book's tables give them: interpolated
between two rows and rounded as the table prints them, then in SI base
units or in the units asked for.

fluid
    An id ("carbon-dioxide"), a name people type ("co2", "water") or the
    text of the calculator's list ("Carbon Dioxide (CO2)"), in any case and
    with spaces, hyphens or underscores alike ("Carbon Dioxide"); or a
    Fluid from fluids().
T
    A number (float, int, a NumPy scalar, Decimal, Fraction) gives a
    Reading: a read-only mapping from the lower-case ids of the properties
    the fluid's category shows to floats in SI base units (rho cp mu nu k
    alpha pr beta; saturated water p vf vg hfg cpf cpg muf mug kf kg prf prg
    sigmaf betaf; liquid metals six of the first eight). NaN where the book
    has no value, inf where the value is infinite.

    An array-like of any shape (a list, a NumPy array, a pandas Series or
    Index) gives Readings: the same keys, each mapped to a read-only float64
    NumPy array of T's shape. The temperatures are looked up in C++ with the
    GIL released, so other threads run meanwhile, and Ctrl-C stops it.

    A pint Quantity is converted to kelvin by pint ("36.85 degC" works).
    Text, complex numbers and booleans raise TypeError: a number without a
    unit is always kelvin.
P
    Instead of T, for saturated water: a pressure with its unit ("2 bar",
    "101.325 kPa", "1 atm", "29 psi"; also Pa and MPa), or a number with
    pressure_unit. The reading is the one at the saturation temperature
    found as by hand in Table A.6 (interpolated linearly in P between the
    rows whose printed pressures bracket it, rounded to 0.01 K), which is
    its T; .saturation says how it was found. An array-like of such
    pressures gives Readings. A pressure without its unit, one outside
    0.00611 bar to 221.2 bar, or any other fluid raise ValueError in the
    library's words.
units
    None: values in SI base units, with the window's texts. "book": the
    book's numbers in the units of its columns (c_p 1.007 kJ/kg·K), with
    the window's texts; "si": SI base units, texts the shortest that read
    back as the values; "engineering": kJ/(kg·K), mPa·s, mm²/s, kPa, ...
    and T_text in °C; "us": lbm/ft³, Btu/(lbm·°F), lbm/(ft·h), ft²/h, psia,
    ... and T_text in °F. Converted values are the book's decimal times
    exact factors, rounded to the significant digits the book gives; the
    texts keep those digits ("0.070425"). .units names each unit.
pressure_unit
    The unit of a number or an array of numbers given as P: "bar", "kPa",
    "MPa", "Pa", "atm" or "psi".
bounds_error
    True: a temperature that is not finite or lies outside the fluid's range
    raises ValueError, which states the range; for an array it says how many
    there are and which is the first ("2 of 4 temperatures cannot be looked
    up, the first at index 2: T = 5000 K is outside ..."). False: such a
    temperature gives NaN for every property (a Reading of NaNs for a
    number, NaN elements in the arrays) and an empty text. The same for a
    pressure the library refuses, except for a fluid other than saturated
    water, which always raises.
threads
    How many threads a large array is shared out among (each takes at least
    65536 temperatures). None: the VANTOREL_NUM_THREADS environment
    variable when set, else as many as the processors this process may run
    on (its CPU affinity).

A result also has
    .text        key -> the text the calculator window shows: "189.3E-7",
                 "----" where the book has no value, "INFINITE" (in a
                 system of units, its text there); for arrays, read-only
                 str arrays of T's shape
    .units       key -> unit: "Pa·s", "J/(kg·K)", "" for a number
    .T_text, .T_unit   T written in the unit system's temperature unit
    .saturation  Saturation(T, P, typed, unit, rows, working) when looked up at P
    .properties  key -> Property(key, id, name, symbol, book_unit, si_unit)
    .source      Source(table, rows, corrected): the book's table, the rows
                 interpolated between and whether a corrected cell took part
    .fluid       the Fluid; .T the temperature(s) in kelvin
    .to_pandas(), .to_xarray()   the same as a table (see their help)

For arrays, .text and .source are worked out when first read, on the same
threads as the values. Results compare equal when they map the same keys to
the same values (NaN equal to NaN), and pickle as the look-up that makes
them.

Raises UnknownFluidError (a KeyError) naming the closest ids when no fluid
has the name, or when it fits more than one ("nak"); ValueError as above;
TypeError when T is not real numbers.

    >>> vantorel.lookup("air", 310)["cp"]
    1007.0
    >>> vantorel.lookup("saturated-water", 647.3)["cpf"]
    inf
    >>> vantorel.lookup("air", [300, 350])["rho"]
    array([1.1614, 0.995 ])
    >>> vantorel.lookup("water", P="2 bar").T
    393.12
    >>> vantorel.lookup("air", 310, units="us")["rho"]
    0.070425
)doc";

PyObject* DefaultThreads(PyObject*, PyObject*) {
  return Guarded([] { return py::int_(ThreadsAsked(py::none())); });
}

PyMethodDef functions[] = {
    {"lookup", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&LookupFunction)),
     METH_VARARGS | METH_KEYWORDS, kLookupDoc},
    {"_default_threads", &DefaultThreads, METH_NOARGS,
     "_default_threads()\n--\n\nThe threads a large array is shared out among when threads is None."},
    {"_restore_reading", &RestoreReading, METH_VARARGS,
     "_restore_reading(fluid_id, T, index=None, units=None, P=None)\n--\n\nA pickled Reading or Readings: "
     "lookup() without bounds errors, with the pandas index T came with."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace

void RegisterReadings(py::module_& m) {
  py::class_<SingleReading> single(m, "Reading",
                                   "The properties of one fluid at one temperature: a read-only mapping from\n"
                                   "lower-case property ids to floats in SI base units, or in the units asked for.\n"
                                   "See lookup().");
  DefineMapping(single);
  single
      .def_property_readonly(
          "T", [](const SingleReading& r) { return r.T; },
          "The temperature, kelvin: at a pressure, its saturation temperature.")
      .def_property_readonly(
          "T_text", [](const SingleReading& r) { return TemperatureTextOf(r, r.T); },
          "T in T_unit, exactly: '310' (K), '36.85' (°C), '98.33' (°F).")
      .def_property_readonly(
          "text",
          [](const SingleReading& r) {
            py::dict texts;
            for (int i = 0; i < r.Count(); ++i) {
              const Property& p = r.reading.shown[i];
              texts[Text(r.Key(i))] =
                  !r.inRange ? py::str("") : Text(r.units ? std::string(ValueIn(p, *r.units).text()) : p.text());
            }
            return ReadOnly(texts);
          },
          "Each property as the calculator window shows it: '189.3E-7', '----', 'INFINITE';\n"
          "in the units asked for, its text there: '0.070425'.")
      .def_property_readonly(
          "saturation",
          [](const SingleReading& r) { return r.saturation ? SaturationOf(*r.saturation) : py::object(py::none()); },
          "How the saturation temperature of P was found: Saturation(T, P, typed, unit, rows, working);\n"
          "None when T was given.")
      .def_property_readonly("source", &SourceOf, "The book's table and the rows the values come from.")
      .def_property_readonly(
          "source_text", [](const SingleReading& r) { return r.inRange ? Text(SourceText(r.reading)) : py::str(""); },
          "Where the values come from, in words to cite: 'Table A.4, between the rows at 300 K and 350 K';\n"
          "'' outside the range.")
      .def("__reduce__",
           [](const SingleReading& r) {
             if (!r.units && !r.pressure)
               return py::make_tuple(RestoreFunction(), py::make_tuple(Text(r.fluid->id), r.T));
             const py::object P = r.pressure ? py::object(Text(*r.pressure)) : py::none();
             return py::make_tuple(RestoreFunction(),
                                   py::make_tuple(Text(r.fluid->id), r.T, py::none(), UnitsName(r), P));
           })
      .def("__repr__", [](const SingleReading& r) {
        const py::object P = r.pressure ? py::object(Text(*r.pressure)) : py::none();
        return py::str("Reading({!r}, {!r}, {!r}{})").format(Text(r.fluid->id), r.T, Dict(r), ReprTail(r, P));
      });

  py::class_<ArrayReadings> many(m, "Readings",
                                 "The properties of one fluid at an array of temperatures: a read-only mapping\n"
                                 "from lower-case property ids to read-only float64 arrays shaped like T, one\n"
                                 "array per property, in SI base units or in the units asked for. See lookup().");
  DefineMapping(many);
  many.def_property_readonly(
          "T", [](const ArrayReadings& r) { return r.T; },
          "The temperatures, kelvin (read-only): at pressures, their saturation temperatures.")
      .def_property_readonly(
          "T_text",
          [](ArrayReadings& r) {
            if (r.tText.is_none()) r.tText = TemperatureTextsOf(r);
            return r.tText;
          },
          "T in T_unit, exactly, as a read-only str array shaped like T.")
      .def_property_readonly(
          "saturation",
          [](ArrayReadings& r) {
            if (r.saturation.is_none() && !r.pressures.is_none()) r.saturation = SaturationsOf(r);
            return r.saturation;
          },
          "How the saturation temperatures of the pressures were found: Saturation(T, P,\n"
          "typed, unit, rows, working) of arrays shaped like T; None when T was given.")
      .def_property_readonly(
          "text",
          [](ArrayReadings& r) {
            if (r.text.is_none()) r.text = TextsOf(r);
            return r.text;
          },
          "Each property's texts as the calculator window shows them (in the units asked\n"
          "for, its texts there), as read-only str arrays shaped like T; '' where T is\n"
          "outside the range.")
      .def_property_readonly(
          "source",
          [](ArrayReadings& r) {
            if (r.source.is_none()) r.source = SourcesOf(r);
            return r.source;
          },
          "The book's table; rows: for each T its (lower, upper) row, both the same at a\n"
          "row's own temperature, NaN outside the range; corrected: a bool array.")
      .def_property_readonly(
          "_index", [](const ArrayReadings& r) { return r.index; },
          "The pandas index T came with (a Series' index, or the Index given as T), or None.")
      .def_property_readonly(
          "_index_is_t", [](const ArrayReadings& r) { return r.indexIsT; }, "T came as the pandas Index _index.")
      .def("__reduce__",
           [](const ArrayReadings& r) {
             // An Index given as T is given again; a Series' index goes beside T;
             // pressures are given again in place of T.
             const py::str id = Text(r.fluid->id);
             if (!r.pressures.is_none())
               return py::make_tuple(RestoreFunction(),
                                     py::make_tuple(id, py::none(), r.index, UnitsName(r), r.pressures));
             const py::object T = r.indexIsT ? r.index : py::object(r.T);
             const py::object index = r.indexIsT ? py::none() : r.index;
             if (!r.units) return py::make_tuple(RestoreFunction(), py::make_tuple(id, T, index));
             return py::make_tuple(RestoreFunction(), py::make_tuple(id, T, index, UnitsName(r)));
           })
      .def("__repr__", [](const ArrayReadings& r) {
        return py::str("Readings({!r}, shape={!r}, keys={!r}{})")
            .format(Text(r.fluid->id), py::tuple(r.T.attr("shape")), py::tuple(Keys(r)), ReprTail(r, py::none()));
      });

  AddFunctions(m, functions);
}

}  // namespace vantorel::python
