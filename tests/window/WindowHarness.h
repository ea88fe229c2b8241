#pragma once
// A calculator window on the offscreen platform with its two seams replaced:
// messages are recorded instead of shown, and Exit is counted instead of
// ending the test program. The helpers act as a user would, through the
// real widgets: clicks on list rows, keys typed into the box, Tab, Enter.

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <vector>

#include "Messages.h"
#include "SymbolPicture.h"
#include "frmThrmPhysProp.h"

namespace vantorel::window::test {

inline const char* const kPictureNames[] = {
    "imaRho", "imaCp",  "imaMu",  "imaNu",  "imaK",   "imaAlpha", "imaPr", "imaBeta", "imaP",   "imaVf",     "imaVg",
    "imaHfg", "imaCpf", "imaCpg", "imaMuf", "imaMug", "imaKf",    "imaKg", "imaPrf",  "imaPrg", "imaSigmaf", "imaBetaf",
};

struct WindowHarness {
  frmThrmPhysProp window;
  std::vector<Message> messages;
  int exitRequests = 0;

  // With `realBoxes`, messages are still recorded but also shown in the
  // window's own modal boxes, which someone must then answer.
  explicit WindowHarness(bool realBoxes = false) {
    if (realBoxes)
      window.showMessage = [this, show = window.showMessage](const Message& m) {
        messages.push_back(m);
        show(m);
      };
    else
      window.showMessage = [this](const Message& m) { messages.push_back(m); };
    window.endProgram = [this] { ++exitRequests; };
  }

  // Shows the window and makes it the active one, as after start-up.
  bool open() {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  }

  template <class T>
  T* find(const char* name) const {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
  }

  QListWidget* lstCategory() const { return find<QListWidget>("lstCategory"); }
  QListWidget* lstFluid() const { return find<QListWidget>("lstFluid"); }
  QLineEdit* txtTemp() const { return find<QLineEdit>("txtTemp"); }
  QLabel* lblRange() const { return find<QLabel>("lblRange"); }
  QPushButton* button(const char* name) const { return find<QPushButton>(name); }
  QAction* action(const char* name) const { return find<QAction>(name); }
  QLabel* lblProp(int i) const { return find<QLabel>(qPrintable(QString("lblProp%1").arg(i))); }
  QWidget* picture(const char* name) const { return find<QWidget>(name); }
  QFrame* lineProp() const { return find<QFrame>("lineProp"); }

  // A click on a row of a list, as the user makes it.
  void choose(QListWidget* list, int row) const {
    QListWidgetItem* item = list->item(row);
    if (!item) qFatal("no row %d in %s", row, qPrintable(list->objectName()));
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }

  void chooseFluid(int category, int fluid) const {
    choose(lstCategory(), category);
    if (fluid != lstFluid()->currentRow()) choose(lstFluid(), fluid);
  }

  // Puts the cursor into the box, replaces its text by typing, and leaves
  // the focus in the box.
  void type(const QString& text) const {
    QLineEdit* box = txtTemp();
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
      QTest::keyClick(box, Qt::Key_Delete);
    else
      QTest::keyClicks(box, text);
  }

  void pressEnter() const { QTest::keyClick(txtTemp(), Qt::Key_Return); }
  void pressTab() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
  void clickCalculate() const { QTest::mouseClick(button("cmdCalc"), Qt::LeftButton); }

  // Every result label, picture and the line, with what is visible now.
  QStringList visibleResults() const {
    QStringList visible;
    for (int i = 0; i < 14; ++i)
      if (lblProp(i)->isVisible()) visible << QString("lblProp%1").arg(i);
    for (const char* name : kPictureNames)
      if (picture(name)->isVisible()) visible << name;
    if (lineProp()->isVisible()) visible << "lineProp";
    return visible;
  }
};

}  // namespace vantorel::window::test

namespace vantorel::window {

// How a message reads in a failed comparison.
inline char* toString(const Message& m) {
  return QTest::toString(
      QString("{\"%1\", \"%2\", %3}").arg(m.text, m.title, m.icon == MessageIcon::Warning ? "warning" : "no icon"));
}
inline char* toString(const std::vector<Message>& messages) {
  QStringList all;
  for (const Message& m : messages) {
    char* one = toString(m);
    all << QString::fromUtf8(one);
    delete[] one;
  }
  return QTest::toString("[" + all.join(", ") + "]");
}

}  // namespace vantorel::window

Q_DECLARE_METATYPE(vantorel::window::Message)
