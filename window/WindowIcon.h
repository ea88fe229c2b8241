#pragma once
// The window's icon: a thermometer in front of a property table, drawn in
// code at any size; the window itself carries the 48-pixel one.

#include <QIcon>
#include <QPixmap>

namespace vantorel::window {

QPixmap WindowIconPixmap(int size);
QIcon WindowIcon();

}  // namespace vantorel::window
