// The page's WebAssembly module: Messages.h and Page.h handed to the script,
// answers as JSON texts and a chart's points as arrays of doubles. Nothing
// is worked out here.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <string>
#include <vector>

#include <vantorel/vantorel.h>
#include "Messages.h"
#include "Page.h"

namespace vantorel::web {

namespace {

using emscripten::val;

// A copy of `values` as a Float64Array.
val Doubles(const std::vector<double>& values) {
  return val(emscripten::typed_memory_view(values.size(), values.data())).call<val>("slice");
}

// The id of the fluid a name stands for (any name ResolveFluid knows), or null.
val FluidId(const std::string& name) {
  const FluidResult fluid = ResolveFluid(name);
  return fluid ? val(std::string((*fluid)->id)) : val::null();
}

// {T, x, curve, book, current} as Float64Arrays, NaN where a series has no
// point, with the labels of the axes and the unit box's code of x's unit,
// all in `units`; the arrays empty for an unknown fluid or property.
val ChartData(const std::string& fluidName, const std::string& property, double current, int samples,
              const std::string& units) {
  Chart chart;
  if (const FluidResult fluid = ResolveFluid(fluidName))
    chart = ChartOf(**fluid, property, current, samples, SystemOf(units));
  val out = val::object();
  out.set("T", Doubles(chart.T));
  out.set("x", Doubles(chart.x));
  out.set("curve", Doubles(chart.curve));
  out.set("book", Doubles(chart.book));
  out.set("current", Doubles(chart.current));
  out.set("axis", chart.axis);
  out.set("xAxis", chart.xAxis);
  out.set("xUnit", std::string(BoxCode(chart.xUnit)));
  out.set("currentX", chart.currentX);
  return out;
}

// The kelvin a text typed with the unit box at `unit` ("K", "C", "F") stands
// for, or null.
val Kelvin(const std::string& text, const std::string& unit) {
  const TemperatureResult t = ParseTemperature(text, PageOptions(UnitOf(unit)));
  return t ? val(t->kelvin) : val::null();
}

// `text`, typed with the unit box at `from`, rewritten for the box at `to`:
// the same temperature as a bare number in the new unit ("36.85" for "310"
// from K to C), or null when the text is no temperature to rewrite.
val Converted(const std::string& text, const std::string& from, const std::string& to) {
  const TemperatureResult t = ParseTemperature(text, PageOptions(UnitOf(from)));
  if (!t) return val::null();
  const std::string converted = TemperatureText(t->kelvin, UnitOf(to));
  return converted.empty() ? val::null() : val(converted);
}

// The shortest round-trip text of a number, as every text on the page has it.
std::string Shortest(double v) { return NumberText(v); }

volatile double sink;

// Nanoseconds per look-up of `fluid` over `count` temperatures spread across
// its range, timed inside the module, without the crossing into the script.
// `kind` says which: "reading", the whole reading (LookUp); any other, the SI
// values alone (LookUpValues). bench/web.py still asks for a "table" kind,
// which the door has no cheaper call for than the SI values.
double NanosecondsPerLookUp(const std::string& fluidName, const std::string& kind, int count) {
  const FluidResult found = ResolveFluid(fluidName);
  if (!found || count <= 0) return 0;
  const Fluid* fluid = *found;
  constexpr int kSpread = 97;  // temperatures per range, as the native benchmark takes them
  double temps[kSpread];
  for (int i = 0; i < kSpread; ++i) temps[i] = fluid->Tmin + (fluid->Tmax - fluid->Tmin) * i / (kSpread - 1);
  const bool reading = kind == "reading";
  double sum = 0;
  double values[14];
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    const double t = temps[i % kSpread];
    if (reading) {
      sum += LookUp(*fluid, t)->properties()[0].value;
    } else {
      LookUpValues(*fluid, t, values);
      sum += values[0];
    }
  }
  const auto end = std::chrono::steady_clock::now();
  sink = sum;  // keeps the loop from being left out
  return std::chrono::duration<double, std::nano>(end - start).count() / count;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vantorel) {
  emscripten::function("catalog", &PageCatalogJson);
  emscripten::function("fluidId", &FluidId);
  // calculate(fluid, text, unit) in the book's units, or with a fourth
  // argument, the units.
  emscripten::function(
      "calculate", +[](const std::string& fluid, const std::string& text, const std::string& unit) {
        return CalculationJson(fluid, text, unit);
      });
  emscripten::function(
      "calculate", +[](const std::string& fluid, const std::string& text, const std::string& unit,
                       const std::string& units) { return CalculationJson(fluid, text, unit, units); });
  emscripten::function(
      "atPressure", +[](const std::string& fluid, const std::string& text, const std::string& units) {
        return PressureJson(fluid, text, units);
      });
  emscripten::function(
      "sweep",
      +[](const std::string& fluid, const std::string& from, const std::string& to, const std::string& step,
          const std::string& unit, const std::string& units) { return SweepJson(fluid, from, to, step, unit, units); });
  emscripten::function(
      "sweepRows",
      +[](const std::string& fluid, const std::string& from, const std::string& to, const std::string& step,
          const std::string& unit, unsigned first, unsigned count,
          const std::string& units) { return SweepRowsJson(fluid, from, to, step, unit, first, count, units); });
  emscripten::function(
      "kept", +[](const std::string& kept, const std::string& units) { return KeptJson(kept, units); });
  emscripten::function(
      "withUnit", +[](const std::string& text, const std::string& unit) { return WithUnit(text, UnitOf(unit)); });
  emscripten::function("convert", &Converted);
  emscripten::function("chart", &ChartData);
  emscripten::function("kelvin", &Kelvin);
  emscripten::function("shortest", &Shortest);
  emscripten::function("nanosecondsPerLookUp", &NanosecondsPerLookUp);
}

}  // namespace vantorel::web
