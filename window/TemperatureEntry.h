#pragma once
// Reading and writing the temperature text of the window, in the user's
// locale. The number is written back in the same shortest round-trip form
// that the result labels and vantorel-props use.

#include <QLocale>
#include <QString>
#include <optional>
#include <string>

namespace vantorel::window {

// The locale's decimal separator as the tables' text helpers take it.
std::string DecimalPoint(const QLocale& locale = QLocale());

// The value of a temperature text, or nothing when the text is no number.
// Blanks around the number, a sign, the locale's decimal separator and an
// exponent are accepted; a text whose value is not a finite double ("nan",
// "inf", "1e999") or that holds a group separator ("1,000") is no number.
std::optional<double> ReadTemperature(const QString& text, const QLocale& locale = QLocale());

// The number as the box shows it: "300.5" for 300.50, "300" for 3E2, "3E+05"
// for 300000.
QString TemperatureText(double value, const QLocale& locale = QLocale());

// The entry check applied to a text: an empty text counts as 0; `text` is
// what the box should then hold. `value` is empty when the text is no number.
struct CheckedEntry {
  std::optional<double> value;
  QString text;
};
CheckedEntry CheckEntry(const QString& text, const QLocale& locale = QLocale());

}  // namespace vantorel::window
