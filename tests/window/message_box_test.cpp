// The real message boxes and the real end of the program: what the seams do
// when no test replaces them.

#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "TestSuites.h"
#include "WindowHarness.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QAbstractButton*>::size_type buttons = 0;
  bool modal = false;
  int width = 0;
  int titleWidth = 0;  // the title in the box's font, bold
};

SeenBox See(const QMessageBox& box) {
  QFont bold = box.font();
  bold.setBold(true);
  return {box.windowTitle(),
          box.text(),
          box.icon(),
          box.buttons().size(),
          box.isModal(),
          box.width(),
          QFontMetrics(bold).horizontalAdvance(box.windowTitle())};
}

// Waits for the application's modal message box, notes what it shows and
// presses its OK button.
void AnswerTheNextBox(SeenBox& seen) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = See(*box);
    poll->deleteLater();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  poll->start(10);
}

}  // namespace

class MessageBoxTest : public WindowSuite {
  Q_OBJECT

 private slots:
  void showsAModalBoxWithOneOkButton_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("startsWith");
    QTest::newRow("instructions") << "Ctrl+I"
                                  << "Instructions" << int(QMessageBox::NoIcon)
                                  << "To find property values of a substance at a certain temperature:\n\n1.";
    QTest::newRow("about") << "about"
                           << "About Avntorel" << int(QMessageBox::NoIcon) << "Vantorel 1.0\n\n";
    QTest::newRow("no category") << "Enter"
                                 << "Cannot Calculate" << int(QMessageBox::Warning) << "Please select a category.";
    QTest::newRow("not a number") << "Tab"
                                  << "Vantorel" << int(QMessageBox::NoIcon)
                                  << "The value for temperature must be a number.";
  }
  void showsAModalBoxWithOneOkButton() {
    QFETCH(QString, situation);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, startsWith);
    frmThrmPhysProp window;
    int exits = 0;
    window.endProgram = [&] { ++exits; };
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* box = window.findChild<QLineEdit*>("txtTemp");
    box->setFocus();
    QTest::keyClicks(box, "abc");

    SeenBox seen;
    AnswerTheNextBox(seen);
    if (situation == "about")
      window.findChild<QAction*>("mnuAbout")->trigger();
    else if (situation == "Ctrl+I")
      QTest::keyClick(box, Qt::Key_I, Qt::ControlModifier);
    else if (situation == "Enter")
      QTest::keyClick(box, Qt::Key_Return);
    else
      QTest::keyClick(box, Qt::Key_Tab);

    QCOMPARE(seen.title, title);
    QCOMPARE(int(seen.icon), icon);
    QVERIFY2(seen.text.startsWith(startsWith), qPrintable(seen.text));
    QCOMPARE(seen.buttons, 1);
    // Room for the whole title in a larger bold font, beside a title bar's
    // icon and three buttons of 24 pixels.
    QVERIFY2(seen.width >= 1.2 * seen.titleWidth + 4 * 24, qPrintable(QString::number(seen.width)));
    QVERIFY(seen.modal);
    QCOMPARE(exits, 0);
  }

  // A real box takes the window from the front while it is open, and the
  // window comes back only when the system says so. The click that left the
  // box must still be refused: one box, and the button does nothing.
  void aRefusedClickShowsOneRealBox_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("Calculate") << "cmdCalc";
    QTest::newRow("Reset") << "cmdReset";
    QTest::newRow("Exit") << "cmdExit";
  }
  void aRefusedClickShowsOneRealBox() {
    QFETCH(QString, button);
    WindowHarness h(true);
    QVERIFY(h.open());
    h.chooseFluid(1, 1);
    h.type("31O");
    // Answers every box that opens, so that a second one fails the test
    // instead of waiting for an answer.
    SeenBox seen;
    int boxes = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      ++boxes;
      seen = See(*box);
      QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start(5);
    QTest::mouseClick(h.button(qPrintable(button)), Qt::LeftButton);
    QCOMPARE(boxes, 1);
    // The offscreen platform brings no window back by itself.
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QCOMPARE(seen.text, QString("The value for temperature must be a number."));
    QCOMPARE(h.messages.size(), size_t(1));
    QCOMPARE(h.txtTemp()->text(), QString("31O"));
    QCOMPARE(h.lstCategory()->currentRow(), 1);
    QCOMPARE(h.exitRequests, 0);
    QCOMPARE(QApplication::focusWidget(), h.txtTemp());
  }
};

class ProgramEndTest : public WindowSuite {
  Q_OBJECT

 private slots:
  // Both run the application's own event loop, as main() does, and see it
  // end. A guard ends it with 99 should the window fail to.
  void closingTheWindowEndsTheProgramWithoutAQuestion() {
    WindowHarness h;
    QVERIFY(h.open());
    h.chooseFluid(1, 1);
    h.type("abc");
    QTimer::singleShot(0, &h.window, [&] { h.window.close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(h.messages.empty());
    QCOMPARE(h.exitRequests, 0);
  }

  void exitLeavesTheEventLoopAtOnce() {
    frmThrmPhysProp window;
    std::vector<Message> messages;
    window.showMessage = [&](const Message& m) { messages.push_back(m); };
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(0, &window,
                       [&] { QTest::mouseClick(window.findChild<QPushButton*>("cmdExit"), Qt::LeftButton); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(messages.empty());
  }
};

QObject* MakeMessageBoxTest() { return new MessageBoxTest; }
QObject* MakeProgramEndTest() { return new ProgramEndTest; }

}  // namespace vantorel::window::test

#include "message_box_test.moc"
