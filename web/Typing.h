#pragma once
// What the page does with a temperature while it is typed and when the unit
// box changes: whether the text may still become a temperature, and the
// temperature rewritten in another unit, exactly in decimal. The door reads
// texts and converts degrees to kelvin; the way back from kelvin is worked
// out here, from the kelvin's shortest text.

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

// The temperature `kelvin` (as the core reads a text) in `unit`, as the
// shortest plain decimal that reads back as the same kelvin: 310 K is
// "36.85" in °C and "98.33" in °F. Worked out exactly in decimal from the
// kelvin's shortest text: 310 − 273.15 is 36.85, never 36.850000000000023.
// Empty for a temperature too large or too small to write plainly.
std::string TemperatureText(double kelvin, TemperatureUnit unit);

// How degrees become kelvin, as the first line of the working:
// "T = 36.85 °C + 273.15 = 310 K", "T = (100 °F + 459.67) × 5/9 ≈
// 310.92777777777775 K" where the kelvin does not end. Empty for kelvin.
std::string ConversionLine(double kelvin, TemperatureUnit unit);

}  // namespace vantorel::web
