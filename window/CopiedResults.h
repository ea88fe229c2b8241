#pragma once
// The shown results as tab-separated text, which pastes into a spreadsheet
// as a table: the fluid and the temperature first, then a header line, then
// one line per property with its name, symbol, the value as the label shows
// it, the unit, and the value in SI units.

#include <QLocale>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

namespace vantorel::window {

// The value in SI units of a result its label shows as `labelText` (with
// "." as the decimal point) in `unit`: the double nearest the decimal the
// label shows, scaled to the SI unit in the same step (1.007 kJ/kg·K is
// 1007 J/kg·K, 189.3E-7 N·s/m² is 1.893e-05). Nothing for "----" and
// "INFINITE", nor for a unit it does not know.
//
// The window works this out for itself only until the checked look-up in
// SI units is in the core; this function is then to give way to it.
std::optional<double> SiValue(std::string_view labelText, std::string_view unit);

struct CopiedRow {
  QString name, symbol, text, unit;  // as the core names them; text as shown
  std::optional<double> si;
};

struct CopiedResults {
  QString fluid;        // "Air"
  QString temperature;  // kelvin, as the box shows it
  // The table and the two book rows the values come from, as one line
  // ("Table A.4\trows 350 K and 300 K"); empty until the checked look-up
  // tells them, and then written after the temperature.
  QString source;
  std::vector<CopiedRow> rows;
};

// The text to put on the clipboard; numbers in `locale`'s form, as shown.
QString TabSeparated(const CopiedResults& results, const QLocale& locale = QLocale());

}  // namespace vantorel::window
