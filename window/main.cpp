// vantorel: the calculator window. No files, no settings; on the command
// line only --help and --version, and Qt's own options (-platform, -style).

#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>

#include <vantorel/vantorel.h>
#include "WindowStyle.h"
#include "frmThrmPhysProp.h"

namespace {

constexpr const char* kUsage = R"(Usage: vantorel [--help | --version]

Opens the Vantorel calculator window: the thermophysical properties of gases
at atmospheric pressure, saturated fluids, saturated water and liquid metals,
interpolated and rounded as the textbook's tables give them. Choose a category
and a fluid, type a temperature in kelvin and press Enter.

Options:
  -h, --help     show this text and exit
  --version      show the version and exit

Qt's own options, such as -platform and -style, are passed on to Qt.
vantorel-props gives the same look-ups in a terminal or a script.
)";

enum class Asked { Window, Help, Version };

// Read before Qt starts, so that an answer needs no display.
Asked WhatIsAsked(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") return Asked::Help;
    if (argument == "--version") return Asked::Version;
  }
  return Asked::Window;
}

bool NamesOption(int argc, char** argv, std::string_view option) {
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument.starts_with("--")) argument.remove_prefix(1);  // Qt takes both forms
    if (argument == option) return true;
  }
  return false;
}

// With no platform named, Qt tries the desktop's, and without a display it
// stops with advice to reinstall itself; a named platform (offscreen, vnc)
// needs no display, and -display names one.
bool HasNoDisplay(int argc, char** argv) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || NamesOption(argc, argv, "-platform")) return false;
  if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return false;
  return !NamesOption(argc, argv, "-display");
}

// A text for the terminal; failing to write it is a failure of the program.
int Print(const char* text) {
  std::fputs(text, stdout);
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  switch (WhatIsAsked(argc, argv)) {
    case Asked::Help:
      return Print(kUsage);
    case Asked::Version: {
      const std::string version = "vantorel " + std::string(vantorel::Version()) + "\n";
      return Print(version.c_str());
    }
    case Asked::Window:
      break;
  }
  if (HasNoDisplay(argc, argv)) {
    std::fputs("vantorel: no display to open the window on (DISPLAY is not set)\n", stderr);
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setStyle(new vantorel::window::WindowStyle);
  QApplication::setApplicationName("Vantorel");
  // Lets a desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName("org.vantorel.Vantorel");
  vantorel::window::frmThrmPhysProp form;
  form.show();
  return QApplication::exec();
}
