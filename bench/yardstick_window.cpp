// The yardstick for the window's start: the least a Qt Widgets window of the
// same kind needs, built and started the same way. Two lists (one filled as
// the category list is), a line edit, 14 labels and a button, on a client
// area of the calculator's size, with Qt's default fonts, no menu bar and no
// icon. bench/run.sh times it beside the calculator in the same run.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Yardstick");
  auto* client = new QWidget(&window);
  client->setFixedSize(476, 597);
  window.setCentralWidget(client);

  auto* categories = new QListWidget(client);
  categories->setGeometry(16, 72, 217, 84);
  categories->addItems({"--Select Material Category--", "Gases at Atmoshperic Pressure", "Saturated Fluids",
                        "Saturated Water", "Liquid Metals"});
  categories->setCurrentRow(0);
  (new QListWidget(client))->setGeometry(256, 72, 201, 164);
  auto* box = new QLineEdit("0", client);
  box->setGeometry(128, 168, 65, 19);
  for (int i = 0; i < 14; ++i)
    (new QLabel(QString::number(i), client))->setGeometry(i < 7 ? 143 : 356, 293 + 30 * (i % 7), 89, 17);
  (new QPushButton("Calculate", client))->setGeometry(136, 520, 97, 57);

  window.show();
  return QApplication::exec();
}
