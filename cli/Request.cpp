#include "Request.h"

#include <algorithm>
#include <cctype>
#include <span>

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

// "nak": more than one fluid goes by it, so the refusal names each.
std::string AmbiguousFluid(std::string_view name, std::span<const std::string_view> ids) {
  std::string message = Quoted(name) + " could be ";
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (i > 0) message += i + 1 == ids.size() ? " or " : ", ";
    message += std::string(ids[i]);
    if (const Fluid* fluid = FindFluid(ids[i])) message += " (" + std::string(fluid->name) + ")";
  }
  return message + ": give one of them";
}

bool InRange(double t, const Fluid& fluid) { return t >= fluid.Tmin && t <= fluid.Tmax; }

// `what` is "T = 25" or "--from 25"; a bare number that is out of range as
// kelvin but in range as degrees Celsius was most likely meant as those.
std::string OutsideRange(std::string_view what, const TypedTemperature& t, const Fluid& fluid) {
  std::string message = std::string(kOutOfRange) + " " + std::string(what);
  if (t.suffixed) message += " = " + NumberText(t.kelvin) + " K";
  message += " is not within " + RangeText(fluid) + " for " + std::string(fluid.name);
  if (!t.suffixed) {
    const auto celsius = KelvinFromDecimal(t.number, TemperatureUnit::Celsius);
    if (celsius && InRange(*celsius, fluid))
      return message + "; did you mean " + std::string(t.number) + " °C = " + NumberText(*celsius) + " K? write " +
             std::string(t.number) + "C";
  }
  return message + ".";
}

constexpr std::string_view kTemperatureForms = "give kelvin (310.5) or degrees with their unit (36.85C, 98.33F)";

// The temperatures of a lookup request, or why there are none.
std::variant<Temperatures, std::string> TemperaturesOf(const Arguments& a, const Fluid& fluid) {
  const bool anySweep = a.from || a.to || a.step;
  if (anySweep && !a.temperatures.empty())
    return std::string("give either temperatures or --from/--to/--step, not both");
  if (anySweep) {
    if (!a.from || !a.to || !a.step) return std::string("a sweep needs all three of --from, --to and --step");
    const auto from = ReadTemperature(*a.from), to = ReadTemperature(*a.to);
    if (!from) return "--from " + Quoted(*a.from) + " is not a temperature: " + std::string(kTemperatureForms);
    if (!to) return "--to " + Quoted(*a.to) + " is not a temperature: " + std::string(kTemperatureForms);
    auto sweep = PlanSweep(*from, *to, *a.step);
    if (auto* refusal = std::get_if<std::string>(&sweep)) return std::move(*refusal);
    if (!InRange(from->kelvin, fluid)) return OutsideRange("--from " + std::string(from->text), *from, fluid);
    if (!InRange(to->kelvin, fluid)) return OutsideRange("--to " + std::string(to->text), *to, fluid);
    return Temperatures(std::get<Sweep>(sweep));
  }
  if (a.temperatures.empty())
    return std::string("no temperature given: FLUID T [T ...], or FLUID --from A --to B --step S");
  std::vector<double> list;
  list.reserve(a.temperatures.size());
  for (const std::string& text : a.temperatures) {
    const auto t = ReadTemperature(text);
    if (!t) return Quoted(text) + " is not a temperature: " + std::string(kTemperatureForms);
    if (!InRange(t->kelvin, fluid)) return OutsideRange("T = " + std::string(t->text), *t, fluid);
    list.push_back(t->kelvin);
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
  if (a.si && a.format != Format::Csv)
    return Refusal{"--si goes with --format csv (JSON gives each value in SI units as \"si\" already)"};
  if (a.explain && a.format != Format::Table)
    return Refusal{"--explain writes its working as text: leave out --format"};
  if (a.list) {
    if (a.fluid || !a.temperatures.empty() || a.from || a.to || a.step || a.explain || a.si)
      return Refusal{"--list takes no fluid, no temperature and no --explain or --si"};
    request.list = true;
    return request;
  }
  if (!a.fluid) return Refusal{"no fluid given: FLUID T [T ...] (--list shows the fluids, --help the usage)"};
  if (a.explain && (a.from || a.to || a.step || a.temperatures.size() > 1))
    return Refusal{"--explain works out one temperature: give just one, and no sweep"};
  request.fluid = FindFluid(*a.fluid);
  if (!request.fluid) {
    const auto ids = AmbiguousIds(*a.fluid);
    return Refusal{ids.empty() ? UnknownFluid(*a.fluid) : AmbiguousFluid(*a.fluid, ids)};
  }

  auto temperatures = TemperaturesOf(a, *request.fluid);
  if (auto* refusal = std::get_if<std::string>(&temperatures)) return Refusal{std::move(*refusal)};
  request.temperatures = std::move(std::get<Temperatures>(temperatures));
  request.explain = a.explain;
  request.si = a.si;
  return request;
}

}  // namespace vantorel::cli
