#pragma once
// Whether a control's text is cut at the edge of its box, seen as a user
// sees it: by the ink of the control as it is drawn.

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>

#include "FittingText.h"

namespace vantorel::window::test {

// The box around every pixel darker than mid grey inside `area`.
inline QRect InkIn(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
  return ink;
}

inline QImage Rendered(QWidget* widget) {
  QImage image(widget->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  widget->render(&image);
  return image;
}

// The font a label draws its text in.
inline QFont DrawingFont(QLabel* label) {
  if (const auto* fitting = dynamic_cast<const FittingLabel*>(label)) return fitting->shownFont();
  return label->font();
}

// What is wrong with how `label` shows its text: the text drawn in its box
// leaves less ink across than the same text drawn with room to spare.
inline QString CutLabel(QLabel* label) {
  if (label->text().isEmpty()) return {};
  const int shown = InkIn(Rendered(label), label->contentsRect()).width();
  QLabel whole(label->text());
  whole.setTextFormat(Qt::PlainText);
  whole.setFont(DrawingFont(label));
  whole.setAlignment(Qt::AlignCenter);
  whole.resize(whole.sizeHint() + QSize(16, 8));
  const int needed = InkIn(Rendered(&whole), whole.rect()).width();
  if (shown < needed - 1) return QString("shows %1 of its %2 pixels").arg(shown).arg(needed);
  return {};
}

// The same for a button's caption. It is centred in the button's contents,
// and clipped to them when it does not fit, so a cut caption has ink at
// both sides of the contents.
inline QString CutCaption(QPushButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
  const QRect ink = InkIn(Rendered(button), contents);
  if (ink.isEmpty()) return "no ink";
  if (ink.left() <= contents.left() && ink.right() >= contents.right()) return "cut at the sides";
  if (ink.top() <= contents.top() && ink.bottom() >= contents.bottom()) return "cut at the top and bottom";
  return {};
}

}  // namespace vantorel::window::test
