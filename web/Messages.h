#pragma once
// What the WebAssembly module hands the page's script: each answer as one
// JSON text, which the script reads with JSON.parse. One string across is
// far quicker than building the objects a field at a time from C++.

#include <string>
#include <string_view>

namespace vantorel::web {

// [{name, table, fluids: [{id, name, Tmin, Tmax, range, properties: [{id,
// name, symbol, heading, unit}]}]}]: the categories in the window's order,
// each fluid with its range and the properties its category shows, their
// book units.
std::string CatalogJson();

// {T, Ttext, source, properties: [{id, text, state, si, working}]}, the
// state "value", "none" or "infinite", for the
// temperature `text` typed in `unit` ("K", "C", "F") for the fluid `fluid`
// (an id, alias or list text), or {error}: an empty error shows nothing.
std::string CalculationJson(std::string_view fluid, std::string_view text, std::string_view unit);

// {rows: [[T text, text, ...]], csv, tsv} for a sweep, or {error}.
std::string SweepJson(std::string_view fluid, std::string_view from, std::string_view to, std::string_view step);

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

}  // namespace vantorel::web
