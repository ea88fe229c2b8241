// Reading the temperature text in the user's locale, writing the number
// back, and the stored message texts with their line breaks.

#include <QTest>
#include <cmath>

#include "Messages.h"
#include "TemperatureEntry.h"
#include "TestSuites.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

class EntryTest : public WindowSuite {
  Q_OBJECT

 private slots:
  void readsAndRewritesTheTemperature_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("whole") << "en_US"
                           << "310" << true << 310.0 << "310";
    QTest::newRow("trailing zero") << "en_US"
                                   << "300.50" << true << 300.5 << "300.5";
    QTest::newRow("blanks around") << "en_US"
                                   << " \t300.5  " << true << 300.5 << "300.5";
    QTest::newRow("exponent") << "en_US"
                              << "3E2" << true << 300.0 << "300";
    QTest::newRow("signed exponent") << "en_US"
                                     << "-1.5e-3" << true << -0.0015 << "-0.0015";
    QTest::newRow("plus sign") << "en_US"
                               << "+7" << true << 7.0 << "7";
    QTest::newRow("no round-off in the text") << "en_US"
                                              << "273.15" << true << 273.15 << "273.15";
    QTest::newRow("letters") << "en_US"
                             << "abc" << false << 0.0 << "";
    QTest::newRow("unit typed") << "en_US"
                                << "310 K" << false << 0.0 << "";
    QTest::newRow("two numbers") << "en_US"
                                 << "3 10" << false << 0.0 << "";
    QTest::newRow("hexadecimal") << "en_US"
                                 << "0x10" << false << 0.0 << "";
    QTest::newRow("nan") << "en_US"
                         << "nan" << false << 0.0 << "";
    QTest::newRow("NaN") << "en_US"
                         << "NaN" << false << 0.0 << "";
    QTest::newRow("inf") << "en_US"
                         << "inf" << false << 0.0 << "";
    QTest::newRow("-inf") << "en_US"
                          << "-inf" << false << 0.0 << "";
    QTest::newRow("infinity") << "en_US"
                              << "infinity" << false << 0.0 << "";
    QTest::newRow("-infinity") << "en_US"
                               << "-infinity" << false << 0.0 << "";
    QTest::newRow("overflow") << "en_US"
                              << "1e999" << false << 0.0 << "";
    QTest::newRow("negative overflow") << "en_US"
                                       << "-1e999" << false << 0.0 << "";
    QTest::newRow("decimal comma") << "de_DE"
                                   << "300,5" << true << 300.5 << "300,5";
    QTest::newRow("comma written back") << "de_DE"
                                        << "273,150" << true << 273.15 << "273,15";
    QTest::newRow("exponent, German") << "de_DE"
                                      << "1e3" << true << 1000.0 << "1000";
    QTest::newRow("point is no decimal separator in German") << "de_DE"
                                                             << "300.5" << false << 0.0 << "";
    // Group separators are ambiguous between locales and refused in all.
    QTest::newRow("English group separator") << "en_US"
                                             << "1,000" << false << 0.0 << "";
    QTest::newRow("comma in English") << "en_US"
                                      << "1,5" << false << 0.0 << "";
    QTest::newRow("point in English") << "en_US"
                                      << "1.000" << true << 1.0 << "1";
    QTest::newRow("German group separator") << "de_DE"
                                            << "1.000" << false << 0.0 << "";
    QTest::newRow("comma in German") << "de_DE"
                                     << "1,000" << true << 1.0 << "1";
    QTest::newRow("C group separator") << "C"
                                       << "1,000" << false << 0.0 << "";
    QTest::newRow("C decimal point") << "C"
                                     << "310.5" << true << 310.5 << "310.5";
    QTest::newRow("C refuses a comma") << "C"
                                       << "310,5" << false << 0.0 << "";
    // Too small for a double is 0, as strtod has it; too large is no number.
    QTest::newRow("underflow") << "C"
                               << "1e-400" << true << 0.0 << "0";
    QTest::newRow("negative underflow, German") << "de_DE"
                                                << "-0,1e-999" << true << -0.0 << "-0";
    // An exponent goes back in as "E", which locales with another exponent
    // (Swedish writes "×10^") still read.
    QTest::newRow("round number") << "en_US"
                                  << "300000" << true << 300000.0 << "3E+05";
    QTest::newRow("round number, Swedish") << "sv_SE"
                                           << "300000" << true << 300000.0 << "3E+05";
    QTest::newRow("small number, Swedish") << "sv_SE"
                                           << "0,0000001" << true << 1e-7 << "1E-07";
  }
  void readsAndRewritesTheTemperature() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    QFETCH(QString, written);
    const QLocale user(locale);
    const std::optional<double> read = ReadTemperature(text, user);
    QCOMPARE(read.has_value(), isNumber);
    if (!read) return;
    QCOMPARE(*read, value);
    QCOMPARE(std::signbit(*read), std::signbit(value));
    QCOMPARE(ReadTemperature(written, user), read);  // what goes back in reads the same
    QCOMPARE(TemperatureText(*read, user), written);
    QCOMPARE(CheckEntry(text, user).text, written);
  }

  void anEmptyEntryCountsAsZero() {
    const CheckedEntry entry = CheckEntry("", QLocale::c());
    QVERIFY(entry.value.has_value());
    QCOMPARE(*entry.value, 0.0);
    QCOMPARE(entry.text, QString("0"));
    QVERIFY(!ReadTemperature("", QLocale::c()));
  }

  void aRefusedEntryKeepsItsText() {
    const CheckedEntry entry = CheckEntry("3OO", QLocale::c());
    QVERIFY(!entry.value);
    QCOMPARE(entry.text, QString("3OO"));
  }

  void storedLineBreaksBecomeLineFeeds() {
    QCOMPARE(DisplayText(QString("a\rb\r\rc")), QString("a\nb\n\nc"));
    QCOMPARE(DisplayText(QString("a\r\nb")), QString("a\nb"));
    // The stored texts break lines with carriage returns alone.
    for (const QString& stored : {InstructionsText(), AboutText()}) {
      QVERIFY(stored.contains(QChar(13)));
      QVERIFY(!stored.contains(QChar(10)));
    }
    QCOMPARE(InstructionsText().count(QString(QChar(13)) + QChar(13)), 4);
  }
};

QObject* MakeEntryTest() { return new EntryTest; }

}  // namespace vantorel::window::test

#include "entry_test.moc"
