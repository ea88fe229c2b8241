#include "TemperatureEntry.h"

#include <cmath>

#include "Display.h"

namespace vantorel::window {

std::string DecimalPoint(const QLocale& locale) { return locale.decimalPoint().toStdString(); }

std::optional<double> ReadTemperature(const QString& text, const QLocale& locale) {
  bool ok = false;
  // A group separator is refused: "1,500" would be 1500 K to an English
  // reading and 1.5 K to a German one, and the user who typed it may have
  // meant either. The number written back never carries one.
  QLocale reading = locale;
  reading.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  // QLocale skips blanks around the number itself. It reads "nan" and "inf"
  // as numbers and an overflow as infinity; neither is a temperature.
  double value = reading.toDouble(text, &ok);
  if (!ok && value == 0) {
    // It also refuses a number too small for a double ("1e-400"), which
    // rounds to 0 as vantorel-props reads it. The same text with every digit
    // made a zero tells whether that was all, and gives the sign.
    QString zeros = text;
    for (QChar& c : zeros)
      if (c.isDigit()) c = QChar(char16_t(c.unicode() - c.digitValue()));
    value = reading.toDouble(zeros, &ok);
  }
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString TemperatureText(double value, const QLocale& locale) {
  QString text = QString::fromStdString(NumberText(value, DecimalPoint(locale)));
  // Every locale reads an exponent written "E", but those that write theirs
  // otherwise ("×10^" in Swedish) do not read "e".
  text.replace(u'e', u'E');
  return text;
}

CheckedEntry CheckEntry(const QString& text, const QLocale& locale) {
  const QString entered = text.isEmpty() ? QStringLiteral("0") : text;
  const std::optional<double> value = ReadTemperature(entered, locale);
  if (!value) return {std::nullopt, entered};
  return {value, TemperatureText(*value, locale)};
}

}  // namespace vantorel::window
