#include "SymbolPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace vantorel::window {

namespace {
// Sub- and superscripts are set smaller and moved off the baseline by a share
// of the main font's size.
constexpr qreal kScriptScale = 0.7;
constexpr qreal kSuperscriptRise = 0.36;
constexpr qreal kSubscriptDrop = 0.2;
}  // namespace

SymbolPicture::SymbolPicture(std::span<const SymbolRun> runs, QWidget* parent) : QWidget(parent), runs_(runs) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QString SymbolPicture::plainText() const {
  QString text;
  for (const SymbolRun& run : runs_) {
    if (run.kind == SymbolRun::Subscript) text += '_';
    if (run.kind == SymbolRun::Superscript) text += '^';
    text += QString::fromUtf8(run.text);
  }
  return text;
}

SymbolPicture::Layout SymbolPicture::layOut() const {
  Layout layout;
  const QFont main = font();
  const QFontMetricsF mainMetrics(main);
  layout.ascent = mainMetrics.ascent();
  layout.descent = mainMetrics.descent();
  layout.top = -layout.ascent;
  layout.bottom = layout.descent;

  QFont script = main;
  if (main.pixelSize() > 0)
    script.setPixelSize(qMax(1, qRound(main.pixelSize() * kScriptScale)));
  else
    script.setPointSizeF(main.pointSizeF() * kScriptScale);
  QFont italic = main;
  italic.setItalic(true);
  const qreal em = mainMetrics.height();

  qreal x = 0;
  bool afterItalic = false;
  for (const SymbolRun& run : runs_) {
    const QString text = QString::fromUtf8(run.text);
    QFont f = main;
    qreal shift = 0;
    switch (run.kind) {
      case SymbolRun::Symbol:
        f = italic;
        break;
      case SymbolRun::Subscript:
        f = script;
        shift = kSubscriptDrop * em;
        break;
      case SymbolRun::Superscript:
        f = script;
        shift = -kSuperscriptRise * em;
        break;
      case SymbolRun::Plain:
        break;
    }
    // An italic letter leans over its right edge; give what follows a little
    // room so a subscript or parenthesis does not touch it.
    if (afterItalic && run.kind != SymbolRun::Symbol) x += 0.06 * em;
    const QFontMetricsF m(f);
    layout.pieces.push_back({f, text, x, shift});
    x += m.horizontalAdvance(text);
    layout.top = std::min(layout.top, shift - m.ascent());
    layout.bottom = std::max(layout.bottom, shift + m.descent());
    afterItalic = run.kind == SymbolRun::Symbol;
  }
  layout.width = x;
  return layout;
}

QSize SymbolPicture::sizeHint() const {
  const Layout layout = layOut();
  return QSize(qCeil(layout.width) + 2, qCeil(layout.bottom - layout.top));
}

void SymbolPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Qt::black);

  const Layout layout = layOut();
  const qreal inkHeight = layout.bottom - layout.top;
  const qreal room = width() - 1.0;  // one pixel of air before the label
  const qreal scale = std::min({1.0, room / layout.width, height() / inkHeight});

  // Right-aligned against the label; the main line centred on the box's
  // middle, which is the middle of the label beside it, but never pushed out
  // of the box by a superscript or subscript.
  qreal baseline = height() / 2.0 + (layout.ascent - layout.descent) * scale / 2.0;
  baseline = std::max(baseline, -layout.top * scale);
  baseline = std::min(baseline, height() - layout.bottom * scale);
  p.translate(room - layout.width * scale, baseline);
  p.scale(scale, scale);
  for (const Laid& piece : layout.pieces) {
    p.setFont(piece.font);
    p.drawText(QPointF(piece.x, piece.shift), piece.text);
  }
}

}  // namespace vantorel::window
