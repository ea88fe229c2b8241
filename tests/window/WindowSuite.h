#pragma once
// The base of the window's test classes. The offscreen platform cannot pass
// a fixed window size on to a window manager, raise a window or grab the
// keyboard for a menu, and warns each time; that is no fault of the window,
// so while a class runs those warnings are dropped before Qt Test logs them.
// Everything else goes through.

#include <QLocale>
#include <QObject>
#include <memory>

#include "WindowHarness.h"

namespace vantorel::window::test {

// The locale the window's tests expect unless they set another: their texts
// are written with "." as the decimal separator.
inline void UseTestLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

class WindowSuite : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
};

// The base of the classes whose every test starts with the window open and
// shown, in `h`.
class OpenWindowSuite : public WindowSuite {
  Q_OBJECT

 protected:
  std::unique_ptr<WindowHarness> h;

 private slots:
  void init();
  void cleanup();
};

}  // namespace vantorel::window::test
