// lookup(fluid, P=...): saturated water at a pressure. The library finds the
// saturation temperature as a student does in Table A.6, and the reading is
// the ordinary one at it; Saturation says how it was found.

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Chunks.h"
#include "Readings.h"

namespace vantorel::python {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Utf8(py::handle text) {
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
  if (!utf8) throw py::error_already_set();
  return {utf8, static_cast<std::size_t>(size)};
}

// The text the library reads for one pressure: a str as it is; a real
// number as its shortest text followed by `unit` ("2" and "bar": "2 bar"),
// or alone when no unit was given, which the library refuses with a hint.
std::string PressureTextOf(py::handle P, const std::optional<std::string>& unit) {
  if (PyUnicode_Check(P.ptr())) {
    if (unit) throw py::type_error("pressure_unit goes with numbers: a text P names its own unit (\"2 bar\")");
    return Utf8(P);
  }
  if (const std::optional<double> v = RealOf(P)) return NumberText(*v) + (unit ? " " + *unit : "");
  throw py::type_error(
      "P must be a pressure with its unit (\"2 bar\"), a number with pressure_unit, or an array of either, not " +
      TypeName(P));
}

py::array ReadOnlyArray(py::array a) {
  a.attr("setflags")(py::arg("write") = false);
  return a;
}

// A str array of `texts` shaped like `shape`.
py::array TextArray(const py::list& texts, const py::array& shape) {
  return ReadOnlyArray(NumPy().attr("array")(texts, py::arg("dtype") = "U").attr("reshape")(shape.attr("shape")));
}

py::object LookUpOne(const Fluid& fluid, std::string text, std::optional<UnitSystem> units, bool boundsError) {
  const SaturationResult s = SaturationAt(fluid, text);
  if (!s && (boundsError || s.error().code == ErrorCode::NoPressureColumn)) RaiseValueError(s.error().message());
  // T_sat lies within the range of saturated water.
  SingleReading r = LookUpSingle(fluid, s ? s->T : kNaN, units, false);
  r.pressure = std::move(text);
  if (s) r.saturation = *s;
  return py::cast(std::move(r));
}

py::object LookUpMany(const Fluid& fluid, py::handle P, const std::optional<std::string>& unit,
                      std::optional<UnitSystem> units, bool boundsError, py::handle threads) {
  const py::array given = NumPy().attr("asarray")(P);
  const char kind = given.dtype().kind();
  if (kind != 'U' && kind != 'O' && kind != 'f' && kind != 'i' && kind != 'u')
    throw py::type_error("P must be pressures with their units or numbers, not an array of " +
                         py::str(given.dtype()).cast<std::string>());
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(given.size()));
  for (const py::handle x : given.attr("flat")) texts.push_back(PressureTextOf(x, unit));
  const int asked = ThreadsAsked(threads);

  const std::size_t n = texts.size();
  py::array_t<double> T(std::vector<py::ssize_t>(given.shape(), given.shape() + given.ndim()));
  double* t = T.mutable_data();
  std::vector<char> found(n);
  InChunks(n, ThreadsFor(n, asked), [&](int, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
      const SaturationResult s = SaturationAt(fluid, texts[i]);
      t[i] = s ? s->T : kNaN;
      found[i] = s.ok();
    }
  });
  std::size_t refused = 0, first = n;
  for (std::size_t i = n; i-- > 0;)
    if (!found[i]) ++refused, first = i;
  if (refused > 0) {
    const Error error = SaturationAt(fluid, texts[first]).error();
    if (error.code == ErrorCode::NoPressureColumn) RaiseValueError(error.message());
    if (boundsError) RaiseRefused(refused, first, given, "pressures", error.message());
  }

  Temperatures saturated;
  saturated.single = false;
  saturated.array = ReadOnlyArray(T);
  saturated.index = SeriesIndexOf(P);
  ArrayReadings r = LookUpArray(fluid, std::move(saturated), units, false, asked);
  py::list typed(n);
  for (std::size_t i = 0; i < n; ++i) typed[i] = Text(texts[i]);
  r.pressures = TextArray(typed, given);
  return py::cast(std::move(r));
}

}  // namespace

