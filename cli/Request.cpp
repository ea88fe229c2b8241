#include "Request.h"

#include <algorithm>
#include <cctype>

#include "Display.h"

namespace vantorel::cli {

namespace {

constexpr std::string_view kOutOfRange = "The temperature specified falls outside the temperature range.";

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string UnknownFluid(std::string_view name) {
  std::string message = "unknown fluid " + Quoted(name) + "; closest: ";
  const auto closest = ClosestIds(name);
  for (std::size_t i = 0; i < closest.size(); ++i) {
    if (i > 0) message += ", ";
    message += closest[i];
  }
  return message + " (--list shows them all)";
}

std::string OutsideRange(std::string_view what, const Fluid& fluid) {
  return std::string(kOutOfRange) + " " + std::string(what) + " is not within " + RangeText(fluid) + " for " +
         std::string(fluid.name) + ".";
}

bool InRange(double t, const Fluid& fluid) { return t >= fluid.Tmin && t <= fluid.Tmax; }

// The temperatures of a lookup request, or why there are none.
std::variant<Temperatures, std::string> TemperaturesOf(const Arguments& a, const Fluid& fluid) {
  const bool anySweep = a.from || a.to || a.step;
  if (anySweep && !a.temperatures.empty())
    return std::string("give either temperatures or --from/--to/--step, not both");
  if (anySweep) {
    if (!a.from || !a.to || !a.step) return std::string("a sweep needs all three of --from, --to and --step");
    const auto from = ParseNumber(*a.from), to = ParseNumber(*a.to), step = ParseNumber(*a.step);
    if (!from) return "--from " + Quoted(*a.from) + " is not a finite number";
    if (!to) return "--to " + Quoted(*a.to) + " is not a finite number";
    if (!step) return "--step " + Quoted(*a.step) + " is not a finite number";
    auto sweep = PlanSweep(*from, *to, *step);
    if (auto* refusal = std::get_if<std::string>(&sweep)) return std::move(*refusal);
    if (!InRange(*from, fluid)) return OutsideRange("--from " + *a.from, fluid);
    if (!InRange(*to, fluid)) return OutsideRange("--to " + *a.to, fluid);
    return Temperatures(std::get<Sweep>(sweep));
  }
  if (a.temperatures.empty())
    return std::string("no temperature given: FLUID T [T ...], or FLUID --from A --to B --step S");
  std::vector<double> list;
  list.reserve(a.temperatures.size());
  for (const std::string& text : a.temperatures) {
    const auto t = ParseNumber(text);
    if (!t) return Quoted(text) + " is not a temperature: give a finite number of kelvin, such as 310.5";
    if (!InRange(*t, fluid)) return OutsideRange("T = " + text, fluid);
    list.push_back(*t);
  }
  return Temperatures(std::move(list));
}

}  // namespace

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
  if (a.list) {
    if (a.fluid || !a.temperatures.empty() || a.from || a.to || a.step)
      return Refusal{"--list takes no fluid and no temperature"};
    request.list = true;
    return request;
  }
  if (!a.fluid) return Refusal{"no fluid given: FLUID T [T ...] (--list shows the fluids)"};
  request.fluid = FindFluid(*a.fluid);
  if (!request.fluid) return Refusal{UnknownFluid(*a.fluid)};

  auto temperatures = TemperaturesOf(a, *request.fluid);
  if (auto* refusal = std::get_if<std::string>(&temperatures)) return Refusal{std::move(*refusal)};
  request.temperatures = std::move(std::get<Temperatures>(temperatures));
  return request;
}

}  // namespace vantorel::cli
