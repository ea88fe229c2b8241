#pragma once
// The modal message box that shows a Message: its text, its title (the
// application's when it has none), one OK button, an exclamation icon for
// the warnings. Qt sizes a box by its text and leaves a title barely more
// room than its letters, so a window manager that puts an icon and buttons
// beside the title cuts a short message's title ("Canno…cuate"). The box is
// made wide enough for the whole title in a title bar's bold font, beside
// room for the title bar's icon and three buttons.

#include "Messages.h"

class QFont;
class QMessageBox;
class QWidget;

namespace vantorel::window {

// Shows the message and returns once the user has answered it.
void ShowMessageBox(const Message& message, QWidget* parent);

// The width a title bar needs to show `title` whole, in pixels, with the
// message font `font` and `dpi` logical dots per inch.
int TitleBarWidth(const QString& title, const QFont& font, double dpi);

// Widens `box` to at least TitleBarWidth of its title.
void MakeRoomForTitle(QMessageBox& box);

}  // namespace vantorel::window