py::object LookUpPressure(const Fluid& fluid, py::handle P, py::handle pressureUnit, std::optional<UnitSystem> units,
                          bool boundsError, py::handle threads) {
  std::optional<std::string> unit;
  if (!pressureUnit.is_none()) {
    if (!PyUnicode_Check(pressureUnit.ptr()))
      throw py::type_error("pressure_unit must be a str (\"bar\", \"kPa\", \"atm\", ...), not " +
                           TypeName(pressureUnit));
    unit = Utf8(pressureUnit);
  }
  // Any other fluid is refused whatever P is, even none at all.
  if (const SaturationResult s = SaturationAt(fluid, "1 bar"); !s && s.error().code == ErrorCode::NoPressureColumn)
    RaiseValueError(s.error().message());
  if (PyUnicode_Check(P.ptr()) || RealOf(P)) {
    if (!threads.is_none()) ThreadsAsked(threads);  // checked alike, though one pressure takes one thread
    return LookUpOne(fluid, PressureTextOf(P, unit), units, boundsError);
  }
  if (PyBytes_Check(P.ptr()) || PyBool_Check(P.ptr()) || PyComplex_Check(P.ptr()) ||
      py::isinstance(P, NumPy().attr("generic")))
    PressureTextOf(P, unit);  // raises TypeError
  return LookUpMany(fluid, P, unit, units, boundsError, threads);
}

py::object SaturationOf(const Saturation& s) {
  py::tuple rows(static_cast<std::size_t>(s.rowCount));
  for (int i = 0; i < s.rowCount; ++i) rows[static_cast<std::size_t>(i)] = py::make_tuple(s.rowT[i], s.rowP[i]);
  return py::handle(types.saturation)(s.T, s.P, s.typed, Text(UnitSymbol(s.unit)), rows, Text(SaturationWorking(s)));
}

py::object SaturationsOf(const ArrayReadings& r) {
  const py::array pressures = r.pressures;
  const std::size_t n = static_cast<std::size_t>(pressures.size());
  std::vector<py::ssize_t> shape(pressures.shape(), pressures.shape() + pressures.ndim());
  py::array_t<double> T(shape), P(shape), typed(shape);
  shape.insert(shape.end(), {2, 2});
  py::array_t<double> rows(shape);
  double *t = T.mutable_data(), *p = P.mutable_data(), *asTyped = typed.mutable_data(), *row = rows.mutable_data();
  py::list unit(n), working(n);
  std::size_t i = 0;
  for (const py::handle text : pressures.attr("flat")) {
    const SaturationResult s = SaturationAt(*r.fluid, Utf8(text));
    t[i] = s ? s->T : kNaN;
    p[i] = s ? s->P : kNaN;
    asTyped[i] = s ? s->typed : kNaN;
    unit[i] = s ? Text(UnitSymbol(s->unit)) : py::str("");
    // (lower, upper), each (T, P); the same row twice at a row's own pressure.
    for (int end = 0; end < 2; ++end) {
      const int k = s ? (end == 0 ? 0 : s->rowCount - 1) : 0;
      row[4 * i + 2 * end] = s ? s->rowT[k] : kNaN;
      row[4 * i + 2 * end + 1] = s ? s->rowP[k] : kNaN;
    }
    working[i] = s ? Text(SaturationWorking(*s)) : py::str("");
    ++i;
  }
  return py::handle(types.saturation)(ReadOnlyArray(T), ReadOnlyArray(P), ReadOnlyArray(typed),
                                      TextArray(unit, pressures), ReadOnlyArray(rows), TextArray(working, pressures));
}

void RegisterPressures(py::module_& m) {
  types.saturation = NamedTuple("Saturation", py::make_tuple("T", "P", "typed", "unit", "rows", "working"),
                                "How the saturation temperature of a pressure was found in Table A.6: T_sat in\n"
                                "kelvin (interpolated linearly in P between the rows whose printed pressures\n"
                                "bracket it, rounded to 0.01 K), P in bar, the pressure in the unit it was\n"
                                "given in (typed, unit: 1.0, 'atm'), the rows as (T, P) pairs, and the working\n"
                                "as written by hand, a step a line.\n\n"
                                "For one pressure, rows is ((T, P),) at a row's own pressure, else ((T, P),\n"
                                "(T, P)) of the lower and upper row. For an array of pressures, the others have\n"
                                "its shape and rows a last two axes of 2 (lower, upper; T, P), the same row\n"
                                "twice at a row's own pressure; NaN and '' where a pressure was refused.");
  m.attr("Saturation") = py::handle(types.saturation);
}

}  // namespace vantorel::python
