#include "frmThrmPhysProp.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>

#include "Catalog.h"
#include "ChoiceList.h"
#include "CommandButton.h"
#include "Display.h"
#include "EntryGuard.h"
#include "FittingText.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "SpokenResult.h"
#include "SymbolPicture.h"
#include "TemperatureEntry.h"
#include "Twips.h"
#include "WindowIcon.h"

namespace vantorel::window {

namespace {

// The character code of the Enter key in txtTemp_KeyPress.
constexpr int kEnterKeyAscii = 13;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont FontNamed(const NamedFont& named) {
  QFont font(QString::fromLatin1(named.family));
  font.setPointSizeF(named.points);
  font.setBold(named.bold);
  return font;
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent) {
  const QString text = entry.text ? QString::fromUtf8(entry.text) : QString();
  switch (entry.kind) {
    case ControlKind::Label: {
      auto* label = new FittingLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(entry.alignment);
      return label;
    }
    case ControlKind::List:
      return new ChoiceList(parent);
    case ControlKind::TextBox:
      return new QLineEdit(text, parent);
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::NoFrame);
      frame->setAutoFillBackground(true);
      QPalette white = frame->palette();
      white.setColor(QPalette::Window, Qt::white);
      white.setColor(QPalette::WindowText, Qt::black);
      frame->setPalette(white);
      return frame;
    }
    case ControlKind::Button: {
      auto* button = new CommandButton(text, parent);
      button->setAutoDefault(false);
      return button;
    }
  }
  return nullptr;
}

// Tells a screen reader of `text`, which has just appeared in `area`,
// leaving the focus where it is. Before 6.8 Qt has no announcement to send:
// the area's description becomes the text, and its change is what is heard.
void Announce(QWidget* area, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent announcement(area, text);
  QAccessible::updateAccessibility(&announcement);
#endif
  area->setAccessibleDescription(text);
}

Twips ScreenTwips(const QWidget* window) {
  const QScreen* display = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return Twips(display ? display->logicalDotsPerInch() : 96.0);
}

}  // namespace

frmThrmPhysProp::frmThrmPhysProp(QWidget* parent) : QMainWindow(parent) {
  InstallFontSubstitutes();
  setObjectName("frmThrmPhysProp");
  setWindowTitle(kApplicationTitle);
  setWindowIcon(WindowIcon());

  showMessage = [this](const Message& message) { ShowMessageBox(message, this); };
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
  entryGuard_.reset();
  for (QObject* control :
       {static_cast<QObject*>(lstCategory), static_cast<QObject*>(lstFluid), static_cast<QObject*>(txtTemp),
        static_cast<QObject*>(cmdCalc), static_cast<QObject*>(cmdReset), static_cast<QObject*>(cmdExit)})
    control->disconnect(this);
  txtTemp->removeEventFilter(this);
}

// ---------------------------------------------------------------------------
// Building the window

