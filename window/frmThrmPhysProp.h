#pragma once
// The calculator window. All interaction lives here, as one handler per
// control event, named after the control and the event (cmdCalc_Click,
// txtTemp_LostFocus). Setting a list's selection or the box's text from code
// runs the same handlers as the user's own action, and start-up, reset and
// the category handling rely on that cascade. Where each control stands is
// in FormLayout; holding the user in the box is EntryGuard's work.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <vantorel/vantorel.h>
#include "CopiedResults.h"
#include "FormLayout.h"
#include "Messages.h"
#include "PropertyState.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPoint;
class QPushButton;

namespace vantorel::window {

class EntryGuard;
class SymbolPicture;

class frmThrmPhysProp : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmThrmPhysProp(QWidget* parent = nullptr);
  ~frmThrmPhysProp() override;

  // How a message reaches the user. The default shows a modal message box
  // with one OK button; tests put a recorder here so that no dialog blocks.
  std::function<void(const Message&)> showMessage;

  // How Exit ends the program. The default leaves the event loop at once,
  // which closes the window without asking anything.
  std::function<void()> endProgram;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createPictures();
  void createMenus();
  void wireSignals();

  void Form_Load();
  void lstCategory_Click();
  void lstFluid_Click();
  void txtTemp_Change();
  bool txtTemp_LostFocus();
  void txtTemp_KeyPress(int KeyAscii);
  void cmdCalc_Click();
  void cmdReset_Click();
  void cmdExit_Click();
  void mnuCalc_Click();
  void mnuReset_Click();
  void mnuExit_Click();
  void mnuInstructions_Click();
  void mnuAbout_Click();
  void mnuCopyResults_Click();
  void mnuCopyValue_Click();

  void ShowProps();
  void ClearProps();
  void ClearImages();

  void MsgBox(const Message& message);
  void ShowCopyMenu(QWidget* over, const QPoint& where, int label);
  // The checked look-up behind the shown results, and where it comes from.
  std::optional<Reading> ShownReading() const;
  static QString SourceOf(const Reading& reading);
  CopiedResults ShownResults() const;

  // The valid range of the selected fluid, kelvin, both ends included.
  double Tmin = 0;
  double Tmax = 0;

  QListWidget* lstCategory = nullptr;
  QListWidget* lstFluid = nullptr;
  QLineEdit* txtTemp = nullptr;
  QLabel* lblRange = nullptr;
  QFrame* Frame1 = nullptr;
  QPushButton* cmdCalc = nullptr;
  QPushButton* cmdReset = nullptr;
  QPushButton* cmdExit = nullptr;

  std::array<QLabel*, kResultLabels> lblProp{};
  QFrame* lineProp = nullptr;
  // The 22 pictures by the slot each one stands for, in hiding order.
  std::array<SymbolPicture*, kSlotCount> pictureOf{};

  QAction* mnuCalc = nullptr;
  QAction* mnuReset = nullptr;
  QAction* mnuExit = nullptr;
  QAction* mnuInstructions = nullptr;
  QAction* mnuAbout = nullptr;
  // Not in the menu bar: Ctrl+Shift+C, and the context menus of the
  // properties area and of each value. Enabled while results are shown.
  QAction* mnuCopyResults = nullptr;
  QAction* mnuCopyValue = nullptr;
  int copyLabel_ = -1;  // the result label whose context menu is open

  // A member, so it is gone before the window's base deletes the controls
  // it watches.
  std::unique_ptr<EntryGuard> entryGuard_;
};

}  // namespace vantorel::window
