#include "Request.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vantorel::cli {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The temperatures of a look-up, or why there are none.
std::variant<Temperatures, std::string> TemperaturesOf(const Arguments& a, const Fluid& fluid) {
  const bool anySweep = a.from || a.to || a.step;
  if (anySweep && !a.temperatures.empty())
    return std::string("give either temperatures or --from/--to/--step, not both");
  if (!a.pressures.empty() && (anySweep || !a.temperatures.empty()))
    return std::string("give either temperatures or --pressure, not both");
  if (anySweep) {
    if (!a.from || !a.to || !a.step) return std::string("a sweep needs all three of --from, --to and --step");
    const SweepResult sweep = PlanSweep(fluid, *a.from, *a.to, *a.step, kMaxSweepRows);
    if (!sweep) return sweep.error().message();
    return Temperatures(*sweep);
  }
  if (!a.pressures.empty()) {
    std::vector<Temperatures::Given> list;
    for (const std::string& text : a.pressures) {
      const SaturationResult s = SaturationAt(fluid, text);
      if (!s) return s.error().message();
      list.push_back({s->T, NumberText(s->T)});
    }
    return Temperatures(std::move(list));
  }
  if (a.temperatures.empty())
    return std::string("no temperature given: FLUID T [T ...], or FLUID --from A --to B --step S");
  std::vector<Temperatures::Given> list;
  list.reserve(a.temperatures.size());
  for (const std::string& text : a.temperatures) {
    // One bad temperature among good ones refuses them all: nothing is written.
    const Result looked = LookUpText(fluid, text);
    if (!looked) return looked.error().message();
    list.push_back({looked->T, NumberText(looked->T)});
  }
  return Temperatures(std::move(list));
}

}  // namespace

void Temperatures::WriteIn(TemperatureUnit unit) {
  if (sweep_ || unit == unit_) return;
  unit_ = unit;
  for (Given& given : list_) given.text = TemperatureText(given.kelvin, unit);
}

char* Temperatures::PutText(char* out, std::size_t i) const {
  if (sweep_) return sweep_->unit() == TemperatureUnit::Kelvin ? sweep_->WriteText(out, i) : sweep_->WriteTyped(out, i);
  const std::string& text = list_[i].text;
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

std::optional<Format> FormatNamed(std::string_view name) {
  const auto is = [name](std::string_view word) {
    return std::equal(name.begin(), name.end(), word.begin(), word.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
  };
  if (is("table")) return Format::Table;
  if (is("csv")) return Format::Csv;
  if (is("json")) return Format::Json;
  return std::nullopt;
}

std::variant<Request, Refusal> MakeRequest(const Arguments& a) {
  Request request;
  request.format = a.format;
  if (a.si && a.format != Format::Csv)
    return Refusal{"--si goes with --format csv (JSON gives each value in SI units as \"si\" already)"};
  if (a.explain && a.format != Format::Table)
    return Refusal{"--explain writes its working as text: leave out --format"};
  if (a.list) {
    if (a.fluid || !a.temperatures.empty() || a.from || a.to || a.step || a.explain || a.si || !a.pressures.empty() ||
        a.units)
      return Refusal{"--list takes no fluid, no temperature and no --explain, --si, --pressure or --units"};
    request.list = true;
    return request;
  }
  if (a.explain && (a.from || a.to || a.step || a.temperatures.size() + a.pressures.size() > 1))
    return Refusal{"--explain works out one temperature: give just one, and no sweep"};
  if (a.units) {
    const std::optional<UnitSystem> units = UnitSystemNamed(*a.units);
    if (!units) return Refusal{"unknown units \"" + *a.units + "\": use book, si, engineering or us"};
    if (a.si && *units != UnitSystem::SI && *units != UnitSystem::Book)
      return Refusal{"--si gives SI units: leave out --units " + std::string(UnitSystemName(*units))};
    request.units = *units;
  }
  // No fluid at all is the library's empty name, with its words.
  const FluidResult fluid = ResolveFluid(a.fluid.value_or(""));
  if (!fluid) return Refusal{fluid.error().message()};
  request.fluid = *fluid;

  auto temperatures = TemperaturesOf(a, *request.fluid);
  if (auto* refusal = std::get_if<std::string>(&temperatures)) return Refusal{std::move(*refusal)};
  request.temperatures = std::move(std::get<Temperatures>(temperatures));
  for (const std::string& text : a.pressures) request.saturations.push_back(*SaturationAt(*request.fluid, text));
  // Given one by one, temperatures are written in the units' own; a sweep
  // typed in degrees keeps them.
  if (request.units != UnitSystem::Book && !a.si) request.temperatures->WriteIn(TemperatureUnitOf(request.units));
  request.explain = a.explain;
  request.si = a.si;
  return request;
}

}  // namespace vantorel::cli
