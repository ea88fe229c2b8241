#include "CommandButton.h"

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

}  // namespace vantorel::window
