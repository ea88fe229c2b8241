// vantorel: the calculator window. No command line, no files, no settings.

#include <QApplication>

#include "WindowStyle.h"
#include "frmThrmPhysProp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(new vantorel::window::WindowStyle);
  QApplication::setApplicationName("Vantorel");
  // Lets a desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName("org.vantorel.Vantorel");
  vantorel::window::frmThrmPhysProp form;
  form.show();
  return QApplication::exec();
}
