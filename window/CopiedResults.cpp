#include "CopiedResults.h"

#include <string>

#include "Display.h"
#include "TemperatureEntry.h"

namespace vantorel::window {

QString TabSeparated(const CopiedResults& results, const QLocale& locale) {
  const QChar tab('\t'), newline('\n');
  QString text = QStringLiteral("Fluid") + tab + results.fluid + newline;
  text += QStringLiteral("Temperature (K)") + tab + results.temperature + newline;
  text += QStringLiteral("Source") + tab + results.source + newline;
  text += QStringLiteral("Property\tSymbol\tValue\tUnit\tSI value\tSI unit") + newline;
  const std::string decimalPoint = DecimalPoint(locale);
  for (const CopiedRow& row : results.rows) {
    const QString si = row.si ? QString::fromStdString(NumberText(*row.si, decimalPoint)) : QString();
    text += row.name + tab + row.symbol + tab + row.text + tab + row.unit + tab + si + tab + row.siUnit + newline;
  }
  return text;
}

}  // namespace vantorel::window
