#pragma once
// The window's icon: a thermometer in front of a property table, drawn in
// code at any size, and as SVG; the window itself carries the 48-pixel one.

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace vantorel::window {

// Paints the icon on a 48 x 48 grid, for a target `size` pixels wide (or a
// scalable one: 48).
void PaintWindowIcon(QPainter& painter, int size);

QPixmap WindowIconPixmap(int size);
QIcon WindowIcon();

}  // namespace vantorel::window
