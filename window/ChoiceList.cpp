#include "ChoiceList.h"

#include <QPainter>

namespace vantorel::window {

namespace {

constexpr int kFocusFrameWidth = 2;  // pixels; one would pass for the list's own border

// A frame in the focus colour around the list, over everything in it, that
// lets every mouse event through to the list beneath.
class FocusFrame : public QWidget {
 public:
  explicit FocusFrame(QWidget* list) : QWidget(list) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!parentWidget()->hasFocus()) return;
    QPainter painter(this);
    const QColor colour = parentWidget()->palette().color(QPalette::Highlight);
    const QRect all = rect();
    const int w = kFocusFrameWidth;
    painter.fillRect(QRect(all.left(), all.top(), all.width(), w), colour);
    painter.fillRect(QRect(all.left(), all.bottom() - w + 1, all.width(), w), colour);
    painter.fillRect(QRect(all.left(), all.top() + w, w, all.height() - 2 * w), colour);
    painter.fillRect(QRect(all.right() - w + 1, all.top() + w, w, all.height() - 2 * w), colour);
  }
};

}  // namespace

ChoiceList::ChoiceList(QWidget* parent) : QListWidget(parent), focusFrame_(new FocusFrame(this)) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ChoiceList::keepTheChoiceShown);
}

QItemSelectionModel::SelectionFlags ChoiceList::selectionCommand(const QModelIndex& index, const QEvent* event) const {
  // Below the last row there is nothing to choose.
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  // With one row chosen at a time, a deselection or a toggle could only
  // take the highlight off the chosen row.
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) return QItemSelectionModel::NoUpdate;
  return command;
}

void ChoiceList::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  focusFrame_->raise();  // above the scroll bars, whenever they were made
  focusFrame_->update();
}

void ChoiceList::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  focusFrame_->update();
}

void ChoiceList::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  focusFrame_->setGeometry(rect());
}

void ChoiceList::keepTheChoiceShown(const QItemSelection& selected) {
  for (const QModelIndex& index : selected.indexes())
    if (index != currentIndex()) {
      // Chosen without the current row: it follows, and the handler runs.
      setCurrentIndex(index);
      return;
    }
  if (currentIndex().isValid() && !selectionModel()->isSelected(currentIndex()))
    selectionModel()->select(currentIndex(), QItemSelectionModel::Select);
}

}  // namespace vantorel::window
