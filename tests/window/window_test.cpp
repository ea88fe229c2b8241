// The calculator window as its user meets it: start-up, choosing a category
// and a fluid, typing a temperature, the calculation and its warnings, what
// is shown and hidden, the keyboard, the menus and Exit.

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <optional>

#include "Catalog.h"
#include "TestSuites.h"
#include "WindowHarness.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

namespace {

const Message kNoCategory{"Please select a category.", "Cannot Calculate", MessageIcon::Warning};
const Message kNoFluid{"Please select a fluid.", "Cannot Calcuate", MessageIcon::Warning};
const Message kOutOfRange{"The temperature specified falls outside the temperature range.", "Cannot Calcuate",
                          MessageIcon::Warning};
const Message kNotANumber{"The value for temperature must be a number.", "", MessageIcon::None};

const QStringList kGasResults = {"lblProp0", "lblProp1", "lblProp2", "lblProp3", "lblProp4", "lblProp5",
                                 "lblProp6", "lblProp7", "imaRho",   "imaCp",    "imaMu",    "imaNu",
                                 "imaK",     "imaAlpha", "imaPr",    "imaBeta",  "lineProp"};

// The three ways to ask for a calculation.
enum class Trigger { Button, Menu, Enter };

}  // namespace
}  // namespace vantorel::window::test

Q_DECLARE_METATYPE(vantorel::window::test::Trigger)

namespace vantorel::window::test {
namespace {

void Calculate(const WindowHarness& h, Trigger trigger) {
  switch (trigger) {
    case Trigger::Button:
      h.clickCalculate();
      break;
    case Trigger::Menu:
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
      break;
    case Trigger::Enter:
      QTest::mouseClick(h.txtTemp(), Qt::LeftButton);
      h.pressEnter();
      break;
  }
}

}  // namespace

class WindowTest : public OpenWindowSuite {
  Q_OBJECT

 private slots:

  void startsWithNothingChosenAndNoResults() {
    QCOMPARE(h->window.windowTitle(), QString("Vantorel"));
    QCOMPARE(h->lstCategory()->count(), 5);
    QCOMPARE(h->lstCategory()->item(1)->text(), QString("Gases at Atmoshperic Pressure"));
    QCOMPARE(h->lstCategory()->currentRow(), 0);
    QCOMPARE(h->lstCategory()->item(0)->text(), QString("--Select Material Category--"));
    QCOMPARE(h->lstFluid()->count(), 0);
    QCOMPARE(h->lblRange()->text(), QString());
    QCOMPARE(h->txtTemp()->text(), QString("0"));
    QCOMPARE(h->visibleResults(), QStringList());
    QCOMPARE(QApplication::focusWidget(), h->lstCategory());
    QVERIFY(h->messages.empty());
  }

  void choosingACategoryFillsTheFluidList_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluids");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("firstFluid");
    QTest::addColumn<QString>("range");
    QTest::newRow("gases") << 1 << 9 << 0 << "Air"
                           << "";
    QTest::newRow("saturated fluids") << 2 << 5 << 0 << "Engine Oil (Unused)"
                                      << "";
    QTest::newRow("saturated water selects its one fluid") << 3 << 1 << 1 << "Saturated Water"
                                                           << "273.15K <= T <= 647.3K";
    QTest::newRow("liquid metals") << 4 << 7 << 0 << "Bismuth"
                                   << "";
  }
  void choosingACategoryFillsTheFluidList() {
    QFETCH(int, category);
    QFETCH(int, fluids);
    QFETCH(int, selected);
    QFETCH(QString, firstFluid);
    QFETCH(QString, range);
    // Choose another category first, so the list is refilled, not filled.
    h->choose(h->lstCategory(), category == 1 ? 2 : 1);
    h->choose(h->lstCategory(), category);
    QCOMPARE(h->lstFluid()->count(), fluids + 1);
    QCOMPARE(h->lstFluid()->item(0)->text(), QString("--Select Fluid--"));
    QCOMPARE(h->lstFluid()->item(1)->text(), firstFluid);
    QCOMPARE(h->lstFluid()->currentRow(), selected);
    QCOMPARE(h->lblRange()->text(), range);
  }

