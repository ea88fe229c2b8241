#pragma once
// What the page does with a temperature or a pressure while it is typed:
// whether the text may still become one. The door reads texts, converts degrees to
// kelvin and back (TemperatureText).

#include <string>
#include <string_view>

#include <vantorel/vantorel.h>

namespace vantorel::web {

// How the page reads what is typed: a bare number in the unit box's unit,
// "." or "," as the decimal mark, a unit written in the text over the box's.
TextOptions PageOptions(TemperatureUnit box);

// Whether typing on can still make `text` a temperature within the fluid's
// range: "3" on its way to "310" for air, "36.85 °" to "36.85 °C", "3e" to
// "3e2". The page keeps quiet about such a text until the user is done with
// it. The core's reader is asked about the text with endings added, so the
// grammar stays the core's.
bool Completable(const Fluid& fluid, std::string_view text, TemperatureUnit box);

// The same for a pressure of saturated water: "2" on its way to "2 bar",
// "101.3 k" to "101.3 kPa", "0.00" to "0.006 bar"; never for a fluid with no
// saturation pressure. The core's reader is asked, as above.
bool PressureCompletable(const Fluid& fluid, std::string_view text);

}  // namespace vantorel::web
