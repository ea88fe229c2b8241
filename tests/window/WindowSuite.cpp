#include "WindowSuite.h"

#include <QtGlobal>

namespace vantorel::window::test {

namespace {

QtMessageHandler testLog = nullptr;

void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("does not support propagateSizeHints")) return;
  if (testLog) testLog(type, context, message);
}

}  // namespace

void WindowSuite::initTestCase() { testLog = qInstallMessageHandler(DropSizeHintWarnings); }

void WindowSuite::cleanupTestCase() { qInstallMessageHandler(testLog); }

}  // namespace vantorel::window::test
