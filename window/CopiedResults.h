#pragma once
// The shown results as tab-separated text, which pastes into a spreadsheet
// as a table: the fluid, the temperature and the table and rows first, then
// a header line, then one line per property with its name, symbol, the value
// as the label shows it, the unit, and the value in SI units with its unit.

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace vantorel::window {

struct CopiedRow {
  QString name, symbol, text, unit;  // as the core names them; text as shown
  std::optional<double> si;          // nothing where the label shows ---- or INFINITE
  QString siUnit;
};

struct CopiedResults {
  QString fluid;        // "Air"
  QString temperature;  // kelvin, as the box shows it
  // The table and the book rows the values come from: "Table A.4, between
  // the rows at 300 K and 350 K".
  QString source;
  std::vector<CopiedRow> rows;
};

// The text to put on the clipboard; numbers in `locale`'s form, as shown.
QString TabSeparated(const CopiedResults& results, const QLocale& locale = QLocale());

}  // namespace vantorel::window
