#pragma once
// What the WebAssembly module hands the page's script: each answer as one
// JSON text, which the script reads with JSON.parse. One string across is
// far quicker than building the objects a field at a time from C++.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorel::web {

// [{name, table, fluids: [{id, name, Tmin, Tmax, range, pressure?,
// properties: [{id, name, symbol, heading, unit, units}]}]}]: the categories
// in the window's order, each fluid with its range and the properties its
// category shows, their book units (`unit`) and their units in each system
// (`units`: {book, si, engineering, us}); `pressure`, the range of the
// saturation line ("0.00611 bar to 221.2 bar"), only for the fluid that has
// one.
std::string PageCatalogJson();

// {T, Ttext, t: {text, unit, value}, title, typed, conversion, pressure,
// saturation, source, properties: [{id, text, unit, state, si, working}]},
// the state "value", "none" or "infinite", for the temperature `text` typed
// with the unit box at `unit` ("K", "C", "F") for the fluid `fluid` (any
// name ResolveFluid knows). Texts and units are in `units` ("book", "si",
// "engineering", "us"; the book's by default), `t` the temperature in their
// unit; `typed` is the text with its unit and `conversion` the working's
// line to kelvin when it was read in degrees, else both empty; `title` the
// results' heading. Or {error, input, closest, pending}: an empty error
// shows nothing; `input` is "fluid" or "T", `closest` the ids nearest an
// unknown fluid, `pending` whether the text may still become valid.
std::string CalculationJson(std::string_view fluid, std::string_view text, std::string_view unit,
                            std::string_view units = "book");

// The same for the pressure `text` (saturated water's): the reading at its
// saturation temperature, with `pressure` the pressure as read ("2 bar")
// and `saturation` the lines of how T_sat was found; an error's `input` is
// "fluid" or "P".
std::string PressureJson(std::string_view fluid, std::string_view text, std::string_view units = "book");

// {count, from, to, step, unit, header: {tsv, csv, si}} for a sweep, the
// ends and step as typed with their units, the unit its T is written in
// ("K", "°C", "°F"), the header lines of its three forms (RowTexts) in
// `units`; or {error, input}, `input` "fluid", "from", "to" or "step".
std::string SweepJson(std::string_view fluid, std::string_view from, std::string_view to, std::string_view step,
                      std::string_view unit, std::string_view units = "book");

// {tsv, csv, si}: rows [first, first + count) of that sweep, without
// headers; or {error, input}.
std::string SweepRowsJson(std::string_view fluid, std::string_view from, std::string_view to, std::string_view step,
                          std::string_view unit, std::size_t first, std::size_t count, std::string_view units = "book");

// {tsv, csv, si}: KeptRows() of `kept` in `units`, one reading a line as the
// fluid's id (or any name ResolveFluid knows), a tab and the temperature in
// kelvin. A line whose fluid is unknown, or whose temperature is none
// within its range, is left out.
std::string KeptJson(std::string_view kept, std::string_view units = "book");

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

}  // namespace vantorel::web
