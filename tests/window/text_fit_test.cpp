// No text is cut at the edge of its box, whatever fonts stand in for the
// ones the form names. CTest runs this class twice: with the fonts the
// package depends on, and with DejaVu alone, the fallback any desktop has.

#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include "FittingText.h"
#include "TestSuites.h"
#include "WindowHarness.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

namespace {

// The box around every pixel darker than mid grey inside `area`.
QRect InkIn(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
  return ink;
}

QImage Rendered(QWidget* widget) {
  QImage image(widget->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  widget->render(&image);
  return image;
}

// The font a label draws its text in.
QFont DrawingFont(QLabel* label) {
  if (const auto* fitting = dynamic_cast<const FittingLabel*>(label)) return fitting->shownFont();
  return label->font();
}

// What is wrong with how `label` shows its text: the text drawn in its box
// leaves less ink across than the same text drawn with room to spare.
QString CutLabel(QLabel* label) {
  if (label->text().isEmpty()) return {};
  const int shown = InkIn(Rendered(label), label->contentsRect()).width();
  QLabel whole(label->text());
  whole.setTextFormat(Qt::PlainText);
  whole.setFont(DrawingFont(label));
  whole.setAlignment(Qt::AlignCenter);
  whole.resize(whole.sizeHint() + QSize(16, 8));
  const int needed = InkIn(Rendered(&whole), whole.rect()).width();
  if (shown < needed - 1) return QString("shows %1 of its %2 pixels").arg(shown).arg(needed);
  return {};
}

}  // namespace

class TextFitTest : public OpenWindowSuite {
  Q_OBJECT

 private slots:

  // The longest texts each kind of label shows: every fixed caption at
  // start, the longest range, and the longest results of the tables. (The
  // buttons' captions wrap onto a second line instead.)
  void noTextIsCutAtTheEdgeOfItsBox_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("typed");
    QTest::newRow("at start") << 0 << 0 << "";
    QTest::newRow("saturated water's range and its markers") << 3 << 1 << "647.3";
    QTest::newRow("glycerin's kinematic viscosity") << 2 << 3 << "273.07";
    QTest::newRow("freon's dynamic viscosity") << 2 << 4 << "230";
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
