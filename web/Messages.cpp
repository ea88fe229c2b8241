#include "Messages.h"

#include <cstdio>
#include <variant>
#include <vector>

#include "Catalog.h"
#include "Display.h"
#include "Page.h"
#include <vantorel/vantorel.h>

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

std::string Error(std::string_view message) {
  std::string out = "{";
  Field(out, "error", message);
  out += "}";
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

std::string CatalogJson() {
  std::string out = "[";
  for (const Category& category : Categories()) {
    if (out.size() > 1) out += ',';
    out += '{';
    Field(out, "name", category.name);
    out += ',';
    Field(out, "table", category.table);
    // What a category shows is the same for each of its fluids.
    std::string properties = "[";
    for (const ShownProperty& p : Shown(category)) {
      if (properties.size() > 1) properties += ',';
      properties += '{';
      Field(properties, "id", SlotName(p.slot));
      properties += ',';
      Field(properties, "name", p.name);
      properties += ',';
      Field(properties, "symbol", p.symbol);
      properties += ',';
      Field(properties, "heading", Heading(p.symbol, p.power));
      properties += ',';
      Field(properties, "unit", p.unit.book);
      properties += '}';
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
      out += ",\"properties\":";
      out += properties;
      out += '}';
    }
    out += "]}";
  }
  out += "]";
  return out;
}

std::string CalculationJson(std::string_view fluidName, std::string_view text, std::string_view unit) {
  const Fluid* fluid = FindFluid(fluidName);
  if (!fluid) return Error(LookUp(fluidName, 0).error().message());
  const std::variant<Reading, std::string> result = Calculate(*fluid, text, UnitOf(unit));
  if (const std::string* error = std::get_if<std::string>(&result)) return Error(*error);
  const Reading& r = std::get<Reading>(result);
  std::string out = "{";
  NumberField(out, "T", r.T);
  out += ',';
  Field(out, "Ttext", NumberText(r.T));
  out += ',';
  Field(out, "source", web::SourceText(r));
  out += ",\"properties\":[";
  bool any = false;
  for (const Property& p : r.properties()) {
    if (any) out += ',';
    any = true;
    out += '{';
    Field(out, "id", p.id);
    out += ',';
    Field(out, "text", p.text());
    out += ',';
    Field(out, "state", p.state == ValueState::Value ? "value" : p.state == ValueState::NoValue ? "none" : "infinite");
    out += ',';
    Field(out, "si", SiText(p));
    out += ',';
    Field(out, "working", Working(r, p));
    out += '}';
  }
  out += "]}";
  return out;
}

std::string SweepJson(std::string_view fluidName, std::string_view from, std::string_view to, std::string_view step) {
  const Fluid* fluid = FindFluid(fluidName);
  if (!fluid) return Error(LookUp(fluidName, 0).error().message());
  const std::variant<Sweep, std::string> plan = PlanSweep(*fluid, from, to, step);
  if (const std::string* error = std::get_if<std::string>(&plan)) return Error(*error);
  const Sweep& sweep = std::get<Sweep>(plan);
  // One look-up per row: the rows' cells are the tab-separated lines, and
  // the CSV is the same lines under its own header.
  const std::string tsv = SweepTsv(*fluid, sweep);
  std::string out = "{\"rows\":[";
  std::string_view lines = std::string_view(tsv).substr(tsv.find('\n') + 1);
  for (bool first = true; !lines.empty(); first = false) {
    const std::size_t end = lines.find('\n');
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(end + 1);
    if (!first) out += ',';
    out += '[';
    for (bool firstCell = true;; firstCell = false) {
      const std::size_t tab = line.find('\t');
      if (!firstCell) out += ',';
      out += JsonString(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
    out += ']';
  }
  out += "],";
  Field(out, "csv", CsvOfTsv(*fluid, tsv));
  out += ',';
  Field(out, "tsv", tsv);
  out += '}';
  return out;
}

}  // namespace vantorel::web
