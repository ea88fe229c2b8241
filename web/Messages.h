#pragma once
// What the WebAssembly module hands the page's script: each answer as one
// JSON text, which the script reads with JSON.parse. One string across is
// far quicker than building the objects a field at a time from C++.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorel::web {

// [{name, table, fluids: [{id, name, Tmin, Tmax, range, properties: [{id,
// name, symbol, heading, unit}]}]}]: the categories in the window's order,
// each fluid with its range and the properties its category shows, their
// book units.
std::string PageCatalogJson();

// {T, Ttext, typed, conversion, source, properties: [{id, text, state, si,
// working}]}, the state "value", "none" or "infinite", for the temperature
// `text` typed with the unit box at `unit` ("K", "C", "F") for the fluid
// `fluid` (any name ResolveFluid knows); `typed` is the text with its unit
// and `conversion` the working's line to kelvin when it was read in
// degrees, else both empty. Or {error, input, closest, pending}: an empty
// error shows nothing; `input` is "fluid" or "T", `closest` the ids nearest
// an unknown fluid, `pending` whether the text may still become valid.
std::string CalculationJson(std::string_view fluid, std::string_view text, std::string_view unit);

// {count, from, to, step, header: {tsv, csv, si}} for a sweep, the ends and
// step as typed with their units, the header lines of its three forms
// (RowTexts); or {error, input}, `input` "fluid", "from", "to" or "step".
std::string SweepJson(std::string_view fluid, std::string_view from, std::string_view to, std::string_view step,
                      std::string_view unit);

// {tsv, csv, si}: rows [first, first + count) of that sweep, without
// headers; or {error, input}.
std::string SweepRowsJson(std::string_view fluid, std::string_view from, std::string_view to, std::string_view step,
                          std::string_view unit, std::size_t first, std::size_t count);

// {tsv, csv, si}: KeptRows() of `kept`, one reading a line as the fluid's
// id (or any name ResolveFluid knows), a tab and the temperature in kelvin.
// A line whose fluid is unknown, or whose temperature is none within its
// range, is left out.
std::string KeptJson(std::string_view kept);

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

}  // namespace vantorel::web
