#pragma once
// Temperatures typed in kelvin, degrees Celsius or degrees Fahrenheit, turned
// into kelvin exactly in decimal: 25 °C is the double nearest 298.15, the
// same double the text "298.15" reads as, which adding 273.15 in binary need
// not give.

#include <vantorel/vantorel.h>  // TemperatureUnit

#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

// The double nearest to the temperature the decimal `number` stands for in
// `unit`, in kelvin: for Celsius number + 273.15, for Fahrenheit
// (number - 32) * 5/9 + 273.15, each worked out exactly before the one
// rounding to double. `number` is a plain decimal in the C locale: a sign,
// digits with at most one '.', and an optional exponent ("-173.15",
// "3.1e2"); nothing else, no blanks. Nothing for any other text, and for a
// result that is not a finite double.
std::optional<double> KelvinFromDecimal(std::string_view number, TemperatureUnit unit);

// `text` without the blanks around it: ASCII white space, and the no-break
// and thin spaces that locales put before a unit.
std::string_view TrimAllBlanks(std::string_view text);

// A typed number (no blanks around it) as a plain C decimal ("-36.85"): "−"
// (U+2212) read as a minus, and one of `decimalMarks` as the point; nothing
// when it is no decimal with at most one mark.
std::optional<std::string> PlainNumber(std::string_view text, std::string_view decimalMarks);

}  // namespace vantorel
