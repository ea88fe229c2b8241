// The page's WebAssembly module: Page.h and the checked call, handed to the
// script as plain objects, strings and numbers. Nothing is worked out here.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <string>
#include <variant>
#include <vector>

#include "Catalog.h"
#include "Display.h"
#include "Page.h"
#include "vantorel.h"

namespace vantorel::web {

namespace {

using emscripten::val;

val Text(std::string_view text) { return val(std::string(text)); }

template <typename Container>
val Array(const Container& items) {
  val array = val::array();
  for (const auto& item : items) array.call<void>("push", item);
  return array;
}

val Numbers(const std::vector<double>& values) { return Array(values); }

const Fluid* FluidNamed(const std::string& name) { return FindFluid(name); }

// The categories and their fluids, in the window's order, with what the
// page shows of each before any look-up.
val Catalog() {
  val categories = val::array();
  for (const Category& category : Categories()) {
    val fluids = val::array();
    for (const Fluid& fluid : category.fluids) {
      val f = val::object();
      f.set("id", Text(fluid.id));
      f.set("name", Text(fluid.name));
      f.set("Tmin", fluid.Tmin);
      f.set("Tmax", fluid.Tmax);
      f.set("range", Text(RangeText(fluid)));
      val properties = val::array();
      for (const Property& p : LookUp(fluid, fluid.Tmin)->properties()) {
        val property = val::object();
        property.set("id", Text(p.id));
        property.set("name", Text(p.name));
        property.set("symbol", Text(p.symbol));
        property.set("heading", Text(Heading(p)));
        property.set("unit", Text(p.bookUnit));
        properties.call<void>("push", property);
      }
      f.set("properties", properties);
      fluids.call<void>("push", f);
    }
    val c = val::object();
    c.set("name", Text(category.name));
    c.set("table", Text(category.table));
    c.set("fluids", fluids);
    categories.call<void>("push", c);
  }
  return categories;
}

// The id of the fluid a name stands for (id, alias or list text), or null.
val FluidId(const std::string& name) {
  const Fluid* fluid = FluidNamed(name);
  return fluid ? Text(fluid->id) : val::null();
}

// {T, Ttext, source, properties: [{id, name, symbol, text, unit, si,
// working}]} for the text typed in `unit` ("K", "C", "F"), or {error}; the
// error is empty for an empty text.
val Calculation(const std::string& fluidName, const std::string& text, const std::string& unit) {
  val out = val::object();
  const Fluid* fluid = FluidNamed(fluidName);
  if (!fluid) {
    out.set("error", Text(LookUp(fluidName, 300).error().message()));
    return out;
  }
  const std::variant<Reading, std::string> result = Calculate(*fluid, text, UnitOf(unit));
  if (const std::string* error = std::get_if<std::string>(&result)) {
    out.set("error", Text(*error));
    return out;
  }
  const Reading& r = std::get<Reading>(result);
  out.set("T", r.T);
  out.set("Ttext", Text(NumberText(r.T)));
  out.set("source", Text(SourceText(r)));
  val properties = val::array();
  for (const Property& p : r.properties()) {
    val property = val::object();
    property.set("id", Text(p.id));
    property.set("name", Text(p.name));
    property.set("symbol", Text(p.symbol));
    property.set("text", Text(p.text()));
    property.set("unit", Text(p.bookUnit));
    property.set("si", Text(SiText(p)));
    property.set("working", Text(Working(r, p)));
    properties.call<void>("push", property);
  }
  out.set("properties", properties);
  return out;
}

// {T, curve, book, current} as arrays of numbers, NaN where a series has no
// point; empty arrays for an unknown fluid or property.
val ChartData(const std::string& fluidName, const std::string& property, double current, int samples) {
  Chart chart;
  if (const Fluid* fluid = FluidNamed(fluidName)) chart = ChartOf(*fluid, property, current, samples);
  val out = val::object();
  out.set("T", Numbers(chart.T));
  out.set("curve", Numbers(chart.curve));
  out.set("book", Numbers(chart.book));
  out.set("current", Numbers(chart.current));
  return out;
}

// {header, rows: [[T text, text, ...]], csv, tsv} or {error}.
val Sweep(const std::string& fluidName, const std::string& from, const std::string& to, const std::string& step) {
  val out = val::object();
  const Fluid* fluid = FluidNamed(fluidName);
  if (!fluid) {
    out.set("error", Text(LookUp(fluidName, 300).error().message()));
    return out;
  }
  const std::variant<std::vector<double>, std::string> plan = PlanSweep(*fluid, from, to, step);
  if (const std::string* error = std::get_if<std::string>(&plan)) {
    out.set("error", Text(*error));
    return out;
  }
  const std::vector<double>& temperatures = std::get<std::vector<double>>(plan);
  val rows = val::array();
  for (const double t : temperatures) {
    val row = val::array();
    row.call<void>("push", Text(NumberText(t)));
    for (const Property& p : LookUp(*fluid, t)->properties()) row.call<void>("push", Text(p.text()));
    rows.call<void>("push", row);
  }
  out.set("rows", rows);
  out.set("csv", Text(SweepCsv(*fluid, temperatures)));
  out.set("tsv", Text(SweepTsv(*fluid, temperatures)));
  return out;
}

// The kelvin a text in `unit` ("K", "C", "F") stands for, or null.
val Kelvin(const std::string& text, const std::string& unit) {
  const std::optional<double> k = KelvinFromDecimal(text, UnitOf(unit));
  return k ? val(*k) : val::null();
}

// The shortest round-trip text of a number, as every text on the page has it.
std::string Shortest(double v) { return NumberText(v); }

volatile double sink;

// Nanoseconds per checked look-up of `fluid` over `count` temperatures
// spread across its range, timed inside the module: the cost of the call
// itself, without the crossing into the script.
double NanosecondsPerLookUp(const std::string& fluidName, int count) {
  const Fluid* fluid = FluidNamed(fluidName);
  if (!fluid || count <= 0) return 0;
  const double span = fluid->Tmax - fluid->Tmin;
  double sum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    const Result r = LookUp(*fluid, fluid->Tmin + span * (i % 1000) / 1000);
    sum += r->properties()[0].value;
  }
  const auto end = std::chrono::steady_clock::now();
  sink = sum;  // keeps the loop from being left out
  return std::chrono::duration<double, std::nano>(end - start).count() / count;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vantorel) {
  emscripten::function("catalog", &Catalog);
  emscripten::function("fluidId", &FluidId);
  emscripten::function("calculate", &Calculation);
  emscripten::function("chart", &ChartData);
  emscripten::function("sweep", &Sweep);
  emscripten::function("kelvin", &Kelvin);
  emscripten::function("shortest", &Shortest);
  emscripten::function("nanosecondsPerLookUp", &NanosecondsPerLookUp);
}

}  // namespace vantorel::web
