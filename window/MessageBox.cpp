#include "MessageBox.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <cmath>

namespace vantorel::window {

namespace {
// Title bars set their title bold and often larger than the text of the
// window; beside it stand the window's icon and up to three buttons.
constexpr double kTitleFontScale = 1.2;
constexpr int kTitleBarExtras = 4;    // icon, minimise, maximise, close
constexpr int kTitleBarExtraPx = 28;  // each, with its padding, at 96 dpi
}  // namespace

int TitleBarWidth(const QString& title, const QFont& font, double dpi) {
  QFont bold = font;
  bold.setBold(true);
  if (bold.pointSizeF() > 0)
    bold.setPointSizeF(bold.pointSizeF() * kTitleFontScale);
  else
    bold.setPixelSize(static_cast<int>(std::ceil(bold.pixelSize() * kTitleFontScale)));
  return QFontMetrics(bold).horizontalAdvance(title) +
         static_cast<int>(std::ceil(kTitleBarExtras * kTitleBarExtraPx * dpi / 96.0));
}

void MakeRoomForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  // A strut across the row of the buttons, which adds no height.
  int row = grid->rowCount() - 1, column = 0, rows = 1, columns = 1;
  if (const auto* buttons = box.findChild<QDialogButtonBox*>())
    grid->getItemPosition(grid->indexOf(buttons), &row, &column, &rows, &columns);
  const int width = TitleBarWidth(box.windowTitle(), box.font(), box.logicalDpiX());
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), row, 0, 1, grid->columnCount());
}

void ShowMessageBox(const Message& message, QWidget* parent) {
  QMessageBox box(message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  message.title.isEmpty() ? kApplicationTitle : message.title, message.text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  MakeRoomForTitle(box);
  box.exec();
}

}  // namespace vantorel::window
