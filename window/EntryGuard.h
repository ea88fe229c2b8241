#pragma once
// Holds the user in the temperature box while its text is no number. When
// the focus leaves the box for another control of the window, the entry
// check runs; if it refuses the text, it takes the focus back, and the mouse
// press or access key that moved the focus must not go on to act on the
// control it was meant for. Switching to another application, opening a menu or a message box of
// the window's own is no leaving: the check waits for the focus to really
// go to another control. After a refusal, the box is the last focus a screen
// reader hears of.

#include <QObject>
#include <QPointer>
#include <functional>

class QFocusEvent;
class QWidget;

namespace vantorel::window {

class EntryGuard : public QObject {
 public:
  // `check` runs the entry check and tells whether it took the text.
  EntryGuard(QWidget* window, QWidget* box, std::function<bool()> check);

  // A control that can take the focus from the box, and whose press (a
  // click, or a button's access key) a refused check swallows; for a list,
  // its viewport.
  void guard(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool leavesTheBox(const QFocusEvent& event) const;
  bool isAnotherControl(const QWidget* widget) const;
  void boxLeftFor(QWidget* next, bool byPress);
  void reportFocusInTheBox() const;
  void focusMovedFromMenuBar(QWidget* now);
  bool refusesMouse(QObject* watched, QEvent* event);
  bool refusesAccessKey(QObject* watched);

  QWidget* window_;
  QWidget* box_;
  std::function<bool()> check_;
  // A press that moved the focus out of the box while it held no number:
  // the check has refused it and taken the focus back, so the press (and a
  // mouse press's release) must not go on to act on the control.
  QPointer<QWidget> refusedPress_;
  QPointer<QObject> refusedRelease_;
  // The box gave the focus to the menu bar (Alt); where the focus goes from
  // there decides whether the box was left.
  bool menuBarHoldsTheBox_ = false;
  // An access key is moving the focus to its button.
  bool pressingKey_ = false;
};

}  // namespace vantorel::window
