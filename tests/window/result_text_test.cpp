// A result as a screen reader speaks it, and the results as they are copied.

#include <QTest>

#include "Catalog.h"
#include "CopiedResults.h"
#include "Display.h"
#include "SpokenResult.h"
#include "TestSuites.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

class ResultTextTest : public WindowSuite {
  Q_OBJECT

 private slots:
  void aResultIsSpokenWhole_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("label");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("a plain number") << 1 << 0 << "1.1281"
                                    << "density ρ, 1.1281 kilograms per cubic metre";
    QTest::newRow("a power of ten")
        << 1 << 2 << "189.3E-7"
        << "dynamic viscosity μ, 189.3 times ten to the minus 7 newton seconds per square metre";
    QTest::newRow("a decimal comma")
        << 2 << 2 << "0,0457E-2"
        << "dynamic viscosity μ, 0,0457 times ten to the minus 2 newton seconds per square metre";
    QTest::newRow("a negative value")
        << 3 << 13 << "-1E-6"
        << "volumetric expansion coefficient of the liquid β sub f, minus 1 times ten to the "
           "minus 6 per kelvin";
    QTest::newRow("no value") << 4 << 1 << "----"
                              << "specific heat c sub p, no value";
    QTest::newRow("infinite") << 3 << 5 << "INFINITE"
                              << "specific heat of the vapour c sub p,g, infinite";
  }
  void aResultIsSpokenWhole() {
    QFETCH(int, category);
    QFETCH(int, label);
    QFETCH(QString, shown);
    QFETCH(QString, spoken);
    const ShownProperty* property = ShownAt(category, label);
    QVERIFY(property);
    QCOMPARE(SpokenResult(*property, shown), spoken);
  }

  // A unit without words would be left out of what is spoken.
  void everyUnitHasWords() {
    for (int category = 1; category <= static_cast<int>(Categories().size()); ++category)
      for (const ShownProperty& property : ShownProperties(category))
        QVERIFY2(property.unit.book.empty() || !SpokenUnit(property.unit).isEmpty(), property.unit.book.data());
  }
};

QObject* MakeResultTextTest() { return new ResultTextTest; }

}  // namespace vantorel::window::test

#include "result_text_test.moc"
