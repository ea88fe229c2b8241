#pragma once
// Texts that keep to their boxes whatever font stands in for the one the
// form names. The boxes are fixed in twips and were drawn for the named
// fonts; where only a wider font is installed (DejaVu alone, say), a text
// that would be clipped is drawn a little smaller instead. With the fonts
// the package depends on, every text fits at its designed size.

#include <QFont>
#include <QLabel>
#include <QStringList>

class QListWidget;

namespace vantorel::window {

// The largest size of `designed`, in steps of a quarter point, at which
// every text fits on one line `width` pixels wide; `designed` itself when
// they fit already. (The buttons need none: their captions wrap.)
QFont FittedFont(const QFont& designed, const QStringList& texts, int width);

// A one-line label that draws its text in FittedFont of its own font.
class FittingLabel : public QLabel {
 public:
  FittingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

  // The font the text is drawn in.
  QFont shownFont() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The last fit, kept while the text, box and font stay the same.
  mutable QString fittedText_;
  mutable QSize fittedRoom_;
  mutable QFont fittedFrom_, fitted_;
};

// Gives `list` the largest size of its font at which each possible filling
// of it (one list of entries each) shows every entry whole, with a vertical
// scroll bar beside the entries when that filling needs one.
void FitListFont(QListWidget* list, const QList<QStringList>& fillings);

}  // namespace vantorel::window
