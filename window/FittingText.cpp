#include "FittingText.h"

#include <QFontMetricsF>
#include <QListWidget>
#include <QPainter>
#include <QStyle>

namespace vantorel::window {

namespace {

constexpr qreal kStep = 0.25;           // points
constexpr qreal kSmallestPoints = 6.0;  // below this a text is hard to read anyway

// The sum of the characters' advances, without kerning, which in the
// window's fonts pulls letters together far more than it pushes them apart.
// Shaping each text as a whole would cost a tenth of a millisecond a text,
// and the lists measure dozens before the window is shown.
bool Fits(const QFont& font, const QStringList& texts, int width) {
  const QFontMetricsF metrics(font);
  for (const QString& text : texts) {
    qreal advance = 0;
    for (const QChar c : text) advance += metrics.horizontalAdvance(c);
    if (advance > width) return false;
  }
  return true;
}

}  // namespace

QFont FittedFont(const QFont& designed, const QStringList& texts, int width) {
  if (designed.pointSizeF() <= 0 || Fits(designed, texts, width)) return designed;
  QFont font = designed;
  for (qreal points = designed.pointSizeF() - kStep; points >= kSmallestPoints; points -= kStep) {
    font.setPointSizeF(points);
    if (Fits(font, texts, width)) return font;
  }
  return font;
}

QFont FittingLabel::shownFont() const {
  const QSize room = contentsRect().size();
  if (text() != fittedText_ || room != fittedRoom_ || font() != fittedFrom_) {
    fittedText_ = text();
    fittedRoom_ = room;
    fittedFrom_ = font();
    fitted_ = FittedFont(font(), {text()}, room.width());
  }
  return fitted_;
}

void FittingLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(shownFont());
  style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), text(), foregroundRole());
}

void FitListFont(QListWidget* list, const QList<QStringList>& fillings) {
  const QStyle* style = list->style();
  // A row's text stands inside the focus frame's margins on both sides.
  const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
  const int scrollBar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
  const QSize viewport = list->contentsRect().size();
  QFont font = list->font();
  for (const QStringList& entries : fillings) {
    const qreal rowHeight = QFontMetricsF(font).height() + 2 * style->pixelMetric(QStyle::PM_FocusFrameVMargin);
    const bool scrolls = entries.size() * rowHeight > viewport.height();
    font = FittedFont(font, entries, viewport.width() - margins - (scrolls ? scrollBar : 0));
  }
  list->setFont(font);
}

}  // namespace vantorel::window
