#pragma once
// What a screen reader says for a result: the whole of it in words, "density
// ρ, 1.1281 kilograms per cubic metre", the power of ten read out ("189.3
// times ten to the minus 7 newton seconds per square metre"), and the
// markers as "no value" and "infinite". The label itself keeps showing the
// book's form, 189.3E-7.

#include <QString>
#include <string_view>

#include "Display.h"

namespace vantorel::window {

// A symbol as it is read: a subscript after "sub" ("c_p,f" is "c sub p,f").
QString SpokenSymbol(std::string_view symbol);

// A unit in words ("N·s/m²" is "newton seconds per square metre"); empty for
// a pure number, and for a unit it has no words for.
QString SpokenUnit(std::string_view unit);

// A result label's text in words, with its unit: "189.3 times ten to the
// minus 7 newton seconds per square metre", "no value", "infinite".
QString SpokenValue(const QString& labelText, std::string_view unit);

// The accessible name of a result label showing `labelText`.
QString SpokenResult(const ShownProperty& property, const QString& labelText);

// The accessible name of a property's symbol picture: "density ρ in
// kilograms per cubic metre".
QString SpokenPicture(const ShownProperty& property);

// The property a slot's picture stands for: the same in every category that
// shows the slot.
const ShownProperty& PropertyOfSlot(Slot slot);

}  // namespace vantorel::window