  void choosingAFluidShowsItsRange_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("range");
    QTest::newRow("air") << 1 << 1 << "100K <= T <= 3000K";
    QTest::newRow("nitrogen") << 1 << 7 << "100K <= T <= 1300K";
    QTest::newRow("oxygen") << 1 << 8 << "100K <= T <= 1300K";
    QTest::newRow("steam") << 1 << 9 << "380K <= T <= 850K";
    QTest::newRow("engine oil") << 2 << 1 << "273K <= T <= 430K";
    QTest::newRow("freon") << 2 << 4 << "230K <= T <= 320K";
    QTest::newRow("pbbi") << 4 << 7 << "422K <= T <= 922K";
    QTest::newRow("fluid prompt again") << 1 << 0 << "";
  }
  void choosingAFluidShowsItsRange() {
    QFETCH(int, category);
    QFETCH(int, fluid);
    QFETCH(QString, range);
    h->chooseFluid(category, 1 + (fluid == 1));
    h->choose(h->lstFluid(), fluid);
    QCOMPARE(h->lblRange()->text(), range);
  }

  void categoryPromptEmptiesTheFluidListAndTheRange() {
    h->chooseFluid(1, 1);
    QCOMPARE(h->lblRange()->text(), QString("100K <= T <= 3000K"));
    QSignalSpy fluidChanges(h->lstFluid(), &QListWidget::currentRowChanged);
    h->choose(h->lstCategory(), 0);
    QCOMPARE(h->lstFluid()->count(), 0);
    QCOMPARE(h->lblRange()->text(), QString());
    // Emptying the list is no choice of fluid.
    QCOMPARE(fluidChanges.count(), 0);
    h->type("310");
    h->pressEnter();
    QCOMPARE(h->messages, std::vector<Message>{kNoCategory});
  }

  void numbersFollowTheUsersLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto restore = qScopeGuard(UseTestLocale);
    h->choose(h->lstCategory(), 3);
    QCOMPARE(h->lblRange()->text(), QString("273,15K <= T <= 647,3K"));
    h->chooseFluid(1, 1);
    h->type("310,00");
    h->pressTab();
    QCOMPARE(h->txtTemp()->text(), QString("310"));
    h->type("3,1E2");
    h->pressEnter();
    QVERIFY(h->messages.empty());
    QCOMPARE(h->lblProp(0)->text(), QString("1,1281"));
    QCOMPARE(h->lblProp(2)->text(), QString("189,3E-7"));
    h->type("310.5");
    h->pressEnter();
    QCOMPARE(h->messages, std::vector<Message>{kNotANumber});
    // The source beside the values writes its rows the same way.
    h->type("373,15");
    h->messages.clear();
    h->chooseFluid(3, 1);
    h->type("373,15");
    h->pressEnter();
    QCOMPARE(h->lblProp(2)->toolTip(), QString("Table A.6, the row at 373,15 K"));
  }

  void leavingTheBoxChecksTheEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");
    QTest::newRow("empty becomes 0") << ""
                                     << "0" << false;
    QTest::newRow("trailing zero dropped") << "300.50"
                                           << "300.5" << false;
    QTest::newRow("exponent") << "3E2"
                              << "300" << false;
    QTest::newRow("blanks and sign") << "  +310 "
                                     << "310" << false;
    QTest::newRow("negative") << "-5"
                              << "-5" << false;
    QTest::newRow("leading point") << ".5"
                                   << "0.5" << false;
    QTest::newRow("letters") << "abc"
                             << "abc" << true;
    QTest::newRow("number then letters") << "310K"
                                         << "310K" << true;
    QTest::newRow("nan") << "nan"
                         << "nan" << true;
    QTest::newRow("inf") << "inf"
                         << "inf" << true;
    QTest::newRow("overflow") << "1e999"
                              << "1e999" << true;
    QTest::newRow("-infinity") << "-infinity"
                               << "-infinity" << true;
  }
  void leavingTheBoxChecksTheEntry() {
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    h->type(typed);
    h->pressTab();
    QCOMPARE(h->txtTemp()->text(), after);
    if (refused) {
      QCOMPARE(h->messages, std::vector<Message>{kNotANumber});
      QCOMPARE(QApplication::focusWidget(), h->txtTemp());
    } else {
      QVERIFY(h->messages.empty());
      QCOMPARE(QApplication::focusWidget(), h->button("cmdExit"));
    }
  }

  void switchingAwayOrOpeningAMenuIsNotLeavingTheBox() {
    h->type("abc");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h->window));
    QCOMPARE(QApplication::focusWidget(), h->txtTemp());

    // Open the File menu with the mouse and close it again.
    QMenu* file = h->find<QMenu>("mnuFile");
    QMenuBar* bar = h->window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_Escape);
    QTRY_VERIFY(!file->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // and out of the menu bar
    QCOMPARE(QApplication::focusWidget(), h->txtTemp());
    QVERIFY(h->messages.empty());

    h->pressTab();
    QCOMPARE(h->messages, std::vector<Message>{kNotANumber});
  }

  void goingFromTheMenuBarToAControlLeavesTheBox() {
    h->chooseFluid(1, 1);
    h->type("abc");
    QTest::keyClick(h->txtTemp(), Qt::Key_Alt);
    QVERIFY(h->messages.empty());
    h->choose(h->lstFluid(), 4);
    QCOMPARE(h->messages, std::vector<Message>{kNotANumber});
    QCOMPARE(QApplication::focusWidget(), h->txtTemp());
    QCOMPARE(h->lstFluid()->currentRow(), 1);
  }

  void calculationWarnings_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<Message>("warning");
    const std::pair<const char*, Trigger> triggers[] = {
        {"button", Trigger::Button}, {"Ctrl+L", Trigger::Menu}, {"Enter", Trigger::Enter}};
    for (const auto& [how, trigger] : triggers) {
      QTest::addRow("no category, %s", how) << 0 << 0 << "310" << trigger << kNoCategory;
      QTest::addRow("no fluid, %s", how) << 1 << 0 << "310" << trigger << kNoFluid;
      QTest::addRow("below the range, %s", how) << 1 << 1 << "99.9" << trigger << kOutOfRange;
      QTest::addRow("above the range, %s", how) << 1 << 1 << "3000.0001" << trigger << kOutOfRange;
      QTest::addRow("empty counts as 0, %s", how) << 1 << 1 << "" << trigger << kOutOfRange;
      QTest::addRow("letters, %s", how) << 1 << 1 << "abc" << trigger << kNotANumber;
      QTest::addRow("nan, %s", how) << 1 << 1 << "nan" << trigger << kNotANumber;
      QTest::addRow("overflow, %s", how) << 1 << 1 << "-1e999" << trigger << kNotANumber;
    }
  }
  void calculationWarnings() {
    QFETCH(int, category);
    QFETCH(int, fluid);
    QFETCH(QString, typed);
    QFETCH(Trigger, trigger);
    QFETCH(Message, warning);
    if (category) h->chooseFluid(category, fluid);
    h->type(typed);
    Calculate(*h, trigger);
    // One message, even when the click first moved the focus out of the box.
    QCOMPARE(h->messages, std::vector<Message>{warning});
    QCOMPARE(h->visibleResults(), QStringList());
    QCOMPARE(h->lstCategory()->currentRow(), category);
    if (warning == kNotANumber) {
      QCOMPARE(h->txtTemp()->text(), typed);
      QCOMPARE(QApplication::focusWidget(), h->txtTemp());
    }
  }

  // A click and an access key alike.
  void refusedEntryHoldsTheUserInTheBox_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("accessKey");
    QTest::newRow("click Calculate") << "cmdCalc" << 0;
    QTest::newRow("click Reset") << "cmdReset" << 0;
    QTest::newRow("click Exit") << "cmdExit" << 0;
    QTest::newRow("click the fluid list") << "lstFluid" << 0;
    QTest::newRow("Alt+C") << "cmdCalc" << int(Qt::Key_C);
    QTest::newRow("Alt+R") << "cmdReset" << int(Qt::Key_R);
    QTest::newRow("Alt+X") << "cmdExit" << int(Qt::Key_X);
  }
  void refusedEntryHoldsTheUserInTheBox() {
    QFETCH(QString, target);
    QFETCH(int, accessKey);
    h->chooseFluid(1, 1);
    h->type("abc");
    if (accessKey)
      QTest::keyClick(h->txtTemp(), Qt::Key(accessKey), Qt::AltModifier);
    else if (target == "lstFluid")
      h->choose(h->lstFluid(), 3);
    else
      QTest::mouseClick(h->button(qPrintable(target)), Qt::LeftButton);
    QCOMPARE(h->messages, std::vector<Message>{kNotANumber});
    QCOMPARE(QApplication::focusWidget(), h->txtTemp());
    QCOMPARE(h->txtTemp()->text(), QString("abc"));
    QCOMPARE(h->lstFluid()->currentRow(), 1);
    QCOMPARE(h->exitRequests, 0);
    QVERIFY(!h->button(qPrintable(target == "lstFluid" ? "cmdCalc" : target))->isDown());

    // Once the text is a number, the next click goes through.
    h->type("310");
    h->clickCalculate();
    QCOMPARE(h->messages.size(), size_t(1));
    QCOMPARE(h->visibleResults(), kGasResults);
  }

  void airAt310ShowsTheGasResults_data() {
    QTest::addColumn<Trigger>("trigger");
    QTest::newRow("button") << Trigger::Button;
    QTest::newRow("Ctrl+L") << Trigger::Menu;
    QTest::newRow("Enter") << Trigger::Enter;
  }
  void airAt310ShowsTheGasResults() {
    QFETCH(Trigger, trigger);
    h->chooseFluid(1, 1);
    h->type("310");
    Calculate(*h, trigger);
    QVERIFY(h->messages.empty());
    const QStringList expected = {"1.1281", "1.007", "189.3E-7", "16.9E-6", "27E-3", "24E-6", "0.706", "3.23E-3"};
    for (int i = 0; i < 8; ++i) QCOMPARE(h->lblProp(i)->text(), expected[i]);
    QCOMPARE(h->visibleResults(), kGasResults);
    QCOMPARE(h->txtTemp()->text(), QString("310"));
  }

  void bothEndsOfTheRangeAreCalculated_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("density");
    QTest::newRow("Tmin") << "100"
                          << "3.5562";
    QTest::newRow("Tmax") << "3000"
                          << "0.1135";
  }
  void bothEndsOfTheRangeAreCalculated() {
    QFETCH(QString, typed);
    QFETCH(QString, density);
    h->chooseFluid(1, 1);
    h->type(typed);
    h->pressEnter();
    QVERIFY(h->messages.empty());
    QCOMPARE(h->lblProp(0)->text(), density);
    QCOMPARE(h->visibleResults(), kGasResults);
  }

  void eachCategoryShowsItsOwnLabelsAndPictures_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("visible");
    QTest::newRow("gases") << 1 << 5 << "300" << kGasResults;
    QTest::newRow("saturated fluids") << 2 << 5 << "300" << kGasResults;
    QStringList water;
    for (int i = 0; i < 14; ++i) water << QString("lblProp%1").arg(i);
    for (int i = 8; i < 22; ++i) water << kPictureNames[i];
    water << "lineProp";
    QTest::newRow("saturated water") << 3 << 1 << "373.15" << water;
    QTest::newRow("liquid metals") << 4 << 4 << "700" << QStringList{"lblProp0", "lblProp1", "lblProp3", "lblProp4",
                                                                     "lblProp5", "lblProp6", "imaRho",   "imaCp",
                                                                     "imaNu",    "imaK",     "imaAlpha", "imaPr"};
  }
  void eachCategoryShowsItsOwnLabelsAndPictures() {
    QFETCH(int, category);
    QFETCH(int, fluid);
    QFETCH(QString, typed);
    QFETCH(QStringList, visible);
    // A gas calculation first, so that nothing of it may stay visible.
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    h->chooseFluid(category, fluid);
    h->type(typed);
    h->pressEnter();
    QVERIFY(h->messages.empty());
    QCOMPARE(h->visibleResults(), visible);
  }

  // What the labels show where the tables have no value or an infinite one,
  // and where the display rules of a category differ.
  void labelsShowMarkersAndValues_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("texts");  // lblProp0 ... in order; "" for a hidden label
    QTest::newRow("water at the critical point")
        << 3 << 1 << "647.3" << QStringList{"221.2", "3.17E-3", "0.0032", "0",        "INFINITE", "INFINITE", "45E-6",
                                            "45E-6", "238E-3",  "238E-3", "INFINITE", "INFINITE", "0E-3",     "----"};
    QTest::newRow("water at 420 K") << 3 << 1 << "420"
                                    << QStringList{"4.37",  "1.088E-3", "0.425",    "2123",   "4.302",
                                                   "2.291", "185E-6",   "13.79E-6", "688E-3", "29.8E-3",
                                                   "1.16",  "1.075",    "49.4E-3",  "1010E-6"};
    QTest::newRow("water where its expansion coefficient is -1")
        << 3 << 1 << "277.015" << QStringList{"0.00815", "1E-3",     "161",     "2492",  "4.206", "1.856",   "1559E-6",
                                              "8.17E-6", "577.2E-3", "18.4E-3", "11.43", "0.82",  "75.1E-3", "-1E-6"};
    QTest::newRow("lead above its middle row")
        << 4 << 2 << "756" << QStringList{"10411", "----", "", "1.847E-7", "15.6", "----", "----", ""};
    QTest::newRow("PbBi at 644 K") << 4 << 7 << "644"
                                   << QStringList{"10236", "0.147", "", "1.496E-7", "11.86", "0.79E-5", "0.0189", ""};
  }
  void labelsShowMarkersAndValues() {
    QFETCH(int, category);
    QFETCH(int, fluid);
    QFETCH(QString, typed);
    QFETCH(QStringList, texts);
    // A gas first, so that a label left over from it would show.
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    h->chooseFluid(category, fluid);
    h->type(typed);
    h->pressEnter();
    QVERIFY(h->messages.empty());
    for (int i = 0; i < texts.size(); ++i) {
      QCOMPARE(h->lblProp(i)->isVisible(), !texts[i].isEmpty());
      if (!texts[i].isEmpty()) QCOMPARE(h->lblProp(i)->text(), texts[i]);
    }
  }

  void anyChangeHidesTheResults_data() {
    QTest::addColumn<int>("change");
    QTest::newRow("category") << 0;
    QTest::newRow("fluid") << 1;
    QTest::newRow("typed digit") << 2;
    QTest::newRow("backspace") << 3;
    QTest::newRow("reset button") << 4;
    QTest::newRow("Ctrl+R") << 5;
  }
  void anyChangeHidesTheResults() {
    QFETCH(int, change);
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    QCOMPARE(h->visibleResults(), kGasResults);
    switch (change) {
      case 0:
        h->choose(h->lstCategory(), 2);
        break;
      case 1:
        h->choose(h->lstFluid(), 2);
        break;
      case 2:
        QTest::keyClick(h->txtTemp(), Qt::Key_5);
        break;
      case 3:
        QTest::keyClick(h->txtTemp(), Qt::Key_Backspace);
        break;
      case 4:
        QTest::mouseClick(h->button("cmdReset"), Qt::LeftButton);
        break;
      case 5:
        QTest::keyClick(h->txtTemp(), Qt::Key_R, Qt::ControlModifier);
        break;
    }
    QCOMPARE(h->visibleResults(), QStringList());
    // Hiding leaves the texts behind the labels.
    QCOMPARE(h->lblProp(0)->text(), QString("1.1281"));
    QVERIFY(h->messages.empty());
  }

  void resetReturnsToTheStartUpState() {
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    QTest::mouseClick(h->button("cmdReset"), Qt::LeftButton);
    QCOMPARE(h->lstCategory()->currentRow(), 0);
    QCOMPARE(h->lstFluid()->count(), 0);
    QCOMPARE(h->lblRange()->text(), QString());
    QCOMPARE(h->txtTemp()->text(), QString("0"));
    QCOMPARE(h->visibleResults(), QStringList());
    QVERIFY(h->messages.empty());
  }

  void tabMovesThroughTheControlsInOrder() {
    const QStringList order = {"lstFluid", "txtTemp", "cmdExit", "cmdReset", "cmdCalc", "lstCategory"};
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("lstCategory"));
    for (const QString& next : order) {
      h->pressTab();
      QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdCalc"));
    QVERIFY(h->messages.empty());
  }

  // Keys pressed in the box, or on the button that Tab and Shift+Tab reach.
  void accessKeysAndShortcuts_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifier");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("effect");
    QTest::newRow("Alt+C calculates") << int(Qt::Key_C) << int(Qt::AltModifier) << "txtTemp"
                                      << "calculated";
    QTest::newRow("Alt+R resets") << int(Qt::Key_R) << int(Qt::AltModifier) << "txtTemp"
                                  << "reset";
    QTest::newRow("Alt+X exits") << int(Qt::Key_X) << int(Qt::AltModifier) << "txtTemp"
                                 << "exit";
    QTest::newRow("Ctrl+L calculates") << int(Qt::Key_L) << int(Qt::ControlModifier) << "txtTemp"
                                       << "calculated";
    QTest::newRow("Ctrl+R resets") << int(Qt::Key_R) << int(Qt::ControlModifier) << "txtTemp"
                                   << "reset";
    QTest::newRow("Ctrl+Q exits") << int(Qt::Key_Q) << int(Qt::ControlModifier) << "txtTemp"
                                  << "exit";
    QTest::newRow("Ctrl+I instructs") << int(Qt::Key_I) << int(Qt::ControlModifier) << "txtTemp"
                                      << "instructions";
    QTest::newRow("Enter on Calculate") << int(Qt::Key_Return) << 0 << "cmdCalc"
                                        << "calculated";
    QTest::newRow("Enter on Reset") << int(Qt::Key_Return) << 0 << "cmdReset"
                                    << "reset";
    QTest::newRow("keypad Enter on Exit") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "cmdExit"
                                          << "exit";
    QTest::newRow("Space on Calculate") << int(Qt::Key_Space) << 0 << "cmdCalc"
                                        << "calculated";
  }
  void accessKeysAndShortcuts() {
    QFETCH(int, key);
    QFETCH(int, modifier);
    QFETCH(QString, on);
    QFETCH(QString, effect);
    h->chooseFluid(1, 1);
    h->type("310");
    // Shift+Tab from the fluid list wraps round to Calculate, the last stop.
    const QStringList backwards = {"txtTemp", "lstFluid", "lstCategory", "cmdCalc", "cmdReset", "cmdExit"};
    for (int i = 0; i < backwards.indexOf(on); ++i)
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), on);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifier));
    if (effect == "calculated") {
      QTRY_COMPARE(h->visibleResults(), kGasResults);
      QVERIFY(h->messages.empty());
    } else if (effect == "reset") {
      QTRY_COMPARE(h->txtTemp()->text(), QString("0"));
      QCOMPARE(h->lstCategory()->currentRow(), 0);
    } else if (effect == "exit") {
      QTRY_COMPARE(h->exitRequests, 1);
      QVERIFY(h->messages.empty());
    } else {
      QCOMPARE(h->messages.size(), size_t(1));
      QCOMPARE(h->messages[0].title, QString("Instructions"));
    }
    if (effect != "exit") QCOMPARE(h->exitRequests, 0);
  }

  void menuItemsHaveTheirTextsAndShortcuts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("calculate") << "mnuCalc"
                               << "&Calculate" << QKeySequence("Ctrl+L");
    QTest::newRow("reset") << "mnuReset"
                           << "&Reset Form" << QKeySequence("Ctrl+R");
    QTest::newRow("exit") << "mnuExit"
                          << "E&xit" << QKeySequence("Ctrl+Q");
    QTest::newRow("instructions") << "mnuInstructions"
                                  << "&Instructions" << QKeySequence("Ctrl+I");
    QTest::newRow("about") << "mnuAbout"
                           << "&About Vantorel..." << QKeySequence();
  }
  void menuItemsHaveTheirTextsAndShortcuts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    const QAction* action = h->action(qPrintable(name));
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), shortcut);
    const QMenu* menu = h->find<QMenu>(name == "mnuInstructions" || name == "mnuAbout" ? "mnuHelp" : "mnuFile");
    QVERIFY(menu->actions().contains(const_cast<QAction*>(action)));
  }

  void helpMessages_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("lines");
    QTest::newRow("instructions") << "mnuInstructions"
                                  << "Instructions"
                                  << "To find property values of a substance at a certain temperature:"
                                  << "4. Click the Calculate Button." << 9;
    QTest::newRow("about") << "mnuAbout"
                           << "About Avntorel"
                           << "Vantorel 1.0"
                           << "F. P. Incropera and D. P. DeWitt, \"Fundamentals of Heat and Mass Transfer\", "
                              "5th edition, New York, John Wiley & Sons, 2002, Tables: A.4-A.7"
                           << 7;
  }
  void helpMessages() {
    QFETCH(QString, item);
    QFETCH(QString, title);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, lines);
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    h->action(qPrintable(item))->trigger();
    QCOMPARE(h->messages.size(), size_t(1));
    const Message& shown = h->messages[0];
    QCOMPARE(shown.title, title);
    QCOMPARE(shown.icon, MessageIcon::None);
    const QStringList text = shown.text.split('\n');
    QCOMPARE(text.size(), lines);
    QCOMPARE(text.first(), first);
    QCOMPARE(text.last(), last);
    QCOMPARE(text[1], QString());  // an empty line after the first
    // Help changes nothing.
    QCOMPARE(h->visibleResults(), kGasResults);
  }

  // Every control has a name a screen reader can say: its text, or one of
  // its own where it shows none. Only the range label, while it shows no
  // range, has nothing to say.
  void everyControlHasAnAccessibleName() {
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    QStringList unnamed;
    for (QWidget* control : h->window.findChildren<QWidget*>()) {
      // Qt's own parts of the lists and the menu bar, and the container of the controls.
      const QString name = control->objectName();
      if (name.isEmpty() || name.startsWith("qt_") || name == "client") continue;
      if (QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty()) unnamed << name;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(" ")));
    QCOMPARE(QAccessible::queryAccessibleInterface(h->lstCategory())->text(QAccessible::Name), QString("Category"));
    QCOMPARE(QAccessible::queryAccessibleInterface(h->lblProp(0))->text(QAccessible::Name),
             QString("density ρ, 1.1281 kilograms per cubic metre"));
    h->choose(h->lstCategory(), 0);
    QCOMPARE(h->lblRange()->text(), QString());
  }

  // Ctrl+Shift+C itself is the monkey session's; here, the context menus.
  void contextMenusCopyAValueOrAllTheResults() {
    const auto copyFromMenu = [&](QWidget* over, const char* item) {
      QContextMenuEvent click(QContextMenuEvent::Mouse, over->rect().center(),
                              over->mapToGlobal(over->rect().center()));
      QApplication::sendEvent(over, &click);
      QMenu* menu = nullptr;
      if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())); }))
        return false;
      if (!menu->actions().contains(h->action(item))) return false;
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(h->action(item)).center());
      return true;
    };
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    QVERIFY(copyFromMenu(h->lblProp(2), "mnuCopyValue"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("189.3E-7"));
    QVERIFY(copyFromMenu(h->picture("imaRho"), "mnuCopyResults"));
    QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 2, 2),
             QString("Source\tTable A.4, between the rows at 300 K and 350 K"));
    QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 6, 6),
             QString("dynamic viscosity\tμ\t189.3E-7\tN·s/m²\t1.893e-05\tPa·s"));
    QCOMPARE(h->lblProp(2)->toolTip(), QString("Table A.4, between the rows at 300 K and 350 K"));
    QTest::keyClick(h->txtTemp(), Qt::Key_5);  // the results go, and with them what there is to copy
    QVERIFY(!h->action("mnuCopyValue")->isEnabled() && !h->action("mnuCopyResults")->isEnabled());
  }

  void exitEndsTheProgramWithoutAsking_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("menu") << "menu";
    QTest::newRow("Ctrl+Q") << "Ctrl+Q";
  }
  void exitEndsTheProgramWithoutAsking() {
    QFETCH(QString, how);
    h->chooseFluid(1, 1);
    h->type("310");
    h->pressEnter();
    if (how == "button")
      QTest::mouseClick(h->button("cmdExit"), Qt::LeftButton);
    else if (how == "menu")
      h->action("mnuExit")->trigger();
    else
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(h->exitRequests, 1);
    QVERIFY(h->messages.empty());
  }
};

QObject* MakeWindowTest() { return new WindowTest; }

}  // namespace vantorel::window::test

#include "window_test.moc"
