// Nanoseconds per look-up of every fluid through the door, as the shells
// make it (LookUpValues: the SI values into an array), at temperatures spread
// over its range; a whole reading, with texts and source, for three fluids;
// and the row writers' CSV and JSON rows for air across its range.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include <vantorel/vantorel.h>

namespace {

using vantorel::Fluid;

constexpr int kSpread = 97;  // temperatures per range, not a divisor of any row spacing

std::array<double, kSpread> Spread(const Fluid& fluid) {
  std::array<double, kSpread> temps;
  for (int i = 0; i < kSpread; ++i) temps[i] = fluid.Tmin + (fluid.Tmax - fluid.Tmin) * i / (kSpread - 1);
  return temps;
}

void ReadSi(benchmark::State& state, const Fluid* fluid) {
  const auto temps = Spread(*fluid);
  std::array<double, vantorel::kSlotCount> out;
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

// One row per iteration into the same buffer, its T text made beforehand as
// a sweep makes it; JSON rows after the first begin with a comma.
void WriteRows(benchmark::State& state, vantorel::RowFormat format) {
  const Fluid& air = *vantorel::FindFluid("air");
  const auto temps = Spread(air);
  std::array<std::string, kSpread> texts;
  for (int i = 0; i < kSpread; ++i) texts[i] = vantorel::NumberText(temps[i]);
  vantorel::RowWriter writer(air, format);
  std::vector<char> out(writer.RowSize(vantorel::kSweepTextSize));
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(writer.WriteRow(out.data(), temps[i], texts[i]));
    benchmark::ClobberMemory();
    if (++i == kSpread) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

template <typename Arg>
void Register(const std::string& name, void (*body)(benchmark::State&, Arg), Arg arg) {
  benchmark::RegisterBenchmark(name.c_str(), body, arg)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->DisplayAggregatesOnly(true);
}

int RegisterAll() {
  // "Props/": the name these figures have had since they timed the window's
  // table procedures, which give the same values.
  for (const auto& category : vantorel::Categories())
    for (const Fluid& fluid : category.fluids) Register("Props/" + std::string(fluid.id), ReadSi, &fluid);
  for (const char* id : {"air", "saturated-water", "pbbi"})
    Register("Reading/" + std::string(id), Read, vantorel::FindFluid(id));
  Register("Rows/csv", WriteRows, vantorel::RowFormat::Csv);
  Register("Rows/json", WriteRows, vantorel::RowFormat::Json);
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
