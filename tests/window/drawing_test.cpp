// How the window is drawn: the one twips-to-pixels conversion, the fonts
// that stand in for the named ones, the symbol pictures beside their labels
// at any device pixel ratio, and the window icon.

#include <QFontInfo>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "TestSuites.h"
#include "Twips.h"
#include "WindowHarness.h"
#include "WindowIcon.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

namespace {

// The box around every pixel darker than mid grey, in device pixels.
QRect InkBounds(const QImage& image) {
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
  return ink;
}

// The pixels of two pictures of one widget that differ by a quarter of the
// colour range or more in some channel: what an eye notices at once.
int StronglyChanged(const QImage& before, const QImage& after) {
  int changed = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) {
      const QColor a = before.pixelColor(x, y), b = after.pixelColor(x, y);
      const int most =
          std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
      changed += most >= 64;
    }
  return changed;
}

// The widget as the screen shows it, once pending repaints are done.
QImage OnScreen(QWidget* widget) {
  QCoreApplication::processEvents();
  const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
  const QPixmap shown =
      widget->screen()->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height());
  return shown.toImage();
}

// The result label each picture stands beside.
int LabelBeside(int picture) {
  static const int kLabels[] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  return kLabels[picture];
}

}  // namespace

class DrawingTest : public OpenWindowSuite {
  Q_OBJECT

 private slots:

  void twipsBecomePixelsAtTheLogicalDpi_data() {
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("one pixel at 96 dpi") << 96.0 << 15 << 1;
    QTest::newRow("client width at 96 dpi") << 96.0 << 7140 << 476;
    QTest::newRow("client height at 96 dpi") << 96.0 << 8955 << 597;
    QTest::newRow("client width at 144 dpi") << 144.0 << 7140 << 714;
    QTest::newRow("an inch at 120 dpi") << 120.0 << 1440 << 120;
    QTest::newRow("label height at 192 dpi") << 192.0 << 255 << 34;
    QTest::newRow("rounded to nearest") << 96.0 << 128 << 9;
  }
  void twipsBecomePixelsAtTheLogicalDpi() {
    QFETCH(double, dpi);
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(Twips(dpi).px(twips), pixels);
  }

  void controlsSitWhereTheirTwipsSay_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("client") << "client" << QRect(0, 0, 7140, 8955);
    QTest::newRow("lstCategory") << "lstCategory" << QRect(240, 1080, 3255, 1260);
    QTest::newRow("lstFluid") << "lstFluid" << QRect(3840, 1080, 3015, 2460);
    QTest::newRow("txtTemp") << "txtTemp" << QRect(1920, 2520, 975, 285);
    QTest::newRow("Frame1") << "Frame1" << QRect(240, 4200, 6615, 3345);
    QTest::newRow("cmdExit") << "cmdExit" << QRect(5400, 7800, 1455, 855);
    QTest::newRow("lblProp13") << "lblProp13" << QRect(5100, 2895, 1335, 255);
  }
  void controlsSitWhereTheirTwipsSay() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    const Twips tw(h->window.screen()->logicalDotsPerInch());
    const QWidget* control = h->find<QWidget>(qPrintable(name));
    const QRect expected = tw.rect(twips.x(), twips.y(), twips.width(), twips.height());
    QCOMPARE(control->size(), expected.size());
    // The client area starts below the menu bar; everything else is placed
    // inside it or inside Frame1.
    if (name != "client") QCOMPARE(control->pos(), expected.topLeft());
  }

  void namedFontsHaveTheirStandIns_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::newRow("Garamond title") << "Label1"
                                    << "EB Garamond";
    QTest::newRow("Garamond button") << "cmdCalc"
                                     << "EB Garamond";
    QTest::newRow("MS Sans Serif list") << "lstCategory"
                                        << "Liberation Sans";
    QTest::newRow("Arial result") << "lblProp0"
                                  << "Liberation Sans";
    QTest::newRow("Times New Roman picture") << "imaRho"
                                             << "Liberation Serif";
  }
  void namedFontsHaveTheirStandIns() {
    QFETCH(QString, name);
    QFETCH(QString, family);
    const QWidget* control = h->find<QWidget>(qPrintable(name));
    QVERIFY2(QFontInfo(control->font()).family().startsWith(family), qPrintable(QFontInfo(control->font()).family()));
  }

  void picturesFitTheirBoxesAtAnyPixelRatio_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("ratio");
    for (const char* name : kPictureNames) {
      QTest::addRow("%s at 1x", name) << name << 1.0;
      QTest::addRow("%s at 2x", name) << name << 2.0;
    }
  }
  void picturesFitTheirBoxesAtAnyPixelRatio() {
    QFETCH(QString, name);
    QFETCH(double, ratio);
    QWidget* picture = h->picture(qPrintable(name));
    QImage image(picture->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    picture->render(&image);
    const QRect ink = InkBounds(image);
    QVERIFY(!ink.isEmpty());
    // Nothing cut off at the left, top or bottom; the text ends at the right,
    // next to the label.
    QVERIFY2(ink.left() > 0 && ink.top() > 0 && ink.bottom() < image.height() - 1,
             qPrintable(QString("ink %1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    QVERIFY(ink.right() >= image.width() - 4 * ratio);
  }

  // The list that has the focus wears a frame all round it, full or empty,
  // until the focus goes.
  void aFocusedListWearsAFocusFrame_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("category");
    QTest::newRow("categories") << "lstCategory" << 0;
    QTest::newRow("fluids of the gases") << "lstFluid" << 1;
    QTest::newRow("fluids, none") << "lstFluid" << 0;
  }
  void aFocusedListWearsAFocusFrame() {
    QFETCH(QString, list);
    QFETCH(int, category);
    QListWidget* shown = h->find<QListWidget>(qPrintable(list));
    h->choose(h->lstCategory(), category);
    h->txtTemp()->setFocus();
    const QImage unfocused = OnScreen(shown);
    shown->setFocus(Qt::TabFocusReason);
    // A 2-pixel frame has about 4 (w + h) pixels; the chosen row, drawn in
    // the same colour, may hide part of one side.
    const int changed = StronglyChanged(unfocused, OnScreen(shown));
    QVERIFY2(changed >= 2 * (shown->width() + shown->height()), qPrintable(QString::number(changed)));
    h->txtTemp()->setFocus();
    QCOMPARE(StronglyChanged(unfocused, OnScreen(shown)), 0);
  }

  void picturesStandJustLeftOfTheirLabels() {
    for (int i = 0; i < 22; ++i) {
      const QRect picture = h->picture(kPictureNames[i])->geometry();
      const QRect label = h->lblProp(LabelBeside(i))->geometry();
      QVERIFY2(picture.right() < label.left() && label.left() - picture.right() <= 8, kPictureNames[i]);
      QVERIFY2(qAbs(picture.center().y() - label.center().y()) <= 2, kPictureNames[i]);
    }
  }

  void theWindowHasItsIcon() {
    const QIcon icon = h->window.windowIcon();
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(48, 48)});
    const QImage image = WindowIconPixmap(48).toImage();
    int opaque = 0, red = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) {
        const QColor c = image.pixelColor(x, y);
        opaque += c.alpha() == 255;
        red += c.red() > 180 && c.green() < 80;
      }
    QVERIFY(opaque > 48 * 48 / 3);  // a sheet and a thermometer, not an empty square
    QVERIFY(red > 20);              // the thermometer's column
  }
};

QObject* MakeDrawingTest() { return new DrawingTest; }

}  // namespace vantorel::window::test

#include "drawing_test.moc"
