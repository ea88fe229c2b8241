#pragma once
// The application's style: the platform's own, but for the icon of the menu
// bar's overflow button. Qt asks the style for that icon when the menu bar
// is made, and reading it loads every image-format plugin Qt has, about
// 3 ms before the window can be shown; two menus never overflow the bar,
// so the button is never shown and needs no icon.

#include <QProxyStyle>

namespace vantorel::window {

class WindowStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace vantorel::window
