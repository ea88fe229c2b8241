#include "Messages.h"

#include <cstdio>
#include <variant>
#include <vector>

#include "Catalog.h"
#include "Display.h"
#include "Page.h"
#include "vantorel.h"

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
  return out + "}";
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
  return out + '"';
}

std::string CatalogJson() {
  std::string out = "[";
  for (const Category& category : Categories()) {
    if (out.size() > 1) out += ',';
    out += '{';
    Field(out, "name", category.name);
    out += ',';
    Field(out, "table", category.table);
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
      out += ",\"properties\":[";
      const Result first = LookUp(fluid, fluid.Tmin);
      bool any = false;
      for (const Property& p : first->properties()) {
        if (any) out += ',';
        any = true;
        out += '{';
        Field(out, "id", p.id);
        out += ',';
        Field(out, "name", p.name);
        out += ',';
        Field(out, "symbol", p.symbol);
        out += ',';
        Field(out, "heading", Heading(p));
        out += ',';
        Field(out, "unit", p.bookUnit);
        out += '}';
      }
      out += "]}";
    }
    out += "]}";
  }
  return out + "]";
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
  Field(out, "source", SourceText(r));
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
  return out + "]}";
}

std::string SweepJson(std::string_view fluidName, std::string_view from, std::string_view to, std::string_view step) {
  const Fluid* fluid = FindFluid(fluidName);
  if (!fluid) return Error(LookUp(fluidName, 0).error().message());
  const std::variant<Sweep, std::string> plan = PlanSweep(*fluid, from, to, step);
  if (const std::string* error = std::get_if<std::string>(&plan)) return Error(*error);
  const Sweep& sweep = std::get<Sweep>(plan);
  std::string out = "{\"rows\":[";
  char tText[kSweepTextSize];
  for (std::size_t i = 0; i < sweep.count(); ++i) {
    if (i > 0) out += ',';
    out += '[';
    out += JsonString(std::string_view(tText, static_cast<std::size_t>(sweep.WriteText(tText, i) - tText)));
    const Result r = LookUp(*fluid, sweep.At(i));  // held: the loop reads the reading inside it
    for (const Property& p : r->properties()) {
      out += ',';
      out += JsonString(p.text());
    }
    out += ']';
  }
  out += "],";
  Field(out, "csv", SweepCsv(*fluid, sweep));
  out += ',';
  Field(out, "tsv", SweepTsv(*fluid, sweep));
  return out + "}";
}

}  // namespace vantorel::web
