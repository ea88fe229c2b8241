#include "Display.h"

#include "ShortestText.h"

namespace vantorel {

std::string NumberText(double v, std::string_view decimalPoint) {
  char buf[kShortestTextSize];
  const char* end = WriteShortest(buf, v);
  std::string out;
  for (const char* c = buf; c != end; ++c) {
    if (*c == '.')
      out += decimalPoint;
    else
      out += *c;
  }
  return out;
}

std::string SuffixText(int power) {
  std::string suffix;
  if (power != 0) {
    suffix = 'E';
    suffix += std::to_string(power);
  }
  return suffix;
}

ShownMarker MarkerOf(const ShownProperty& property, double value, double t) {
  if (property.markers == Markers::None || !(t > property.markersAbove)) return ShownMarker::Number;
  if (value == kNoValueMarker) return ShownMarker::NoValue;
  if (property.markers == Markers::NoValueOrInfinite && value == kInfiniteMarker)
    return ShownMarker::Infinite;
  return ShownMarker::Number;
}

std::string LabelText(const ShownProperty& property, double value, double t,
                      std::string_view decimalPoint) {
  switch (MarkerOf(property, value, t)) {
    case ShownMarker::NoValue: return std::string(kNoValueText);
    case ShownMarker::Infinite: return std::string(kInfiniteText);
    case ShownMarker::Number: break;
  }
  return NumberText(value, decimalPoint) + SuffixText(property.power);
}

}  // namespace vantorel
