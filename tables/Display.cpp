#include "Display.h"

#include <cstdlib>
#include <cstring>

#include "ShortestText.h"

namespace vantorel {

namespace {

// The text from `begin` to `end` with `decimalPoint` in place of '.'.
std::string WithDecimalPoint(const char* begin, const char* end, std::string_view decimalPoint) {
  std::string out;
  for (const char* c = begin; c != end; ++c) {
    if (*c == '.')
      out += decimalPoint;
    else
      out += *c;
  }
  return out;
}

std::string Superscript(int n) {
  static constexpr std::string_view kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string out = n < 0 ? "⁻" : "";
  for (char c : std::to_string(std::abs(n))) out += kDigits[c - '0'];
  return out;
}

}  // namespace

std::string NumberText(double v, std::string_view decimalPoint) {
  char text[kShortestTextSize];
  return WithDecimalPoint(text, WriteShortest(text, v), decimalPoint);
}

std::string SuffixText(int power) {
  std::string suffix;
  if (power != 0) {
    suffix = 'E';
    suffix += std::to_string(power);
  }
  return suffix;
}

std::string Heading(std::string_view symbol, int power) {
  std::string heading(symbol);
  if (power != 0) heading += "·10" + Superscript(-power);
  return heading;
}

std::string Heading(const Property& p) { return Heading(p.symbol, p.power); }

std::string Heading(const PropertyInfo& p) { return Heading(p.symbol, p.power); }

std::string TableAndRowsText(const Source& source) {
  std::string text =
      "Table " + std::string(source.table) + (source.rowCount == 1 ? ", the row at " : ", between the rows at ");
  for (int i = 0; i < source.rowCount; ++i) {
    if (i > 0) text += " and ";
    text += NumberText(source.rows[i]) + " K";
  }
  return text;
}

ShownMarker MarkerOf(const ShownProperty& property, double value, double t) {
  if (property.markers == Markers::None || !(t > property.markersAbove)) return ShownMarker::Number;
  if (value == kNoValueMarker) return ShownMarker::NoValue;
  if (property.markers == Markers::NoValueOrInfinite && value == kInfiniteMarker) return ShownMarker::Infinite;
  return ShownMarker::Number;
}

char* WriteLabelText(char* out, const ShownProperty& property, std::string_view suffix, double value, double t) {
  const auto put = [&out](std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
  };
  switch (MarkerOf(property, value, t)) {
    case ShownMarker::NoValue:
      return put(kNoValueText);
    case ShownMarker::Infinite:
      return put(kInfiniteText);
    case ShownMarker::Number:
      break;
  }
  out = WriteShortest(out, value);
  return put(suffix);
}

std::string LabelText(const ShownProperty& property, double value, double t, std::string_view decimalPoint) {
  char text[kLabelTextSize];
  return WithDecimalPoint(text, WriteLabelText(text, property, SuffixText(property.power), value, t), decimalPoint);
}

}  // namespace vantorel
