// The page's WebAssembly module: Messages.h and Page.h handed to the script,
// answers as JSON texts and a chart's points as arrays of doubles. Nothing
// is worked out here.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "Catalog.h"
#include "Display.h"
#include "Messages.h"
#include "Page.h"
#include "Temperature.h"
#include <vantorel/vantorel.h>

namespace vantorel::web {

namespace {

using emscripten::val;

// A copy of `values` as a Float64Array.
val Doubles(const std::vector<double>& values) {
  return val(emscripten::typed_memory_view(values.size(), values.data())).call<val>("slice");
}

// The id of the fluid a name stands for (id, alias or list text), or null.
val FluidId(const std::string& name) {
  const Fluid* fluid = FindFluid(name);
  return fluid ? val(std::string(fluid->id)) : val::null();
}

// {T, curve, book, current} as Float64Arrays, NaN where a series has no
// point; all empty for an unknown fluid or property.
val ChartData(const std::string& fluidName, const std::string& property, double current, int samples) {
  Chart chart;
  if (const Fluid* fluid = FindFluid(fluidName)) chart = ChartOf(*fluid, property, current, samples);
  val out = val::object();
  out.set("T", Doubles(chart.T));
  out.set("curve", Doubles(chart.curve));
  out.set("book", Doubles(chart.book));
  out.set("current", Doubles(chart.current));
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

// Nanoseconds per look-up of `fluid` over `count` temperatures spread across
// its range, timed inside the module, without the crossing into the script.
// `kind` says which: "table", the table's look-up of every slot, as the
// window's table procedures make it; "values", the checked call's SI values
// (LookUpValues); "reading", the checked call's whole reading (LookUp).
double NanosecondsPerLookUp(const std::string& fluidName, const std::string& kind, int count) {
  const Fluid* fluid = FindFluid(fluidName);
  if (!fluid || count <= 0) return 0;
  constexpr int kSpread = 97;  // temperatures per range, as the native benchmark takes them
  double temps[kSpread];
  for (int i = 0; i < kSpread; ++i) temps[i] = fluid->Tmin + (fluid->Tmax - fluid->Tmin) * i / (kSpread - 1);
  double sum = 0;
  double values[14];
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    const double t = temps[i % kSpread];
    if (kind == "table") {
      sum += LookUpSlots(*fluid, t).value[0];
    } else if (kind == "values") {
      LookUpValues(*fluid, t, values);
      sum += values[0];
    } else {
      sum += LookUp(*fluid, t)->properties()[0].value;
    }
  }
  const auto end = std::chrono::steady_clock::now();
  sink = sum;  // keeps the loop from being left out
  return std::chrono::duration<double, std::nano>(end - start).count() / count;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vantorel) {
  emscripten::function("catalog", &CatalogJson);
  emscripten::function("fluidId", &FluidId);
  emscripten::function(
      "calculate", +[](const std::string& fluid, const std::string& text, const std::string& unit) {
        return CalculationJson(fluid, text, unit);
      });
  emscripten::function(
      "sweep", +[](const std::string& fluid, const std::string& from, const std::string& to, const std::string& step) {
        return SweepJson(fluid, from, to, step);
      });
  emscripten::function("chart", &ChartData);
  emscripten::function("kelvin", &Kelvin);
  emscripten::function("shortest", &Shortest);
  emscripten::function("nanosecondsPerLookUp", &NanosecondsPerLookUp);
}

}  // namespace vantorel::web
