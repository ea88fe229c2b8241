#include "WindowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace vantorel::window {

void PaintWindowIcon(QPainter& p, int size) {
  p.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 48 x 48 grid. No line is thinner than one pixel of the
  // target, and at the smallest sizes the table has fewer, darker rules, so
  // the 16-pixel icon is as clear as the large ones.
  const double pixel = 48.0 / size;
  const auto width = [pixel](double w) { return std::max(w, pixel); };
  const bool small = size < 32;

  // The table: a white sheet with a blue header row and ruled rows.
  const QRectF sheet(10, 4, 34, 40);
  p.setPen(QPen(QColor(40, 40, 40), width(1.2)));
  p.setBrush(Qt::white);
  p.drawRoundedRect(sheet, 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 90, 170));
  p.drawRect(QRectF(10.6, 4.6, 32.8, small ? 8 : 6.4));
  p.setPen(QPen(small ? QColor(90, 90, 90) : QColor(150, 150, 150), width(0.8)));
  const int rows = small ? 3 : 5, spacing = small ? 9 : 6, first = small ? 20 : 17;
  for (int row = 0; row < rows; ++row)
    p.drawLine(QPointF(12, first + spacing * row), QPointF(42, first + spacing * row));
  p.drawLine(QPointF(24, 11), QPointF(24, 42));

  // The thermometer: a glass tube with a red column and bulb, left of the sheet.
  QPainterPath glass;
  glass.addRoundedRect(QRectF(4, 6, 9, 30), 4.5, 4.5);
  glass.addEllipse(QPointF(8.5, 37.5), 7, 7);
  p.setPen(QPen(QColor(40, 40, 40), width(1.4)));
  p.setBrush(QColor(235, 240, 245));
  p.drawPath(glass.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(205, 30, 30));
  p.drawRoundedRect(QRectF(6.5, 16, 4, 20), 2, 2);
  p.drawEllipse(QPointF(8.5, 37.5), 5, 5);
  if (small) return;  // the scale's ticks would be a grey smear
  p.setPen(QPen(QColor(40, 40, 40), width(0.9)));
  for (int tick = 0; tick < 4; ++tick) p.drawLine(QPointF(13, 11 + 6 * tick), QPointF(15.5, 11 + 6 * tick));
}

QPixmap WindowIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.scale(size / 48.0, size / 48.0);
  PaintWindowIcon(p, size);
  return pixmap;
}

QIcon WindowIcon() {
  // One 48-pixel image, which the window system scales for its title bar and
  // task list. Drawing every size a desktop might want took longer than the
  // rest of the window's start; those sizes are installed in the icon theme
  // (write_icons), where a desktop finds them through the menu entry.
  return QIcon(WindowIconPixmap(48));
}

}  // namespace vantorel::window
