#pragma once
// The base of the window's test classes. The offscreen platform cannot pass
// a fixed window size on to a window manager and warns about it for every
// window shown; that is no fault of the window, so while a class runs the
// warning is dropped before Qt Test logs it. Everything else goes through.

#include <QObject>

namespace vantorel::window::test {

class WindowSuite : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
};

}  // namespace vantorel::window::test
