#include "EntryGuard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

namespace vantorel::window {

EntryGuard::EntryGuard(QWidget* window, QWidget* box, std::function<bool()> check)
    : QObject(nullptr), window_(window), box_(box), check_(std::move(check)) {
  box_->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (old && qobject_cast<QMenuBar*>(old) && old->window() == window_) focusMovedFromMenuBar(now);
  });
}

void EntryGuard::guard(QWidget* control) { control->installEventFilter(this); }

bool EntryGuard::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_) {
    if (event->type() == QEvent::FocusOut) {
      const auto* focus = static_cast<QFocusEvent*>(event);
      // Alt takes the focus into the menu bar for a while; the box is left
      // only if the focus then goes on to another control.
      if (focus->reason() == Qt::MenuBarFocusReason) menuBarHoldsTheBox_ = true;
      const bool byPress = focus->reason() == Qt::MouseFocusReason || focus->reason() == Qt::ShortcutFocusReason;
      if (leavesTheBox(*focus)) boxLeftFor(QApplication::focusWidget(), byPress);
    }
    return false;
  }
  if (event->type() == QEvent::Shortcut) return refusesAccessKey(watched);
  return refusesMouse(watched, event);
}

// An access key presses its button as a click does: the focus goes to the
// button first, so leaving the box runs the entry check, and a refusal holds
// the press back.
bool EntryGuard::refusesAccessKey(QObject* watched) {
  auto* button = qobject_cast<QAbstractButton*>(watched);
  if (!button || button->focusPolicy() == Qt::NoFocus) return false;
  refusedPress_ = nullptr;  // only a refusal on the way to this button counts
  pressingKey_ = true;
  button->setFocus(Qt::ShortcutFocusReason);
  pressingKey_ = false;
  const bool refused = refusedPress_ == button;
  if (refused) refusedPress_ = nullptr;
  return refused;
}

void EntryGuard::focusMovedFromMenuBar(QWidget* now) {
  if (!menuBarHoldsTheBox_) return;
  menuBarHoldsTheBox_ = false;
  if (isAnotherControl(now)) boxLeftFor(now, pressingKey_ || QGuiApplication::mouseButtons() != Qt::NoButton);
}

void EntryGuard::boxLeftFor(QWidget* next, bool byPress) {
  if (check_()) return;
  // The check refused the text and took the focus back: the press that moved
  // it is refused too. (The box may not hold the focus yet: after a message
  // box the window comes back to the front only when the system says so.)
  if (byPress) refusedPress_ = next;
  // Qt tells assistive technologies of the focus move only once the move is
  // over, after the check took the focus back, so a screen reader would last
  // hear of the control the user was heading for. Tell it of the box after.
  QTimer::singleShot(0, this, [this] { reportFocusInTheBox(); });
}

void EntryGuard::reportFocusInTheBox() const {
  // A window not yet back at the front reports its focus itself once it is.
  if (QApplication::focusWidget() != box_) return;
  QAccessibleEvent focus(box_, QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

// Only a move to another control of this window leaves the box.
bool EntryGuard::leavesTheBox(const QFocusEvent& event) const {
  switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      return false;
    default:
      break;
  }
  return isAnotherControl(QApplication::focusWidget());
}

// A control of this window other than the box and the menu bar.
bool EntryGuard::isAnotherControl(const QWidget* widget) const {
  return widget && widget != box_ && widget->window() == window_ && !qobject_cast<const QMenuBar*>(widget);
}

bool EntryGuard::refusesMouse(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      QWidget* target = static_cast<QWidget*>(watched);
      const bool refused = refusedPress_ && (target == refusedPress_ || refusedPress_->isAncestorOf(target));
      refusedPress_ = nullptr;
      refusedRelease_ = refused ? watched : nullptr;
      return refused;
    }
    case QEvent::MouseButtonRelease:
      if (refusedRelease_ == watched) {
        refusedRelease_ = nullptr;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace vantorel::window
