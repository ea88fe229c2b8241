#include "WindowSuite.h"

#include <QTest>
#include <QtGlobal>

namespace vantorel::window::test {

namespace {

QtMessageHandler testLog = nullptr;

void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // What the offscreen platform cannot do for menus and windows.
  for (const char* limitation :
       {"does not support propagateSizeHints", "does not support raise()", "does not support grabbing the keyboard"})
    if (message.contains(QLatin1String(limitation))) return;
  if (testLog) testLog(type, context, message);
}

}  // namespace

void WindowSuite::initTestCase() { testLog = qInstallMessageHandler(DropSizeHintWarnings); }

void WindowSuite::cleanupTestCase() { qInstallMessageHandler(testLog); }

void OpenWindowSuite::init() {
  h = std::make_unique<WindowHarness>();
  QVERIFY(h->open());
}

void OpenWindowSuite::cleanup() { h.reset(); }

}  // namespace vantorel::window::test
