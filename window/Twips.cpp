#include "Twips.h"

#include <QtMath>

namespace vantorel::window {

int Twips::px(int twips) const { return qRound(twips * dpi_ / 1440.0); }

QRect Twips::rect(int left, int top, int width, int height) const {
  return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace vantorel::window
