// Whatever is typed or pasted into the temperature box, in an English, a
// German and the C locale: the window answers with the right message, or
// calculates, and never hangs on a long text.

#include <QClipboard>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>
#include <cmath>

#include "Catalog.h"
#include "TemperatureEntry.h"
#include "TestSuites.h"
#include "WindowHarness.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

namespace {

enum class Outcome { NotANumber, OutOfRange, Calculated };

const QString kNotANumber = "The value for temperature must be a number.";
const QString kOutOfRange = "The temperature specified falls outside the temperature range.";

void UseLocale(const QString& name) { QLocale::setDefault(name == "C" ? QLocale::c() : QLocale(name)); }

}  // namespace
}  // namespace vantorel::window::test

Q_DECLARE_METATYPE(vantorel::window::test::Outcome)

namespace vantorel::window::test {

class BadInputTest : public WindowSuite {
  Q_OBJECT

  std::unique_ptr<WindowHarness> h;

  // Air (100 K to 3000 K) chosen, `text` typed, then Enter; the outcome, and
  // the same text left with Tab.
  void enterThenLeave(const QString& text, Outcome outcome, const QString& afterTab) {
    h->chooseFluid(1, 1);
    h->type(text);
    h->pressEnter();
    switch (outcome) {
      case Outcome::NotANumber:
        QCOMPARE(h->messages.size(), size_t(1));
        QCOMPARE(h->messages[0].text, kNotANumber);
        break;
      case Outcome::OutOfRange:
        QCOMPARE(h->messages.size(), size_t(1));
        QCOMPARE(h->messages[0].text, kOutOfRange);
        break;
      case Outcome::Calculated:
        QVERIFY(h->messages.empty());
        QVERIFY(!h->visibleResults().isEmpty());
        break;
    }
    QCOMPARE(h->txtTemp()->text(), text);
    if (outcome != Outcome::Calculated) QVERIFY(h->visibleResults().isEmpty());

    h->messages.clear();
    h->pressTab();
    QCOMPARE(h->txtTemp()->text(), afterTab);
    QCOMPARE(h->messages.size(), size_t(outcome == Outcome::NotANumber ? 1 : 0));
    QCOMPARE(QApplication::focusWidget(),
             outcome == Outcome::NotANumber ? static_cast<QWidget*>(h->txtTemp()) : h->button("cmdExit"));
  }

 private slots:
  void init() { h = std::make_unique<WindowHarness>(); }
  void cleanup() {
    h.reset();
    UseTestLocale();
  }

