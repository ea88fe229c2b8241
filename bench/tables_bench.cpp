// Nanoseconds per call of every table procedure, called the way the window
// calls it (State.Temp in, slots out), at temperatures spread over its range.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "Catalog.h"
#include "PropertyState.h"

namespace {

using vantorel::Fluid;

constexpr int kSpread = 97;  // temperatures per range, not a divisor of any row spacing

void CallProcedure(benchmark::State& state, const Fluid* fluid) {
  std::array<double, kSpread> temps;
  for (int i = 0; i < kSpread; ++i) temps[i] = fluid->Tmin + (fluid->Tmax - fluid->Tmin) * i / (kSpread - 1);
  int i = 0;
  for (auto _ : state) {
    vantorel::State.Temp = temps[i];
    fluid->props();
    benchmark::DoNotOptimize(vantorel::State);
    benchmark::ClobberMemory();
    if (++i == kSpread) i = 0;
  }
}

int RegisterAll() {
  for (const auto& category : vantorel::Categories())
    for (const Fluid& fluid : category.fluids)
      if (fluid.props)
        benchmark::RegisterBenchmark(("Props/" + std::string(fluid.id)).c_str(), CallProcedure, &fluid)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true)
            ->DisplayAggregatesOnly(true);
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
