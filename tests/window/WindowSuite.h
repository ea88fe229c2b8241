#pragma once
// The base of the window's test classes. The offscreen platform cannot pass
// a fixed window size on to a window manager, raise a window or grab the
// keyboard for a menu, and warns each time; that is no fault of the window,
// so while a class runs those warnings are dropped before Qt Test logs them.
// Everything else goes through.

#include <QObject>

namespace vantorel::window::test {

class WindowSuite : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
};

}  // namespace vantorel::window::test
