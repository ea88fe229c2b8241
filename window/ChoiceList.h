#pragma once
// A list whose choice can be changed but never taken away: the current row
// is always the one highlighted. Choosing another row moves the current row,
// which is the change the window's handlers run on. Nothing merely removes
// the highlight (Ctrl+click on the chosen row, Ctrl+Space, a click below the
// last row), and a row selected some other way, by an assistive technology
// say, becomes the current row, so its handler runs too.

#include <QListWidget>

namespace vantorel::window {

class ChoiceList : public QListWidget {
 public:
  explicit ChoiceList(QWidget* parent);

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;

 private:
  void keepTheChoiceShown(const QItemSelection& selected);
};

}  // namespace vantorel::window
