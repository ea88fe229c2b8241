#include "frmThrmPhysProp.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>

#include "Catalog.h"
#include "CommandButton.h"
#include "Display.h"
#include "Fonts.h"
#include "SymbolPicture.h"
#include "TemperatureEntry.h"
#include "Twips.h"
#include "WindowIcon.h"

namespace vantorel::window {

namespace {

QFont NamedFont(const char* family, qreal points, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont Garamond(qreal points) { return NamedFont("Garamond", points, true); }
QFont SansSerif() { return NamedFont("MS Sans Serif", 9.75, false); }

using enum SymbolRun::Kind;

constexpr SymbolRun kRho[] = {{Symbol, "ρ"}, {Plain, " (kg/m"}, {Superscript, "3"}, {Plain, ") ="}};
constexpr SymbolRun kCp[] = {{Symbol, "c"}, {Subscript, "p"}, {Plain, " (kJ/kg·K) ="}};
constexpr SymbolRun kMu[] = {{Symbol, "μ"}, {Plain, " (N·s/m"}, {Superscript, "2"}, {Plain, ") ="}};
constexpr SymbolRun kNu[] = {{Symbol, "ν"}, {Plain, " (m"}, {Superscript, "2"}, {Plain, "/s) ="}};
constexpr SymbolRun kK[] = {{Symbol, "k"}, {Plain, " (W/m·K) ="}};
constexpr SymbolRun kAlpha[] = {{Symbol, "α"}, {Plain, " (m"}, {Superscript, "2"}, {Plain, "/s) ="}};
constexpr SymbolRun kPr[] = {{Symbol, "Pr"}, {Plain, " ="}};
constexpr SymbolRun kBeta[] = {{Symbol, "β"}, {Plain, " (K"}, {Superscript, "−1"}, {Plain, ") ="}};
constexpr SymbolRun kP[] = {{Symbol, "P"}, {Plain, " (bars) ="}};
constexpr SymbolRun kVf[] = {{Symbol, "v"}, {Subscript, "f"}, {Plain, " (m"}, {Superscript, "3"}, {Plain, "/kg) ="}};
constexpr SymbolRun kVg[] = {{Symbol, "v"}, {Subscript, "g"}, {Plain, " (m"}, {Superscript, "3"}, {Plain, "/kg) ="}};
constexpr SymbolRun kHfg[] = {{Symbol, "h"}, {Subscript, "fg"}, {Plain, " (kJ/kg) ="}};
constexpr SymbolRun kCpf[] = {{Symbol, "c"}, {Subscript, "p,f"}, {Plain, " (kJ/kg·K) ="}};
constexpr SymbolRun kCpg[] = {{Symbol, "c"}, {Subscript, "p,g"}, {Plain, " (kJ/kg·K) ="}};
constexpr SymbolRun kMuf[] = {{Symbol, "μ"}, {Subscript, "f"}, {Plain, " (N·s/m"}, {Superscript, "2"}, {Plain, ") ="}};
constexpr SymbolRun kMug[] = {{Symbol, "μ"}, {Subscript, "g"}, {Plain, " (N·s/m"}, {Superscript, "2"}, {Plain, ") ="}};
constexpr SymbolRun kKf[] = {{Symbol, "k"}, {Subscript, "f"}, {Plain, " (W/m·K) ="}};
constexpr SymbolRun kKg[] = {{Symbol, "k"}, {Subscript, "g"}, {Plain, " (W/m·K) ="}};
constexpr SymbolRun kPrf[] = {{Symbol, "Pr"}, {Subscript, "f"}, {Plain, " ="}};
constexpr SymbolRun kPrg[] = {{Symbol, "Pr"}, {Subscript, "g"}, {Plain, " ="}};
constexpr SymbolRun kSigmaf[] = {{Symbol, "σ"}, {Subscript, "f"}, {Plain, " (N/m) ="}};
constexpr SymbolRun kBetaf[] = {{Symbol, "β"}, {Subscript, "f"}, {Plain, " (K"}, {Superscript, "−1"}, {Plain, ") ="}};

// One of the 22 pictures: the window's member that holds it, its name and
// drawing, and its place in twips inside Frame1.
struct PictureEntry {
  SymbolPicture* frmThrmPhysProp::*member;
  const char* name;
  std::span<const SymbolRun> runs;
  int left, top, width, height;
};

}  // namespace

frmThrmPhysProp::frmThrmPhysProp(QWidget* parent) : QMainWindow(parent) {
  InstallFontSubstitutes();
  setObjectName("frmThrmPhysProp");
  setWindowTitle(kApplicationTitle);
  setWindowIcon(WindowIcon());

  showMessage = [this](const Message& message) {
    QMessageBox box(message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    message.title.isEmpty() ? kApplicationTitle : message.title, message.text,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  };
  endProgram = [] { QCoreApplication::exit(0); };

  createControls();
  createPictures();
  createMenus();
  wireSignals();

  Form_Load();
  lstCategory->setFocus();
}

frmThrmPhysProp::~frmThrmPhysProp() {
  // The controls die after this object has stopped being a window: no signal
  // or event of theirs, nor the focus changes their deaths cause, may reach
  // a handler any more.
  QObject::disconnect(qApp, nullptr, this, nullptr);
  for (QObject* control : {static_cast<QObject*>(lstCategory), static_cast<QObject*>(lstFluid),
                           static_cast<QObject*>(txtTemp), static_cast<QObject*>(cmdCalc),
                           static_cast<QObject*>(cmdReset), static_cast<QObject*>(cmdExit)})
    control->disconnect(this);
  for (QObject* watched :
       {static_cast<QObject*>(txtTemp), static_cast<QObject*>(lstCategory->viewport()),
        static_cast<QObject*>(lstFluid->viewport()), static_cast<QObject*>(cmdCalc),
        static_cast<QObject*>(cmdReset), static_cast<QObject*>(cmdExit)})
    watched->removeEventFilter(this);
}

// ---------------------------------------------------------------------------
// Building the window

void frmThrmPhysProp::createControls() {
  const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips tw(display ? display->logicalDotsPerInch() : 96.0);

  auto* client = new QWidget(this);
  client->setObjectName("client");
  client->setFixedSize(tw.px(7140), tw.px(8955));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  auto label = [&](const char* name, const QString& text, const QFont& font, QRect place,
                   Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, QWidget* parent = nullptr) {
    auto* l = new QLabel(text, parent ? parent : client);
    l->setObjectName(name);
    l->setFont(font);
    l->setAlignment(align);
    l->setGeometry(place);
    return l;
  };

  Label1 = label("Label1", "Vantorel", Garamond(18.75), tw.rect(240, 120, 6615, 495), Qt::AlignCenter);
  Label2 = label("Label2", "Category:", Garamond(12), tw.rect(240, 840, 1575, 255));
  Label3 = label("Label3", "Fluid:", Garamond(12), tw.rect(3840, 840, 1575, 255));

  lstCategory = new QListWidget(client);
  lstCategory->setObjectName("lstCategory");
  lstCategory->setFont(SansSerif());
  lstCategory->setGeometry(tw.rect(240, 1080, 3255, 1260));
  lstCategory->addItem(QString::fromUtf8(kCategoryPrompt.data(), kCategoryPrompt.size()));
  for (const Category& category : Categories())
    lstCategory->addItem(QString::fromUtf8(category.name.data(), category.name.size()));

  lstFluid = new QListWidget(client);
  lstFluid->setObjectName("lstFluid");
  lstFluid->setFont(SansSerif());
  lstFluid->setGeometry(tw.rect(3840, 1080, 3015, 2460));
  // The entries the list is stored with; Form_Load empties it before anyone
  // sees them.
  lstFluid->addItems({"--Select Fliud--", "1", "2", "3", "4", "5", "6", "7", "8",
                      "Freon (Refrigerant-12) (CCl2F)"});

  Label4 = label("Label4", "Temperature", Garamond(12), tw.rect(360, 2520, 1455, 255));

  txtTemp = new QLineEdit(client);
  txtTemp->setObjectName("txtTemp");
  txtTemp->setGeometry(tw.rect(1920, 2520, 975, 285));

  Label5 = label("Label5", "K", SansSerif(), tw.rect(3000, 2520, 255, 255));
  lblRangeTitle = label("lblRangeTitle", "TemperatureRange", Garamond(12), tw.rect(240, 3000, 2175, 375),
                        Qt::AlignRight | Qt::AlignVCenter);
  lblRange = label("lblRange", "Tmin <= T(K) <= Tmax", SansSerif(), tw.rect(720, 3360, 2655, 255));
  Label7 = label("Label7", "Properties:", Garamond(12), tw.rect(360, 3840, 1335, 255));

  Frame1 = new QFrame(client);
  Frame1->setObjectName("Frame1");
  Frame1->setFrameShape(QFrame::NoFrame);
  Frame1->setFont(Garamond(9.75));
  Frame1->setGeometry(tw.rect(240, 4200, 6615, 3345));
  Frame1->setAutoFillBackground(true);
  QPalette white = Frame1->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  Frame1->setPalette(white);

  auto button = [&](const char* name, const QString& text, QRect place) {
    QPushButton* b = new CommandButton(text, client);
    b->setObjectName(name);
    b->setFont(Garamond(12));
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
  };
  cmdCalc = button("cmdCalc", "&Calculate Properties", tw.rect(2040, 7800, 1455, 855));
  cmdReset = button("cmdReset", "&Reset Form", tw.rect(3720, 7800, 1455, 855));
  cmdExit = button("cmdExit", "E&xit", tw.rect(5400, 7800, 1455, 855));

  // Results: two columns of seven labels each, a line between them.
  constexpr int kTops[] = {195, 645, 1095, 1545, 1995, 2445, 2895};
  for (int i = 0; i < 14; ++i) {
    lblProp[i] = label(qPrintable(QString("lblProp%1").arg(i)), "1001", NamedFont("Arial", 12, true),
                       tw.rect(i < 7 ? 1900 : 5100, kTops[i % 7], 1335, 255),
                       Qt::AlignLeft | Qt::AlignVCenter, Frame1);
  }
  // A strip one pixel wide filled black: a drawn frame line can fall between
  // device pixels at fractional scale factors and vanish.
  lineProp = new QFrame(Frame1);
  lineProp->setObjectName("lineProp");
  lineProp->setFrameShape(QFrame::NoFrame);
  lineProp->setAutoFillBackground(true);
  QPalette black = lineProp->palette();
  black.setColor(QPalette::Window, Qt::black);
  lineProp->setPalette(black);
  lineProp->setGeometry(QRect(tw.px(3350), tw.px(120), 1, tw.px(3480) - tw.px(120)));

  // The focus moves in this order; labels, the frame and the pictures take none.
  setTabOrder(lstCategory, lstFluid);
  setTabOrder(lstFluid, txtTemp);
  setTabOrder(txtTemp, cmdExit);
  setTabOrder(cmdExit, cmdReset);
  setTabOrder(cmdReset, cmdCalc);
}

void frmThrmPhysProp::createPictures() {
  const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips tw(display ? display->logicalDotsPerInch() : 96.0);
  // In slot order, which is also the order they are hidden in; places in
  // twips inside Frame1.
  static constexpr PictureEntry kPictures[kSlotCount] = {
      {&frmThrmPhysProp::imaRho, "imaRho", kRho, 540, 128, 1260, 390},
      {&frmThrmPhysProp::imaCp, "imaCp", kCp, 225, 600, 1575, 345},
      {&frmThrmPhysProp::imaMu, "imaMu", kMu, 390, 1028, 1410, 390},
      {&frmThrmPhysProp::imaNu, "imaNu", kNu, 720, 1478, 1080, 390},
      {&frmThrmPhysProp::imaK, "imaK", kK, 360, 1958, 1440, 330},
      {&frmThrmPhysProp::imaAlpha, "imaAlpha", kAlpha, 705, 2378, 1095, 390},
      {&frmThrmPhysProp::imaPr, "imaPr", kPr, 1305, 2872, 495, 300},
      {&frmThrmPhysProp::imaBeta, "imaBeta", kBeta, 4092, 128, 908, 390},
      {&frmThrmPhysProp::imaP, "imaP", kP, 690, 158, 1110, 330},
      {&frmThrmPhysProp::imaVf, "imaVf", kVf, 310, 578, 1485, 390},
      {&frmThrmPhysProp::imaVg, "imaVg", kVg, 472, 1028, 1328, 390},
      {&frmThrmPhysProp::imaHfg, "imaHfg", kHfg, 487, 1500, 1320, 345},
      {&frmThrmPhysProp::imaCpf, "imaCpf", kCpf, 128, 1950, 1665, 345},
      {&frmThrmPhysProp::imaCpg, "imaCpg", kCpg, 105, 2400, 1695, 345},
      {&frmThrmPhysProp::imaMuf, "imaMuf", kMuf, 308, 2828, 1492, 390},
      {&frmThrmPhysProp::imaMug, "imaMug", kMug, 3480, 128, 1515, 390},
      {&frmThrmPhysProp::imaKf, "imaKf", kKf, 3495, 608, 1515, 330},
      {&frmThrmPhysProp::imaKg, "imaKg", kKg, 3465, 1050, 1545, 345},
      {&frmThrmPhysProp::imaPrf, "imaPrf", kPrf, 4455, 1515, 540, 315},
      {&frmThrmPhysProp::imaPrg, "imaPrg", kPrg, 4425, 1950, 570, 345},
      {&frmThrmPhysProp::imaSigmaf, "imaSigmaf", kSigmaf, 3860, 2408, 1140, 330},
      {&frmThrmPhysProp::imaBetaf, "imaBetaf", kBetaf, 4018, 2828, 982, 390},
  };
  const QFont symbols = NamedFont("Times New Roman", 11, false);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const PictureEntry& entry = kPictures[slot];
    auto* picture = new SymbolPicture(entry.runs, Frame1);
    picture->setObjectName(entry.name);
    picture->setFont(symbols);
    picture->setGeometry(tw.rect(entry.left, entry.top, entry.width, entry.height));
    this->*entry.member = picture;
    pictureOf[slot] = picture;
  }
}

void frmThrmPhysProp::createMenus() {
  auto item = [](QMenu* menu, const char* name, const QString& text, QKeySequence shortcut = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
  };

  mnuFile = menuBar()->addMenu("&File");
  mnuFile->setObjectName("mnuFile");
  mnuCalc = item(mnuFile, "mnuCalc", "&Calculate", QKeySequence(Qt::CTRL | Qt::Key_L));
  mnuReset = item(mnuFile, "mnuReset", "&Reset Form", QKeySequence(Qt::CTRL | Qt::Key_R));
  mnuLine1 = separator(mnuFile, "mnuLine1");
  mnuExit = item(mnuFile, "mnuExit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));

  mnuHelp = menuBar()->addMenu("&Help");
  mnuHelp->setObjectName("mnuHelp");
  mnuInstructions = item(mnuHelp, "mnuInstructions", "&Instructions", QKeySequence(Qt::CTRL | Qt::Key_I));
  mnuLine2 = separator(mnuHelp, "mnuLine2");
  mnuAbout = item(mnuHelp, "mnuAbout", "&About Vantorel...");
}

// Every control event reaches its handler from here.
void frmThrmPhysProp::wireSignals() {
  connect(lstCategory, &QListWidget::currentRowChanged, this, &frmThrmPhysProp::lstCategory_Click);
  connect(lstFluid, &QListWidget::currentRowChanged, this, &frmThrmPhysProp::lstFluid_Click);
  connect(txtTemp, &QLineEdit::textChanged, this, &frmThrmPhysProp::txtTemp_Change);
  connect(cmdCalc, &QPushButton::clicked, this, &frmThrmPhysProp::cmdCalc_Click);
  connect(cmdReset, &QPushButton::clicked, this, &frmThrmPhysProp::cmdReset_Click);
  connect(cmdExit, &QPushButton::clicked, this, &frmThrmPhysProp::cmdExit_Click);
  connect(mnuCalc, &QAction::triggered, this, &frmThrmPhysProp::mnuCalc_Click);
  connect(mnuReset, &QAction::triggered, this, &frmThrmPhysProp::mnuReset_Click);
  connect(mnuExit, &QAction::triggered, this, &frmThrmPhysProp::mnuExit_Click);
  connect(mnuInstructions, &QAction::triggered, this, &frmThrmPhysProp::mnuInstructions_Click);
  connect(mnuAbout, &QAction::triggered, this, &frmThrmPhysProp::mnuAbout_Click);

  // The box's key presses and focus changes (txtTemp_KeyPress,
  // txtTemp_LostFocus), and the mouse presses on the other controls that can
  // take the focus from it.
  txtTemp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (old == menuBar()) focusMovedFromMenuBar(now);
  });
  for (QObject* control : {static_cast<QObject*>(lstCategory->viewport()),
                           static_cast<QObject*>(lstFluid->viewport()), static_cast<QObject*>(cmdCalc),
                           static_cast<QObject*>(cmdReset), static_cast<QObject*>(cmdExit)})
    control->installEventFilter(this);
}

bool frmThrmPhysProp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtTemp) {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        txtTemp_KeyPress(13);
      else if (!key->text().isEmpty())
        txtTemp_KeyPress(key->text().at(0).unicode());
      return false;  // every key goes on into the box unchanged
    }
    if (event->type() == QEvent::FocusOut) {
      const auto* focus = static_cast<QFocusEvent*>(event);
      // Alt takes the focus into the menu bar for a while; the box is left
      // only if the focus then goes on to another control.
      if (focus->reason() == Qt::MenuBarFocusReason) menuBarHoldsTheBox_ = true;
      if (leavesTheBox(*focus)) boxLeftFor(QApplication::focusWidget(), focus->reason() == Qt::MouseFocusReason);
    }
    return false;
  }
  return refusesMouse(watched, event);
}

