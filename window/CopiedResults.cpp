#include "CopiedResults.h"

#include <charconv>
#include <cmath>
#include <string>

#include "Display.h"
#include "TemperatureEntry.h"

namespace vantorel::window {

namespace {

// Each unit the tables give, with the power of ten that takes it to SI.
struct UnitScale {
  std::string_view unit;
  int power;
};
constexpr UnitScale kUnitScales[] = {
    {"", 0},      {"kg/m³", 0}, {"kJ/kg·K", 3}, {"N·s/m²", 0}, {"m²/s", 0}, {"W/m·K", 0},
    {"K⁻¹", 0}, {"bar", 5},   {"m³/kg", 0},   {"kJ/kg", 3},  {"N/m", 0},
};

}  // namespace

std::optional<double> SiValue(std::string_view labelText, std::string_view unit) {
  const UnitScale* scale = nullptr;
  for (const UnitScale& entry : kUnitScales)
    if (entry.unit == unit) scale = &entry;
  if (!scale) return std::nullopt;
  // The label's decimal is its digits and the power of ten after "E"; the
  // unit's power joins that one, so the decimal is read into a double once.
  const std::size_t e = labelText.find('E');
  const std::string_view digits = labelText.substr(0, e);
  int power = scale->power;
  if (e != std::string_view::npos) {
    int suffix = 0;
    const std::string_view rest = labelText.substr(e + 1);
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), suffix);
    if (error != std::errc() || end != rest.data() + rest.size()) return std::nullopt;
    power += suffix;
  }
  const std::string decimal = std::string(digits) + 'e' + std::to_string(power);
  double value = 0;
  const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
  // Neither "----" nor "INFINITE" reads as a number to the end.
  if (digits.empty() || error != std::errc() || end != decimal.data() + decimal.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

QString TabSeparated(const CopiedResults& results, const QLocale& locale) {
  const QChar tab('\t'), newline('\n');
  QString text = QStringLiteral("Fluid") + tab + results.fluid + newline;
  text += QStringLiteral("Temperature (K)") + tab + results.temperature + newline;
  if (!results.source.isEmpty()) text += results.source + newline;
  text += QStringLiteral("Property\tSymbol\tValue\tUnit\tSI value") + newline;
  const std::string decimalPoint = DecimalPoint(locale);
  for (const CopiedRow& row : results.rows) {
    const QString si = row.si ? QString::fromStdString(NumberText(*row.si, decimalPoint)) : QString();
    text += row.name + tab + row.symbol + tab + row.text + tab + row.unit + tab + si + newline;
  }
  return text;
}

}  // namespace vantorel::window