void frmThrmPhysProp::createControls() {
  const Twips tw = ScreenTwips(this);

  auto* client = new QWidget(this);
  client->setObjectName("client");
  client->setFixedSize(tw.px(7140), tw.px(8955));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  for (const ControlEntry& entry : FormControls()) {
    QWidget* control = MakeControl(entry, client);
    control->setObjectName(entry.name);
    if (entry.font.family) control->setFont(FontNamed(entry.font));
    control->setGeometry(tw.rect(entry.box));
    if (entry.accessibleName) control->setAccessibleName(QString::fromUtf8(entry.accessibleName));
    if (entry.accessibleDescription) control->setAccessibleDescription(QString::fromUtf8(entry.accessibleDescription));
  }
  lstCategory = client->findChild<QListWidget*>("lstCategory");
  lstFluid = client->findChild<QListWidget*>("lstFluid");
  txtTemp = client->findChild<QLineEdit*>("txtTemp");
  lblRange = client->findChild<QLabel*>("lblRange");
  Frame1 = client->findChild<QFrame*>("Frame1");
  cmdCalc = client->findChild<QPushButton*>("cmdCalc");
  cmdReset = client->findChild<QPushButton*>("cmdReset");
  cmdExit = client->findChild<QPushButton*>("cmdExit");

  // The captions label their controls for a screen reader too.
  client->findChild<QLabel*>("Label2")->setBuddy(lstCategory);
  client->findChild<QLabel*>("Label3")->setBuddy(lstFluid);
  client->findChild<QLabel*>("Label4")->setBuddy(txtTemp);

  lstCategory->addItem(Utf8(kCategoryPrompt));
  for (const Category& category : Categories()) lstCategory->addItem(Utf8(category.name));
  // The entries the list is stored with, spelled as they were stored
  // ("Fliud", "CCl2F"); Form_Load empties the list before anyone sees them.
  lstFluid->addItems({"--Select Fliud--", "1", "2", "3", "4", "5", "6", "7", "8", "Freon (Refrigerant-12) (CCl2F)"});
  // Every entry whole, in each filling the lists can have.
  QStringList categories;
  QList<QStringList> fluidLists;
  for (int row = 0; row < lstCategory->count(); ++row) categories << lstCategory->item(row)->text();
  for (const Category& category : Categories()) {
    QStringList fluids = {Utf8(kFluidPrompt)};
    for (const Fluid& fluid : category.fluids) fluids << Utf8(fluid.name);
    fluidLists << fluids;
  }
  FitListFont(lstCategory, {categories});
  FitListFont(lstFluid, fluidLists);

  for (int i = 0; i < kResultLabels; ++i) {
    auto* label = new FittingLabel("1001", Frame1);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QString("lblProp%1").arg(i));
    label->setFont(FontNamed(kResultFont));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(tw.rect(ResultLabelBox(i)));
    lblProp[i] = label;
  }
  // A strip one pixel wide filled black: a drawn frame line can fall between
  // device pixels at fractional scale factors and vanish.
  lineProp = new QFrame(Frame1);
  lineProp->setObjectName("lineProp");
  lineProp->setAccessibleName(kColumnLineName);
  lineProp->setFrameShape(QFrame::NoFrame);
  lineProp->setAutoFillBackground(true);
  QPalette black = lineProp->palette();
  black.setColor(QPalette::Window, Qt::black);
  lineProp->setPalette(black);
  lineProp->setGeometry(
      QRect(tw.px(kColumnLine.x), tw.px(kColumnLine.top), 1, tw.px(kColumnLine.bottom) - tw.px(kColumnLine.top)));

  // The focus moves in this order; labels, the frame and the pictures take none.
  const std::span<const char* const> order = TabOrder();
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(client->findChild<QWidget*>(order[i - 1]), client->findChild<QWidget*>(order[i]));
}

