#pragma once
// A push button whose caption wraps onto more lines when the button is too
// narrow for it, as "&Calculate Properties" does on its 97-pixel button.
// The caption stays one text with its access key; only the drawing wraps.
// Enter presses the focused button, as Space does.

#include <QPushButton>

namespace vantorel::window {

class CommandButton : public QPushButton {
 public:
  CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vantorel::window
