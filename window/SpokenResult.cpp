#include "SpokenResult.h"

#include <QStringList>

#include "Catalog.h"

namespace vantorel::window {

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The units the tables give, in words. Plural throughout, as in "1.007
// kilojoules per kilogram kelvin".
struct UnitWords {
  std::string_view unit;
  const char* words;
};
constexpr UnitWords kUnitWords[] = {
    {"kg/m³", "kilograms per cubic metre"},
    {"kJ/kg·K", "kilojoules per kilogram kelvin"},
    {"N·s/m²", "newton seconds per square metre"},
    {"m²/s", "square metres per second"},
    {"W/m·K", "watts per metre kelvin"},
    {"K⁻¹", "per kelvin"},
    {"bar", "bar"},
    {"m³/kg", "cubic metres per kilogram"},
    {"kJ/kg", "kilojoules per kilogram"},
    {"N/m", "newtons per metre"},
};

// "-1" is read "minus 1": some readers say "dash".
QString SpokenNumber(QString number) {
  if (number.startsWith('-')) number = QStringLiteral("minus ") + number.mid(1);
  return number;
}

}  // namespace

QString SpokenSymbol(std::string_view symbol) {
  QString spoken = Utf8(symbol);
  spoken.replace('_', QStringLiteral(" sub "));
  return spoken;
}

QString SpokenUnit(std::string_view unit) {
  for (const UnitWords& entry : kUnitWords)
    if (entry.unit == unit) return QString::fromUtf8(entry.words);
  return {};
}

QString SpokenValue(const QString& labelText, std::string_view unit) {
  if (labelText == Utf8(kNoValueText)) return QStringLiteral("no value");
  if (labelText == Utf8(kInfiniteText)) return QStringLiteral("infinite");
  // The book's form: a number, then the power of ten the table factors out.
  const qsizetype e = labelText.indexOf('E');
  QString spoken = SpokenNumber(e < 0 ? labelText : labelText.left(e));
  if (e >= 0) spoken += QStringLiteral(" times ten to the ") + SpokenNumber(labelText.mid(e + 1));
  const QString words = SpokenUnit(unit);
  if (!words.isEmpty()) spoken += ' ' + words;
  return spoken;
}

QString SpokenResult(const ShownProperty& property, const QString& labelText) {
  return Utf8(property.name) + ' ' + SpokenSymbol(property.symbol) + QStringLiteral(", ") +
         SpokenValue(labelText, property.unit);
}

QString SpokenPicture(const ShownProperty& property) {
  QString spoken = Utf8(property.name) + ' ' + SpokenSymbol(property.symbol);
  const QString words = SpokenUnit(property.unit);
  if (!words.isEmpty()) spoken += QStringLiteral(" in ") + words;
  return spoken;
}

const ShownProperty& PropertyOfSlot(Slot slot) {
  for (int category = 1; category <= static_cast<int>(Categories().size()); ++category)
    for (const ShownProperty& property : ShownProperties(category))
      if (property.slot == slot) return property;
  // Every slot is shown by some category; the first property stands in.
  return ShownProperties(1).front();
}

}  // namespace vantorel::window
