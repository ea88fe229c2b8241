// A result as a screen reader speaks it.

#include <QTest>

#include "Catalog.h"
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
    QTest::newRow("a plain number") << 1 << 0 << "1.1281" << "density ρ, 1.1281 kilograms per cubic metre";
    QTest::newRow("a power of ten") << 1 << 2 << "189.3E-7"
                                    << "dynamic viscosity μ, 189.3 times ten to the minus 7 newton seconds per square metre";
    QTest::newRow("a decimal comma") << 2 << 2 << "0,0457E-2"
                                     << "dynamic viscosity μ, 0,0457 times ten to the minus 2 newton seconds per square metre";
    QTest::newRow("a pure number") << 1 << 6 << "0.706" << "Prandtl number Pr, 0.706";
    QTest::newRow("per kelvin") << 1 << 7 << "3.23E-3"
                                << "volumetric thermal expansion coefficient β, 3.23 times ten to the minus 3 per kelvin";
    QTest::newRow("a negative value") << 3 << 13 << "-1E-6"
                                      << "volumetric expansion coefficient of the liquid β sub f, minus 1 times ten to the "
                                         "minus 6 per kelvin";
    QTest::newRow("no value") << 4 << 1 << "----" << "specific heat c sub p, no value";
    QTest::newRow("infinite") << 3 << 5 << "INFINITE" << "specific heat of the vapour c sub p,g, infinite";
    QTest::newRow("bar") << 3 << 0 << "221.2" << "saturation pressure P, 221.2 bar";
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
        QVERIFY2(property.unit.empty() || !SpokenUnit(property.unit).isEmpty(), property.unit.data());
  }

  void picturesSayWhatTheyShow() {
    QCOMPARE(SpokenPicture(PropertyOfSlot(Slot::Rho)), QString("density ρ in kilograms per cubic metre"));
    QCOMPARE(SpokenPicture(PropertyOfSlot(Slot::Prf)), QString("Prandtl number of the liquid Pr sub f"));
    for (int slot = 0; slot < kSlotCount; ++slot) QCOMPARE(PropertyOfSlot(static_cast<Slot>(slot)).slot, static_cast<Slot>(slot));
  }
};

QObject* MakeResultTextTest() { return new ResultTextTest; }

}  // namespace vantorel::window::test

#include "result_text_test.moc"