void frmThrmPhysProp::focusMovedFromMenuBar(QWidget* now) {
  if (!menuBarHoldsTheBox_) return;
  menuBarHoldsTheBox_ = false;
  if (now && now != txtTemp && now->window() == this && !qobject_cast<QMenuBar*>(now))
    boxLeftFor(now, QGuiApplication::mouseButtons() != Qt::NoButton);
}

void frmThrmPhysProp::boxLeftFor(QWidget* next, bool byMouse) {
  entryRefused_ = false;
  txtTemp_LostFocus();
  // The check refused the text and took the focus back: the press that moved
  // it is refused too. (The box may not hold the focus yet: after a message
  // box the window comes back to the front only when the system says so.)
  if (byMouse && entryRefused_) refusedPress_ = next;
}

// Only a move to another control of this window leaves the box. Switching to
// another application, opening a menu or a message box of our own keeps the
// user in it, and the check waits for the focus to really go elsewhere.
bool frmThrmPhysProp::leavesTheBox(const QFocusEvent& event) const {
  switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      return false;
    default:
      break;
  }
  const QWidget* next = QApplication::focusWidget();
  return next && next != txtTemp && next->window() == this && !qobject_cast<const QMenuBar*>(next);
}

bool frmThrmPhysProp::refusesMouse(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      QWidget* target = static_cast<QWidget*>(watched);
      const bool refused = refusedPress_ && (target == refusedPress_ || refusedPress_->isAncestorOf(target));
      refusedPress_ = nullptr;
      refusedRelease_ = refused ? watched : nullptr;
      return refused;
    }
    case QEvent::MouseButtonRelease:
      if (refusedRelease_ == watched) {
        refusedRelease_ = nullptr;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void frmThrmPhysProp::MsgBox(const Message& message) {
  if (showMessage) showMessage(message);
}

// ---------------------------------------------------------------------------
// Start-up and reset

void frmThrmPhysProp::Form_Load() {
  lstCategory->setCurrentRow(0);
  txtTemp->setText("0");
  lblRange->setText("");
  ClearProps();
}

void frmThrmPhysProp::ClearProps() {
  for (QLabel* label : lblProp) label->setVisible(false);
  ClearImages();
}

void frmThrmPhysProp::ClearImages() {
  for (SymbolPicture* picture : pictureOf) picture->setVisible(false);
  lineProp->setVisible(false);
}

void frmThrmPhysProp::cmdReset_Click() { Form_Load(); }

void frmThrmPhysProp::mnuReset_Click() { cmdReset_Click(); }

// ---------------------------------------------------------------------------
// Category and fluid

void frmThrmPhysProp::lstCategory_Click() {
  ClearProps();
  {
    // Emptying the list is not a choice of fluid: no handler runs for it.
    const QSignalBlocker quiet(lstFluid);
    lstFluid->clear();
  }
  const Category* category = CategoryAt(lstCategory->currentRow());
  if (!category) {
    lblRange->setText("");
    return;
  }
  lstFluid->addItem(QString::fromUtf8(kFluidPrompt.data(), kFluidPrompt.size()));
  for (const Fluid& fluid : category->fluids)
    lstFluid->addItem(QString::fromUtf8(fluid.name.data(), fluid.name.size()));
  // A category of one fluid has nothing to choose: its fluid is selected.
  lstFluid->setCurrentRow(category->fluids.size() == 1 ? 1 : 0);
}

void frmThrmPhysProp::lstFluid_Click() {
  ClearProps();
  // Row -1 (an emptied list) is treated as the prompt.
  const int fluid = lstFluid->currentRow();
  if (fluid <= 0) {
    lblRange->setText("");
    return;
  }
  if (const Fluid* entry = FluidAt(lstCategory->currentRow(), fluid)) {
    Tmin = entry->Tmin;
    Tmax = entry->Tmax;
  }
  lblRange->setText(QString::fromStdString(RangeText(Tmin, Tmax, DecimalPoint())));
}

// ---------------------------------------------------------------------------
// Temperature entry

void frmThrmPhysProp::txtTemp_Change() { ClearProps(); }

void frmThrmPhysProp::txtTemp_LostFocus() {
  const CheckedEntry entry = CheckEntry(txtTemp->text());
  if (!entry.value) {
    entryRefused_ = true;
    MsgBox(NotANumberMessage());
    txtTemp->setFocus();
    return;
  }
  txtTemp->setText(entry.text);  // runs txtTemp_Change when the text changes
}

void frmThrmPhysProp::txtTemp_KeyPress(int KeyAscii) {
  if (KeyAscii == 13) cmdCalc_Click();
}

// ---------------------------------------------------------------------------
// Calculation and display

void frmThrmPhysProp::cmdCalc_Click() {
  const int category = lstCategory->currentRow();
  if (category <= 0) {
    MsgBox({"Please select a category.", "Cannot Calculate", MessageIcon::Warning});
    return;
  }
  const int fluid = lstFluid->currentRow();
  if (fluid <= 0) {
    MsgBox({"Please select a fluid.", "Cannot Calcuate", MessageIcon::Warning});
    return;
  }
  // Enter and the menu reach here without the focus leaving the box, so the
  // entry check may not have run: apply it to the text as it stands.
  const std::optional<double> T = CheckEntry(txtTemp->text()).value;
  if (!T) {
    MsgBox(NotANumberMessage());
    txtTemp->setFocus();
    return;
  }
  if (*T < Tmin || *T > Tmax) {
    MsgBox({"The temperature specified falls outside the temperature range.", "Cannot Calcuate",
            MessageIcon::Warning});
    return;
  }
  const Fluid* entry = FluidAt(category, fluid);
  if (!entry || !entry->tables) return;  // a pair without a table shows nothing
  State.Temp = *T;
  Props(*entry);
  ShowProps();
}

void frmThrmPhysProp::mnuCalc_Click() { cmdCalc_Click(); }

void frmThrmPhysProp::ShowProps() {
  const std::span<const ShownProperty> shown = ShownProperties(lstCategory->currentRow());
  if (shown.empty()) return;
  const std::string decimalPoint = DecimalPoint();
  for (const ShownProperty& property : shown)
    lblProp[property.label]->setText(
        QString::fromStdString(LabelText(property, State[property.slot], State.Temp, decimalPoint)));
  for (const ShownProperty& property : shown) lblProp[property.label]->setVisible(true);
  // Each shown slot has its picture; the line stands only where the right
  // column (labels 7 to 13) is in use.
  for (const ShownProperty& property : shown) pictureOf[Index(property.slot)]->setVisible(true);
  if (shown.back().label >= 7) lineProp->setVisible(true);
}

// ---------------------------------------------------------------------------
// Menus, messages and exit

void frmThrmPhysProp::mnuInstructions_Click() { MsgBox(InstructionsMessage()); }

void frmThrmPhysProp::mnuAbout_Click() { MsgBox(AboutMessage()); }

void frmThrmPhysProp::cmdExit_Click() {
  if (endProgram) endProgram();
}

void frmThrmPhysProp::mnuExit_Click() {
  if (endProgram) endProgram();
}

}  // namespace vantorel::window
