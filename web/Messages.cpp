#include "Messages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <variant>
#include <vector>

#include <vantorel/vantorel.h>
#include "Page.h"

namespace vantorel::web {

namespace {

// Appends `"key":` and the value's JSON.
void Key(std::string& out, std::string_view key) {
  out += JsonString(key);
  out += ':';
}

void Field(std::string& out, std::string_view key, std::string_view text) {
  Key(out, key);
  out += JsonString(text);
}

// A finite number in its shortest text, which JSON.parse reads back exactly.
void NumberField(std::string& out, std::string_view key, double v) {
  Key(out, key);
  out += NumberText(v);
}

constexpr UnitSystem kSystems[] = {UnitSystem::Book, UnitSystem::SI, UnitSystem::Engineering, UnitSystem::US};

// A number, or null where it is none.
void NumberOrNull(std::string& out, std::string_view key, double v) {
  if (std::isfinite(v)) return NumberField(out, key, v);
  Key(out, key);
  out += "null";
}

std::string ErrorJson(const Error& error) {
  std::string out = "{";
  Field(out, "error", error.message());
  out += ',';
  Field(out, "input", InputName(error.input));
  out += "}";
  return out;
}

std::string TextsJson(const RowTexts& texts) {
  std::string out = "{";
  Field(out, "tsv", texts.tsv);
  out += ',';
  Field(out, "csv", texts.csv);
  out += ',';
  Field(out, "si", texts.si);
  out += '}';
  return out;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;  // UTF-8 passes as it is
    }
  }
  out += '"';
  return out;
}

std::string PageCatalogJson() {
  std::string out = "[";
  for (const Category& category : Categories()) {
    if (out.size() > 1) out += ',';
    out += '{';
    Field(out, "name", category.name);
    out += ',';
    Field(out, "table", category.table);
    // What a category shows is the same for each of its fluids.
    std::string properties = "[";
    for (const PropertyInfo& p : PropertiesOf(category)) {
      if (properties.size() > 1) properties += ',';
      properties += '{';
      Field(properties, "id", p.id);
      properties += ',';
      Field(properties, "name", p.name);
      properties += ',';
      Field(properties, "symbol", p.symbol);
      properties += ',';
      Field(properties, "heading", Heading(p));
      properties += ',';
      Field(properties, "unit", p.bookUnit);
      properties += ",\"units\":{";
      for (const UnitSystem system : kSystems) {
        if (system != kSystems[0]) properties += ',';
        Field(properties, UnitSystemName(system), UnitOf(p, system).text);
      }
      properties += "}}";
    }
    properties += ']';
    out += ",\"fluids\":[";
    for (std::size_t f = 0; f < category.fluids.size(); ++f) {
      const Fluid& fluid = category.fluids[f];
      if (f > 0) out += ',';
      out += '{';
      Field(out, "id", fluid.id);
      out += ',';
      Field(out, "name", fluid.name);
      out += ',';
      NumberField(out, "Tmin", fluid.Tmin);
      out += ',';
      NumberField(out, "Tmax", fluid.Tmax);
      out += ',';
      Field(out, "range", RangeText(fluid));
      // Only a fluid with a saturation pressure has a range of pressures.
      if (SaturationAt(fluid, "1 bar").error().code != ErrorCode::NoPressureColumn) {
        out += ',';
        Field(out, "pressure", PressureRangeText(PressureUnit::Bar));
      }
      out += ",\"properties\":";
      out += properties;
      out += '}';
    }
    out += "]}";
  }
  out += "]";
  return out;
}

