#pragma once
// A push button whose caption wraps onto more lines when the button is too
// narrow for it, as "&Calculate Properties" does on its 97-pixel button.
// The caption stays one text with its access key; only the drawing wraps.

#include <QPushButton>

namespace vantorel::window {

class CommandButton : public QPushButton {
 public:
  CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vantorel::window
