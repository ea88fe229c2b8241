#pragma once
// A picture of a property's symbol beside its result label: the symbol in
// italics with its subscripts, the unit in parentheses with its
// superscripts, and an equals sign, black on white. It is painted as text
// at the widget's device pixel ratio, so it stays crisp on any screen, and
// shrunk to fit its box when the box is too small for it.

#include <QWidget>
#include <span>
#include <vector>

namespace vantorel::window {

struct SymbolRun {
  enum Kind : unsigned char { Symbol, Subscript, Superscript, Plain };
  Kind kind;
  const char* text;  // UTF-8
};

class SymbolPicture : public QWidget {
 public:
  SymbolPicture(std::span<const SymbolRun> runs, QWidget* parent);

  // The picture as plain text, subscripts after "_" and superscripts after
  // "^": "c_p (kJ/kg·K) =".
  QString plainText() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Laid {
    QFont font;
    QString text;
    qreal x;      // from the left end, in unscaled pixels
    qreal shift;  // baseline offset, downwards positive
  };
  struct Layout {
    std::vector<Laid> pieces;
    qreal width = 0, ascent = 0, descent = 0;  // of the main line
    qreal top = 0, bottom = 0;                 // ink extent around the baseline
  };
  Layout layOut() const;

  std::span<const SymbolRun> runs_;
};

}  // namespace vantorel::window