namespace {

std::string CalculationJsonOf(const std::variant<Calculation, Refusal>& result, UnitSystem units) {
  if (const Refusal* refusal = std::get_if<Refusal>(&result)) {
    std::string out = "{";
    Field(out, "error", refusal->message);
    out += ',';
    Field(out, "input", InputName(refusal->input));
    out += ",\"closest\":[";
    for (std::size_t i = 0; i < refusal->closest.size(); ++i) {
      if (i > 0) out += ',';
      out += JsonString(refusal->closest[i]);
    }
    out += "],\"pending\":";
    out += refusal->pending ? "true" : "false";
    out += '}';
    return out;
  }
  const Calculation& calculation = std::get<Calculation>(result);
  const Reading& r = calculation.reading;
  const TemperatureIn t = TemperatureOf(r.T, units);
  std::string out = "{";
  NumberField(out, "T", r.T);
  out += ',';
  Field(out, "Ttext", NumberText(r.T));
  out += ",\"t\":{";
  Field(out, "text", t.text);
  out += ',';
  Field(out, "unit", t.unit);
  out += ',';
  NumberOrNull(out, "value", t.value);
  out += "},";
  Field(out, "title", Title(calculation, units));
  out += ',';
  Field(out, "typed", calculation.typed);
  out += ',';
  Field(out, "conversion", calculation.conversion);
  out += ',';
  Field(out, "pressure", calculation.pressure);
  out += ',';
  Field(out, "saturation", calculation.saturation);
  out += ',';
  Field(out, "source", SourceText(r));
  out += ",\"properties\":[";
  bool any = false;
  for (const Property& p : r.properties()) {
    if (any) out += ',';
    any = true;
    const Quantity q = ValueIn(p, units);
    out += '{';
    Field(out, "id", p.id);
    out += ',';
    Field(out, "text", q.text());
    out += ',';
    Field(out, "unit", q.unit.text);
    out += ',';
    Field(out, "state", StateName(p.state));
    out += ',';
    Field(out, "si", SiText(p));
    out += ',';
    Field(out, "working", Working(r, p));
    out += '}';
  }
  out += "]}";
  return out;
}

}  // namespace

std::string CalculationJson(std::string_view fluid, std::string_view text, std::string_view unit,
                            std::string_view units) {
  return CalculationJsonOf(Calculate(fluid, text, UnitOf(unit)), SystemOf(units));
}

std::string PressureJson(std::string_view fluid, std::string_view text, std::string_view units) {
  return CalculationJsonOf(CalculateAtPressure(fluid, text), SystemOf(units));
}

std::string SweepJson(std::string_view fluidName, std::string_view from, std::string_view to, std::string_view step,
                      std::string_view unit, std::string_view units) {
  const FluidResult fluid = ResolveFluid(fluidName);
  if (!fluid) return ErrorJson(fluid.error());
  const TemperatureUnit box = UnitOf(unit);
  const SweepResult sweep = PlanPageSweep(**fluid, from, to, step, box);
  if (!sweep) return ErrorJson(sweep.error());
  std::string out = "{";
  NumberField(out, "count", static_cast<double>(sweep->count()));
  out += ',';
  Field(out, "from", WithUnit(from, box));
  out += ',';
  Field(out, "to", WithUnit(to, box));
  out += ',';
  Field(out, "step", WithUnit(step, box));
  out += ',';
  Field(out, "unit", UnitSymbol(sweep->unit()));
  out += ",\"header\":";
  out += TextsJson(Headers(**fluid, SystemOf(units), sweep->unit()));
  out += '}';
  return out;
}

std::string SweepRowsJson(std::string_view fluidName, std::string_view from, std::string_view to, std::string_view step,
                          std::string_view unit, std::size_t first, std::size_t count, std::string_view units) {
  const FluidResult fluid = ResolveFluid(fluidName);
  if (!fluid) return ErrorJson(fluid.error());
  const SweepResult sweep = PlanPageSweep(**fluid, from, to, step, UnitOf(unit));
  if (!sweep) return ErrorJson(sweep.error());
  return TextsJson(SweepRows(**fluid, *sweep, first, count, SystemOf(units)));
}

std::string KeptJson(std::string_view lines, std::string_view units) {
  std::vector<Kept> kept;
  for (std::size_t end; !lines.empty(); lines.remove_prefix(std::min(end + 1, lines.size()))) {
    end = std::min(lines.find('\n'), lines.size());
    const std::string_view line = lines.substr(0, end);
    const std::size_t tab = std::min(line.find('\t'), line.size());
    const FluidResult fluid = ResolveFluid(line.substr(0, tab));
    const TemperatureResult t = ParseTemperature(line.substr(std::min(tab + 1, line.size())));
    if (fluid && t && t->kelvin >= (*fluid)->Tmin && t->kelvin <= (*fluid)->Tmax) kept.push_back({*fluid, t->kelvin});
  }
  return TextsJson(KeptRows(kept, SystemOf(units)));
}

}  // namespace vantorel::web