void frmThrmPhysProp::createPictures() {
  const Twips tw = ScreenTwips(this);
  const QFont symbols = FontNamed(kPictureFont);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const PictureEntry& entry = Pictures()[slot];
    auto* picture = new SymbolPicture(entry.runs, Frame1);
    picture->setObjectName(entry.name);
    picture->setFont(symbols);
    picture->setGeometry(tw.rect(entry.box));
    picture->setAccessibleName(SpokenPicture(PropertyOfSlot(static_cast<Slot>(slot))));
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
  auto separator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); };

  QMenu* mnuFile = menuBar()->addMenu("&File");
  mnuFile->setObjectName("mnuFile");
  mnuFile->setAccessibleName("File");
  mnuCalc = item(mnuFile, "mnuCalc", "&Calculate", QKeySequence(Qt::CTRL | Qt::Key_L));
  mnuReset = item(mnuFile, "mnuReset", "&Reset Form", QKeySequence(Qt::CTRL | Qt::Key_R));
  separator(mnuFile, "mnuLine1");
  mnuExit = item(mnuFile, "mnuExit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* mnuHelp = menuBar()->addMenu("&Help");
  mnuHelp->setObjectName("mnuHelp");
  mnuHelp->setAccessibleName("Help");
  mnuInstructions = item(mnuHelp, "mnuInstructions", "&Instructions", QKeySequence(Qt::CTRL | Qt::Key_I));
  separator(mnuHelp, "mnuLine2");
  mnuAbout = item(mnuHelp, "mnuAbout", "&About Vantorel...");

  mnuCopyResults = new QAction("Copy &Results", this);
  mnuCopyResults->setObjectName("mnuCopyResults");
  mnuCopyResults->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  addAction(mnuCopyResults);  // its shortcut works anywhere in the window
  mnuCopyValue = new QAction("Copy &Value", this);
  mnuCopyValue->setObjectName("mnuCopyValue");
  for (QAction* copy : {mnuCopyResults, mnuCopyValue}) copy->setEnabled(false);
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
  connect(mnuCopyResults, &QAction::triggered, this, &frmThrmPhysProp::mnuCopyResults_Click);
  connect(mnuCopyValue, &QAction::triggered, this, &frmThrmPhysProp::mnuCopyValue_Click);
  // A right click on a value offers it alone or all the results; anywhere
  // else in the properties area (on a picture, say), all the results.
  Frame1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Frame1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& where) { ShowCopyMenu(Frame1, where, -1); });
  for (int i = 0; i < kResultLabels; ++i) {
    lblProp[i]->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lblProp[i], &QWidget::customContextMenuRequested, this,
            [this, i](const QPoint& where) { ShowCopyMenu(lblProp[i], where, i); });
  }

  // The box's key presses (txtTemp_KeyPress); the focus leaving it
  // (txtTemp_LostFocus) through the guard, which also watches the controls
  // that can take the focus from it.
  txtTemp->installEventFilter(this);
  entryGuard_ = std::make_unique<EntryGuard>(this, txtTemp, [this] { return txtTemp_LostFocus(); });
  for (QWidget* control : {lstCategory->viewport(), lstFluid->viewport(), static_cast<QWidget*>(cmdCalc),
                           static_cast<QWidget*>(cmdReset), static_cast<QWidget*>(cmdExit)})
    entryGuard_->guard(control);
}

bool frmThrmPhysProp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtTemp && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
      txtTemp_KeyPress(kEnterKeyAscii);
    else if (!key->text().isEmpty())
      txtTemp_KeyPress(key->text().at(0).unicode());
  }
  return false;  // every key goes on into the box unchanged
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
  for (QLabel* label : lblProp) {
    label->setVisible(false);
    label->setToolTip(QString());
  }
  Frame1->setToolTip(QString());
  Frame1->setAccessibleDescription(QString());
  ClearImages();
  for (QAction* copy : {mnuCopyResults, mnuCopyValue}) copy->setEnabled(false);
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
  lstFluid->addItem(Utf8(kFluidPrompt));
  for (const Fluid& fluid : category->fluids) lstFluid->addItem(Utf8(fluid.name));
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

// The entry check; false when it refused the text and took the focus back.
bool frmThrmPhysProp::txtTemp_LostFocus() {
  const CheckedEntry entry = CheckEntry(txtTemp->text());
  if (!entry.value) {
    MsgBox(NotANumberMessage());
    txtTemp->setFocus();
    return false;
  }
  txtTemp->setText(entry.text);  // runs txtTemp_Change when the text changes
  return true;
}

void frmThrmPhysProp::txtTemp_KeyPress(int KeyAscii) {
  if (KeyAscii == kEnterKeyAscii) cmdCalc_Click();
}

// ---------------------------------------------------------------------------
// Calculation and display

