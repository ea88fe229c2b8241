// What a screen reader hears: where the focus ends when the entry check
// holds the user in the box, and the results when they appear. Qt sends
// these events only while an assistive technology listens, which on Linux
// takes a display and an accessibility bus: CTest's window_accessibility
// runs this class so; elsewhere it is skipped.

#include <QAccessible>
#include <QPointer>
#include <QProcess>
#include <QTest>

#include "TestSuites.h"
#include "WindowHarness.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

namespace {

struct Heard {
  QAccessible::Event type;
  QPointer<QObject> object;
  QString description;  // of a DescriptionChanged
};
std::vector<Heard> heard;

void Hear(QAccessibleEvent* event) {
  const bool described = event->type() == QAccessible::DescriptionChanged;
  heard.push_back(
      {event->type(), event->object(), described ? event->accessibleInterface()->text(QAccessible::Description) : ""});
}

// The bus starts on its first call; QT_LINUX_ACCESSIBILITY_ALWAYS_ON then
// has Qt send its events as if a screen reader ran.
bool Listening() {
  static const bool listening = [] {
    if (QGuiApplication::platformName() != "xcb") return false;
    QAccessible::installUpdateHandler(Hear);
    QProcess bus;
    bus.setStandardOutputFile(QProcess::nullDevice());
    bus.start("dbus-send",
              {"--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"});
    bus.waitForFinished();
    return QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000);
  }();
  return listening;
}

QObject* LastFocus() {
  for (auto it = heard.rbegin(); it != heard.rend(); ++it)
    if (it->type == QAccessible::Focus) return it->object;
  return nullptr;
}

}  // namespace

class AccessibilityTest : public WindowSuite {
  Q_OBJECT

  std::unique_ptr<WindowHarness> h;

 private slots:
  void init() {
    if (!Listening()) QSKIP("no accessibility bus to listen on");
    h = std::make_unique<WindowHarness>();
    QVERIFY(h->open());
  }
  void cleanup() { h.reset(); }

  // A mouse press, Tab and an access key each move the focus on to another
  // control before the check takes it back.
  void aRefusedEntryLeavesTheFocusInTheBox_data() {
    QTest::addColumn<QString>("leaving");
    QTest::newRow("click on Calculate") << "click";
    QTest::newRow("Tab") << "Tab";
    QTest::newRow("Alt+R") << "Alt+R";
  }
  void aRefusedEntryLeavesTheFocusInTheBox() {
    QFETCH(QString, leaving);
    h->chooseFluid(1, 1);
    h->type("abc");
    heard.clear();
    if (leaving == "Tab")
      h->pressTab();
    else if (leaving == "Alt+R")
      QTest::keyClick(h->txtTemp(), Qt::Key_R, Qt::AltModifier);
    else
      h->clickCalculate();
    QCOMPARE(h->messages.size(), size_t(1));
    QTest::qWait(50);
    QCOMPARE(LastFocus(), static_cast<QObject*>(h->txtTemp()));
  }

  // The first result as its label reads, told on every calculation.
  void resultsAreAnnounced_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("air") << 1 << "310"
                         << "density ρ, 1.1281 kilograms per cubic metre";
    QTest::newRow("saturated water") << 3 << "373.15"
                                     << "saturation pressure P, 1.0133 bar";
  }
  void resultsAreAnnounced() {
    QFETCH(int, category);
    QFETCH(QString, typed);
    QFETCH(QString, firstLine);
    h->chooseFluid(category, 1);
    h->type(typed);
    for (int time = 1; time <= 2; ++time) {
      heard.clear();
      h->pressEnter();
      QStringList told;
      for (const Heard& e : heard)
        if (e.object == h->find<QObject>("Frame1") && !e.description.isEmpty()) told << e.description;
      QCOMPARE(told, QStringList{firstLine});
    }
  }
};

QObject* MakeAccessibilityTest() { return new AccessibilityTest; }

}  // namespace vantorel::window::test

#include "accessibility_test.moc"
