#include "ChoiceList.h"

namespace vantorel::window {

ChoiceList::ChoiceList(QWidget* parent) : QListWidget(parent) {
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
