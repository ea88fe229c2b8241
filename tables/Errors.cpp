// The core's errors and the one sentence each says, the same in every door.

#include "Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Catalog.h"
#include "Decimal.h"
#include "Display.h"
#include "Temperature.h"

namespace vantorel {

namespace detail {

Error ErrorAbout(ErrorCode code, Input input, std::string_view text) {
  Error error;
  error.code = code;
  error.input = input;
  error.nameLength = text.size();
  std::copy_n(text.data(), std::min(text.size(), error.name.size()), error.name.data());
  return error;
}

Error FluidError(std::string_view name) {
  std::vector<std::string_view> ids;
  try {
    ids = AmbiguousIds(name);
  } catch (...) {  // no memory for the list: the error stands without it
  }
  Error error = ErrorAbout(ids.empty() ? ErrorCode::UnknownFluid : ErrorCode::AmbiguousFluid, Input::Fluid, name);
  try {
    if (ids.empty()) ids = ClosestIds(name);
  } catch (...) {
  }
  for (std::size_t i = 0; i < ids.size() && i < error.closestIds.size(); ++i)
    error.closestIds[error.closestCount++] = ids[i];
  return error;
}

std::optional<Error> RangeError(const Fluid& fluid, double t, Input input) {
  if (t >= fluid.Tmin && t <= fluid.Tmax) return std::nullopt;
  Error error = ErrorAbout(std::isfinite(t) ? ErrorCode::OutOfRange : ErrorCode::NotFinite, input, {});
  error.fluid = &fluid;
  error.T = t;
  return error;
}

}  // namespace detail

namespace {

// The length of the UTF-8 character that starts text[i], or 0 when no
// well-formed one does (a stray continuation byte, an overlong form, a
// surrogate, past U+10FFFF, or cut short).
std::size_t CharacterAt(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return length;
}

// Whether text[i] starts a character that the cut at the text's end split:
// a lead byte whose character would run past the end, followed only by
// continuation bytes.
bool SplitByCut(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length <= text.size()) return false;
  for (std::size_t k = i + 1; k < text.size(); ++k)
    if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) return false;
  return true;
}

// A typed text as a message quotes it: control bytes and bytes that are no
// part of well-formed UTF-8 as \xNN, and "..." where the error kept only its
// start (a character the cut split is left out).
std::string Quoted(const Error& error) {
  const std::string_view text = error.text();
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharacterAt(text, i);
    const auto c = static_cast<unsigned char>(text[i]);
    // C1 controls (U+0080 to U+009F) steer a terminal as C0 ones do.
    const bool c1 = length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if (c1) {
      char escaped[9];
      std::snprintf(escaped, sizeof escaped, "\\x%02X\\x%02X", c, static_cast<unsigned char>(text[i + 1]));
      out += escaped;
      i += 2;
      continue;
    }
    if (length == 0 && error.nameLength > text.size() && SplitByCut(text, i)) break;
    if (length == 0 || c < 0x20 || c == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  if (error.nameLength > text.size()) out += "...";
  return out + '"';
}

// "T = 5000 K", "T = 5000 °C = 5273.15 K", "from = 50 K".
std::string TemperatureSaid(const Error& e) {
  std::string text = std::string(InputName(e.input)) + " = ";
  if (std::isnan(e.T)) return text + "NaN K";
  if (std::isinf(e.T)) return text + (e.T > 0 ? "inf K" : "-inf K");
  if (e.unit != TemperatureUnit::Kelvin && e.nameLength > 0)
    text += std::string(e.text()) + " " + std::string(UnitSymbol(e.unit)) + " = ";
  return text + NumberText(e.T) + " K";
}

std::string Ids(const Error& e, std::string_view separator, std::string_view last) {
  std::string text;
  for (int i = 0; i < e.closestCount; ++i) {
    if (i > 0) text += i + 1 == e.closestCount ? last : separator;
    text += e.closestIds[i];
  }
  return text;
}

}  // namespace

std::string Error::message() const {
  const auto inRangeOf = [this] {
    return fluid ? " of " + std::string(fluid->name) + ", " + RangeText(*fluid) : std::string();
  };
  switch (code) {
    case ErrorCode::UnknownFluid: {
      if (TrimBlanks(text()).empty() && nameLength <= name.size())
        return "no fluid given: name one by its id (air), another name (co2) or its list text";
      std::string text = "unknown fluid " + Quoted(*this);
      if (closestCount > 0) text += "; closest: " + Ids(*this, ", ", ", ");
      return text;
    }
    case ErrorCode::AmbiguousFluid:
      return "more than one fluid is called " + Quoted(*this) + ": " + Ids(*this, ", ", " or ");
    case ErrorCode::NotFinite:
      return TemperatureSaid(*this) + " is not a finite temperature" + inRangeOf();
    case ErrorCode::OutOfRange: {
      std::string text = TemperatureSaid(*this) + " is outside the range" + inRangeOf();
      if (!std::isnan(celsiusHint))
        text += "; did you mean " + std::string(this->text()) + " °C (" + NumberText(celsiusHint) + " K)?";
      return text;
    }
    case ErrorCode::NotATemperature: {
      std::string text = input == Input::T ? std::string() : std::string(InputName(input)) + " ";
      text += Quoted(*this);
      text += input == Input::Step ? " is not a number of degrees: give one such as 0.5 or 10 K"
                                   : " is not a temperature: give kelvin (310.5) or degrees with their unit (36.85 °C, "
                                     "98.33 °F)";
      if (commaRefused) text += ", with a point as the decimal mark";
      return text;
    }
    case ErrorCode::UnitsDiffer:
      return "from and to are in different units: give both in °F, or neither";
    case ErrorCode::TooManyDigits:
      return "the sweep's numbers need more than " + std::to_string(kMaxSweepDigits) +
             " digits between them: use fewer decimals";
    case ErrorCode::StepUnitMismatch:
      return "step " + Quoted(*this) + " does not fit the ends: kelvin or °C ends step in K or C, °F ends in F";
    case ErrorCode::StepNotPositive:
      return "step " + Quoted(*this) + " is not a positive number";
    case ErrorCode::ToBelowFrom:
      return "to = " + NumberText(T) + " K is below from = " + NumberText(from) + " K";
    case ErrorCode::TooManyRows:
      return "the sweep would have more than " + std::to_string(limit) + " rows: use a larger step or a shorter range";
    case ErrorCode::NotAPressure:
      if (nameLength <= name.size() && !text().empty() && PlainNumber(text(), ".,"))
        return "P = " + Quoted(*this) + " has no unit: give one, as in " + std::string(this->text()) +
               " bar, kPa, MPa, Pa, atm or psi";
      return "P = " + Quoted(*this) + " is not a pressure: give a number and its unit (2 bar, 200 kPa, 1 atm, 29 psi)";
    case ErrorCode::PressureOutOfRange:
      return "P = " + std::string(text()) + " " + std::string(UnitSymbol(pressureUnit)) +
             " is outside the range" + (fluid ? " of " + std::string(fluid->name) : std::string()) + ", " +
             PressureRangeText(pressureUnit);
    case ErrorCode::NoPressureColumn:
      return (fluid ? std::string(fluid->name) : std::string("this fluid")) +
             " has no saturation pressure: only saturated water can be looked up by pressure";
    case ErrorCode::None:
      break;
  }
  return {};
}

}  // namespace vantorel
