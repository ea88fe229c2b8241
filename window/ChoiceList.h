#pragma once
// A list whose choice can be changed but never taken away: the current row
// is always the one highlighted. Choosing another row moves the current row,
// which is the change the window's handlers run on. Nothing merely removes
// the highlight (Ctrl+click on the chosen row, Ctrl+Space, a click below the
// last row), and a row selected some other way, by an assistive technology
// say, becomes the current row, so its handler runs too.
//
// While it has the focus the list wears a frame in the focus colour all
// round it, empty or not: the styles mark a focused list by little more
// than a change of shade in its chosen row.

#include <QListWidget>

namespace vantorel::window {

class ChoiceList : public QListWidget {
 public:
  explicit ChoiceList(QWidget* parent);

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void keepTheChoiceShown(const QItemSelection& selected);

  // Drawn over the frame, the rows and the scroll bar alike, which are
  // separate widgets that would each hide a frame painted by the list.
  QWidget* focusFrame_;
};

}  // namespace vantorel::window