  void eachBadInput_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("afterTab");
    for (const char* locale : {"C", "de_DE", "en_US"}) {
      const bool german = QString(locale) == "de_DE";
      const QString point = german ? "," : ".";
      auto row = [&](const char* what, const QString& text, Outcome outcome, const QString& afterTab) {
        QTest::addRow("%s: %s", locale, what) << locale << text << outcome << afterTab;
      };
      const auto refused = [&](const char* what, const QString& text) { row(what, text, Outcome::NotANumber, text); };
      row("empty counts as 0", "", Outcome::OutOfRange, "0");
      refused("blanks", "   ");
      refused("letters", "abc");
      row("exponent", "3E2", Outcome::Calculated, "300");
      refused("overflow", "1e999");
      refused("negative overflow", "-1e999");
      refused("nan", "nan");
      refused("inf", "inf");
      refused("hexadecimal float", "0x1p8");
      // Group separators are refused; the locale's decimal separator is read.
      if (german) {
        row("1,000 is one", "1,000", Outcome::OutOfRange, "1");
        refused("1.000 is grouped", "1.000");
      } else {
        refused("1,000 is grouped", "1,000");
        row("1.000 is one", "1.000", Outcome::OutOfRange, "1");
      }
      row("decimal separator", "310" + point + "5", Outcome::Calculated, "310" + point + "5");
      refused("the other separator", german ? "310.5" : "310,5");
      row("negative", "-5", Outcome::OutOfRange, "-5");
      row("zero", "0", Outcome::OutOfRange, "0");
      row("negative zero", "-0", Outcome::OutOfRange, "-0");
    }
  }
  void eachBadInput() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);
    QFETCH(QString, afterTab);
    UseLocale(locale);
    QVERIFY(h->open());
    enterThenLeave(text, outcome, afterTab);
  }

  // One ulp beyond either end of every fluid's range is refused; the end
  // itself is calculated.
  void oneUlpOutsideEachRange_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    for (const char* locale : {"C", "de_DE"})
      for (int c = 1; c <= static_cast<int>(Categories().size()); ++c)
        for (int f = 1; f <= static_cast<int>(Categories()[c - 1].fluids.size()); ++f)
          QTest::addRow("%s: %s", locale, Categories()[c - 1].fluids[f - 1].id.data()) << locale << c << f;
  }
  void oneUlpOutsideEachRange() {
    QFETCH(QString, locale);
    QFETCH(int, category);
    QFETCH(int, fluid);
    UseLocale(locale);
    QVERIFY(h->open());
    const Fluid& entry = *FluidAt(category, fluid);
    h->choose(h->lstCategory(), category);
    if (h->lstFluid()->currentRow() != fluid) h->choose(h->lstFluid(), fluid);
    const double tries[] = {std::nextafter(entry.Tmin, -INFINITY), entry.Tmin, entry.Tmax,
                            std::nextafter(entry.Tmax, INFINITY)};
    for (double t : tries) {
      const QString text = TemperatureText(t, QLocale());
      h->messages.clear();
      h->type(text);
      h->pressEnter();
      const bool inside = t >= entry.Tmin && t <= entry.Tmax;
      if (inside) {
        QVERIFY2(h->messages.empty(), qPrintable(text));
        QVERIFY2(!h->visibleResults().isEmpty(), qPrintable(text));
      } else {
        QCOMPARE(h->messages.size(), size_t(1));
        QCOMPARE(h->messages[0].text, kOutOfRange);
        QVERIFY2(h->visibleResults().isEmpty(), qPrintable(text));
      }
    }
  }

  // A megabyte pasted into the box: the box keeps what it can hold, the
  // check and the calculation answer at once.
  void aPastedMegabyteDoesNotHang_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<Outcome>("outcome");
    const QString megabyte(1 << 20, QChar('0'));
    for (const char* locale : {"C", "de_DE"}) {
      const QString point = QString(locale) == "de_DE" ? "," : ".";
      QTest::addRow("%s: letters", locale) << locale << QString(1 << 20, QChar('x')) << Outcome::NotANumber;
      QTest::addRow("%s: digits", locale) << locale << QString(1 << 20, QChar('7')) << Outcome::NotANumber;
      QTest::addRow("%s: 310 and zeros", locale) << locale << "310" + point + megabyte << Outcome::Calculated;
      QTest::addRow("%s: zeros and 310", locale) << locale << megabyte + "310" << Outcome::OutOfRange;
    }
  }
  void aPastedMegabyteDoesNotHang() {
    QFETCH(QString, locale);
    QFETCH(QString, pasted);
    QFETCH(Outcome, outcome);
    UseLocale(locale);
    QVERIFY(h->open());
    h->chooseFluid(1, 1);
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString kept = clipboard->text();
    const auto restore = qScopeGuard([&] { clipboard->setText(kept); });
    clipboard->setText(pasted);

    QElapsedTimer clock;
    clock.start();
    h->type("");
    QTest::keyClick(h->txtTemp(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!h->txtTemp()->text().isEmpty());
    QVERIFY(pasted.startsWith(h->txtTemp()->text()));
    h->pressEnter();
    h->pressTab();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString("%1 ms").arg(clock.elapsed())));

    switch (outcome) {
      case Outcome::NotANumber:
        QCOMPARE(h->messages.size(), size_t(2));  // Enter, then Tab
        QCOMPARE(h->messages[0].text, kNotANumber);
        QCOMPARE(h->messages[1].text, kNotANumber);
        QCOMPARE(QApplication::focusWidget(), h->txtTemp());
        break;
      case Outcome::OutOfRange:
        QCOMPARE(h->messages.size(), size_t(1));
        QCOMPARE(h->messages[0].text, kOutOfRange);
        QCOMPARE(h->txtTemp()->text(), QString("0"));
        break;
      case Outcome::Calculated:
        QVERIFY(h->messages.empty());
        QCOMPARE(h->txtTemp()->text(), QString("310"));
        break;
    }
  }
};

QObject* MakeBadInputTest() { return new BadInputTest; }

}  // namespace vantorel::window::test

#include "bad_input_test.moc"
