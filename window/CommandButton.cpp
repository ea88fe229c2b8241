#include "CommandButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vantorel::window {

void CommandButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  // The bevel as the style draws it, without a caption of its own.
  const QString caption = option.text;
  option.text.clear();
  p.drawControl(QStyle::CE_PushButtonBevel, option);

  // The caption, word-wrapped and centred in the button's contents.
  const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) flags |= Qt::TextHideMnemonic;
  p.drawItemText(contents, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
    focus.backgroundColor = option.palette.button().color();
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  // A push button outside a dialog takes only Space; keyboard users expect
  // Enter to press the button they are on too. The keypad's Enter counts.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace vantorel::window
