// Nanoseconds per call of every table procedure, called the way the window
// calls it (State.Temp in, slots out), at temperatures spread over its range;
// and of the checked call, as a whole reading and as SI values only.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "Catalog.h"
#include "PropertyState.h"
#include <vantorel/vantorel.h>

namespace {

using vantorel::Fluid;

constexpr int kSpread = 97;  // temperatures per range, not a divisor of any row spacing

std::array<double, kSpread> Spread(const Fluid& fluid) {
  std::array<double, kSpread> temps;
  for (int i = 0; i < kSpread; ++i) temps[i] = fluid.Tmin + (fluid.Tmax - fluid.Tmin) * i / (kSpread - 1);
  return temps;
}

void CallProcedure(benchmark::State& state, const Fluid* fluid) {
  const auto temps = Spread(*fluid);
  int i = 0;
  for (auto _ : state) {
    vantorel::State.Temp = temps[i];
    vantorel::Props(*fluid);
    benchmark::DoNotOptimize(vantorel::State);
    benchmark::ClobberMemory();
    if (++i == kSpread) i = 0;
  }
}

void ReadSi(benchmark::State& state, const Fluid* fluid) {
  const auto temps = Spread(*fluid);
  std::array<double, 14> out;
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vantorel::LookUpValues(*fluid, temps[i], out.data()));
    benchmark::ClobberMemory();
    if (++i == kSpread) i = 0;
  }
}

void Read(benchmark::State& state, const Fluid* fluid) {
  const auto temps = Spread(*fluid);
  int i = 0;
  for (auto _ : state) {
    const vantorel::Result r = vantorel::LookUp(*fluid, temps[i]);
    benchmark::DoNotOptimize(r);
    if (++i == kSpread) i = 0;
  }
}

void Register(const std::string& name, void (*body)(benchmark::State&, const Fluid*), const Fluid* fluid) {
  benchmark::RegisterBenchmark(name.c_str(), body, fluid)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->DisplayAggregatesOnly(true);
}

int RegisterAll() {
  for (const auto& category : vantorel::Categories())
    for (const Fluid& fluid : category.fluids) Register("Props/" + std::string(fluid.id), CallProcedure, &fluid);
  for (const char* id : {"air", "saturated-water", "pbbi"}) {
    const Fluid* fluid = vantorel::FindFluid(id);
    Register("SiValues/" + std::string(id), ReadSi, fluid);
    Register("Reading/" + std::string(id), Read, fluid);
  }
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
