#pragma once
// Every place and size of the window is written in twips (1440 to the inch).
// They all become pixels through this one conversion: 15 twips to a pixel at
// 96 dpi, scaled with the screen's logical DPI.

#include <QRect>

namespace vantorel::window {

// A box in twips: Left, Top, Width, Height.
struct TwipsBox {
  int left, top, width, height;
};

class Twips {
 public:
  explicit Twips(qreal logicalDpi) : dpi_(logicalDpi) {}

  // Pixels for a length in twips, to the nearest pixel.
  int px(int twips) const;

  // A box given in twips (Left, Top, Width, Height) in pixels.
  QRect rect(int left, int top, int width, int height) const;
  QRect rect(const TwipsBox& box) const { return rect(box.left, box.top, box.width, box.height); }

 private:
  qreal dpi_;
};

}  // namespace vantorel::window
