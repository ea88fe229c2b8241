#include "Fonts.h"

#include <QFont>
#include <QStringList>

namespace vantorel::window {

void InstallFontSubstitutes() {
  static const bool installed = [] {
    // EB Garamond is a revival of the same Garamond faces; without it, a
    // serif face rather than whatever the system would pick.
    QFont::insertSubstitutions("Garamond", {"EB Garamond", "EB Garamond 12", "DejaVu Serif"});
    // Liberation Sans and Serif have the metrics of Arial and Times New Roman,
    // so texts take the room they were laid out for.
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
    // MS Sans Serif is a small bitmap sans; Liberation Sans comes closest in
    // width, DejaVu Sans is the wider fallback.
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
    return true;
  }();
  (void)installed;
}

}  // namespace vantorel::window
