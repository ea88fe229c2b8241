// No text is cut at the edge of its box, whatever fonts stand in for the
// ones the form names. CTest runs this class twice: with the fonts the
// package depends on, and with DejaVu alone, the fallback any desktop has.

#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include "CutText.h"
#include "TestSuites.h"
#include "WindowHarness.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

class TextFitTest : public WindowSuite {
  Q_OBJECT

  std::unique_ptr<WindowHarness> h;

 private slots:
  void init() {
    h = std::make_unique<WindowHarness>();
    QVERIFY(h->open());
  }
  void cleanup() { h.reset(); }

  // The longest texts each kind of label shows: every fixed caption at
  // start, the longest range, and the longest results of the tables.
  void noTextIsCutAtTheEdgeOfItsBox_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("typed");
    QTest::newRow("at start") << 0 << 0 << "";
    QTest::newRow("saturated water's range and its markers") << 3 << 1 << "647.3";
    QTest::newRow("saturated water below 420 K") << 3 << 1 << "419.94";
    QTest::newRow("glycerin's kinematic viscosity") << 2 << 3 << "273.07";
    QTest::newRow("engine oil's kinematic viscosity") << 2 << 1 << "273.07";
    QTest::newRow("freon's dynamic viscosity") << 2 << 4 << "230";
    QTest::newRow("mercury's dynamic viscosity") << 2 << 5 << "273.07";
    QTest::newRow("helium's kinematic viscosity") << 1 << 5 << "999.99";
    QTest::newRow("hydrogen's kinematic viscosity") << 1 << 6 << "1999.94";
    QTest::newRow("lead's markers") << 4 << 2 << "756";
  }
  void noTextIsCutAtTheEdgeOfItsBox() {
    QFETCH(int, category);
    QFETCH(int, fluid);
    QFETCH(QString, typed);
    if (category) {
      h->chooseFluid(category, fluid);
      h->type(typed);
      h->pressEnter();
      QVERIFY(h->messages.empty());
    }
    QStringList cut;
    for (QLabel* label : h->window.findChildren<QLabel*>())
      if (label->isVisible() && !CutLabel(label).isEmpty()) cut << label->objectName() + " " + CutLabel(label);
    for (QPushButton* button : h->window.findChildren<QPushButton*>())
      if (!CutCaption(button).isEmpty()) cut << button->objectName() + " " + CutCaption(button);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
  }

  // A list wider in its entries than in its box would need a sideways scroll.
  void listEntriesShowWhole() {
    for (int category = 0; category < h->lstCategory()->count(); ++category) {
      h->choose(h->lstCategory(), category);
      for (QListWidget* list : {h->lstCategory(), h->lstFluid()}) {
        list->doItemsLayout();
        QVERIFY2(list->horizontalScrollBar()->maximum() == 0,
                 qPrintable(QString("%1 scrolls sideways with category %2").arg(list->objectName()).arg(category)));
      }
    }
  }
};

QObject* MakeTextFitTest() { return new TextFitTest; }

}  // namespace vantorel::window::test

#include "text_fit_test.moc"