void frmThrmPhysProp::cmdCalc_Click() {
  const int category = lstCategory->currentRow();
  if (category <= 0) {
    MsgBox({"Please select a category.", "Cannot Calculate", MessageIcon::Warning});
    return;
  }
  // "Cannot Calcuate" here and below is the title these two warnings have
  // always had, kept as it is; only the category warning spells it right.
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
    MsgBox({"The temperature specified falls outside the temperature range.", "Cannot Calcuate", MessageIcon::Warning});
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
  for (const ShownProperty& property : shown) {
    const QString text = QString::fromStdString(LabelText(property, State[property.slot], State.Temp, decimalPoint));
    lblProp[property.label]->setText(text);
    // Read whole by a screen reader: the property, its value and its unit.
    lblProp[property.label]->setAccessibleName(SpokenResult(property, text));
  }
  for (const ShownProperty& property : shown) lblProp[property.label]->setVisible(true);
  // Each shown slot has its picture; the line stands only where the right
  // column is in use.
  for (const ShownProperty& property : shown) pictureOf[Index(property.slot)]->setVisible(true);
  if (InRightColumn(shown.back().label)) lineProp->setVisible(true);
  for (QAction* copy : {mnuCopyResults, mnuCopyValue}) copy->setEnabled(true);
  // The focus stays where it was (the box, after Enter): the first result is
  // told without it.
  Announce(Frame1, lblProp[shown.front().label]->accessibleName());
  // Where the values come from, on every result and the frame around them.
  if (const std::optional<Reading> reading = ShownReading()) {
    const QString source = SourceOf(*reading);
    Frame1->setToolTip(source);
    for (const ShownProperty& property : shown) lblProp[property.label]->setToolTip(source);
  }
}

// ---------------------------------------------------------------------------
// Menus, messages and exit

void frmThrmPhysProp::mnuInstructions_Click() { MsgBox(InstructionsMessage()); }

void frmThrmPhysProp::mnuAbout_Click() { MsgBox(AboutMessage()); }

// ---------------------------------------------------------------------------
// Copying the results

void frmThrmPhysProp::ShowCopyMenu(QWidget* over, const QPoint& where, int label) {
  copyLabel_ = label;
  auto* menu = new QMenu(this);
  menu->setObjectName("mnuCopy");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (label >= 0) menu->addAction(mnuCopyValue);
  menu->addAction(mnuCopyResults);
  menu->popup(over->mapToGlobal(where));
}

std::optional<Reading> frmThrmPhysProp::ShownReading() const {
  const Fluid* fluid = FluidAt(lstCategory->currentRow(), lstFluid->currentRow());
  if (!fluid) return std::nullopt;
  const Result result = LookUp(*fluid, State.Temp);
  if (!result) return std::nullopt;
  return result.reading();
}

// In the user's locale, as every number the window shows: "373,15 K" in German.
QString frmThrmPhysProp::SourceOf(const Reading& reading) { return Utf8(SourceText(reading, DecimalPoint())); }

CopiedResults frmThrmPhysProp::ShownResults() const {
  CopiedResults results;
  results.fluid = lstFluid->currentItem() ? lstFluid->currentItem()->text() : QString();
  results.temperature = TemperatureText(State.Temp);
  const std::optional<Reading> reading = ShownReading();
  if (!reading) return results;
  results.source = SourceOf(*reading);
  // The checked look-up's properties are the shown labels, in label order.
  const std::span<const ShownProperty> shown = ShownProperties(lstCategory->currentRow());
  for (std::size_t i = 0; i < shown.size() && i < reading->properties().size(); ++i) {
    const Property& p = reading->properties()[i];
    std::optional<double> si;
    if (p.state == ValueState::Value) si = p.value;
    results.rows.push_back(
        {Utf8(p.name), Utf8(p.symbol), lblProp[shown[i].label]->text(), Utf8(p.bookUnit), si, Utf8(p.unit)});
  }
  return results;
}

// Both copy nothing unless results are shown: their actions are enabled
// only from ShowProps to the next ClearProps.
void frmThrmPhysProp::mnuCopyResults_Click() {
  if (!mnuCopyResults->isEnabled()) return;
  QGuiApplication::clipboard()->setText(TabSeparated(ShownResults()));
}

void frmThrmPhysProp::mnuCopyValue_Click() {
  if (!mnuCopyValue->isEnabled() || copyLabel_ < 0) return;
  QGuiApplication::clipboard()->setText(lblProp[copyLabel_]->text());
}

void frmThrmPhysProp::cmdExit_Click() {
  if (endProgram) endProgram();
}

void frmThrmPhysProp::mnuExit_Click() {
  if (endProgram) endProgram();
}

}  // namespace vantorel::window
