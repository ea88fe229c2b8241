#pragma once
// The window's icon: a thermometer in front of a property table, drawn in
// code at every size a desktop asks for.

#include <QIcon>
#include <QPixmap>

namespace vantorel::window {

QPixmap WindowIconPixmap(int size);
QIcon WindowIcon();

}  // namespace vantorel::window
