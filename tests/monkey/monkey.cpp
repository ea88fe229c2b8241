// A long random session with the window, as a student who types anything
// and clicks everything would have it: list clicks and arrow keys, Ctrl+clicks,
// Ctrl+Space and clicks below the last row, rows chosen through the
// accessibility interface, digits, letters and separators typed into the
// box, Enter and Space on whatever has the focus, Tab, the buttons, the
// access keys and shortcuts, Ctrl+Shift+C, the menus, and every message box
// answered in one of the ways a user answers it. Exit is chosen only where
// the entry check must hold it back.
//
// After each action the window must be consistent: each list highlights its
// chosen row and no other, results are on the screen only while the
// category, fluid and temperature text of the calculation that put them
// there are still shown, they are that temperature's look-up, read whole by
// a screen reader and copied whole, and the range label is the selected
// fluid's. A button pressed while the box holds no number is held back by
// the entry check, and every message box is wide enough for its title.
//
// VANTOREL_MONKEY_ACTIONS (default 2000) sets the number of actions, split
// between an English and a German session; VANTOREL_MONKEY_SEED (default
// random) the seed. A failure prints the seed and the last actions.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>

#include "../window/WindowHarness.h"
#include "../window/WindowSuite.h"
#include "Catalog.h"
#include "Display.h"
#include "TemperatureEntry.h"

namespace vantorel::window::test {

namespace {

// The generator's own arithmetic, so that a seed replays the same session
// with any standard library.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : gen_(seed) {}
  int below(int n) { return static_cast<int>(gen_() % static_cast<std::uint64_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }
  double unit() { return static_cast<double>(gen_() >> 11) * 0x1.0p-53; }
  template <class T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(static_cast<int>(N))];
  }

 private:
  std::mt19937_64 gen_;
};

enum class Kind { Other, Calculation, Reset, Help, Copy };

const QString kNothingCopied = QStringLiteral("(nothing copied)");

// A unit's power of ten to SI, by its prefix: kilojoules and bars.
int SiPower(std::string_view unit) { return unit.starts_with("kJ") ? 3 : unit == "bar" ? 5 : 0; }

struct Settings {
  std::uint64_t seed = 0;
  int actions = 2000;
};

Settings ReadSettings() {
  Settings s;
  bool ok = false;
  const int actions = qEnvironmentVariableIntValue("VANTOREL_MONKEY_ACTIONS", &ok);
  if (ok && actions > 0) s.actions = actions;
  const QByteArray seed = qgetenv("VANTOREL_MONKEY_SEED");
  s.seed = seed.isEmpty() ? std::random_device{}() : seed.toULongLong(&ok);
  if (!seed.isEmpty() && !ok) qFatal("VANTOREL_MONKEY_SEED is not a number: %s", seed.constData());
  return s;
}

// Whether `spoken` says all that a result label showing `text` says: the
// property, then the number and the power of ten in words, or the marker.
bool SaysWhole(const QString& spoken, const ShownProperty& p, QString text) {
  text.replace("----", "no value").replace("INFINITE", "infinite").replace("E", " times ten to the ");
  text.replace(QRegularExpression("(^| )-"), "\\1minus ");
  return spoken.startsWith(QString::fromUtf8(p.name.data(), p.name.size()) + ' ') && spoken.contains(", " + text);
}

// The selected (category, fluid) and text, as the window shows them.
struct Shown {
  int category = 0;
  int fluid = 0;
  QString text;
  bool operator==(const Shown&) const = default;
};

class Session {
 public:
  Session(std::uint64_t seed, const QLocale& locale) : dice_(seed), locale_(locale), h_(true) {}

  bool open() { return h_.open(); }

  // Runs `count` actions; returns the first inconsistency, or nothing.
  std::optional<QString> run(int count) {
    for (int i = 0; i < count; ++i) {
      const std::size_t before = h_.messages.size();
      problem_.clear();
      pressed_.clear();
      heldIn_ = heldInTheBox();
      const Kind kind = act();
      settle();
      if (std::optional<QString> wrong = check(kind, h_.messages.size() - before))
        return QString("after action %1 of %2 (%3): %4\nlast actions:\n  %5")
            .arg(i + 1)
            .arg(count)
            .arg(locale_.name(), *wrong, QStringList(log_.begin(), log_.end()).join("\n  "));
    }
    return std::nullopt;
  }

  int calculations() const { return calculations_; }
  QString messageCounts() const {
    QMap<QString, int> counts;
    for (const Message& m : h_.messages) ++counts[m.text.left(30).replace(QChar(10), QChar(32))];
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
      parts << QString("%1x \"%2\"").arg(it.value()).arg(it.key());
    return parts.join(", ");
  }
  std::size_t messages() const { return h_.messages.size(); }

 private:
  // --- Acting ------------------------------------------------------------

  void note(const QString& what) {
    log_.push_back(what);
    if (log_.size() > 25) log_.pop_front();
  }

  QWidget* focus() const { return QApplication::focusWidget(); }

  void key(QWidget* to, Qt::Key k, Qt::KeyboardModifiers m = {}) {
    if (!to) to = &h_.window;
    QTest::keyClick(to, k, m);
  }

  void intoTheBox() {
    if (focus() != h_.txtTemp()) QTest::mouseClick(h_.txtTemp(), Qt::LeftButton);
  }

  // A temperature a user might mean for the fluid shown, or for any fluid:
  // inside the range, at its ends, or just beyond, as the locale writes it,
  // sometimes with trailing zeros or an exponent.
  QString plausibleTemperature() {
    const Shown now = shown();
    const Fluid* fluid = FluidAt(now.category, now.fluid);
    if (!fluid || dice_.chance(20)) {
      const Category& c = Categories()[dice_.below(static_cast<int>(Categories().size()))];
      fluid = &c.fluids[dice_.below(static_cast<int>(c.fluids.size()))];
    }
    double t;
    switch (dice_.below(6)) {
      case 0:
        t = fluid->Tmin;
        break;
      case 1:
        t = fluid->Tmax;
        break;
      case 2:
        t = dice_.chance(50) ? fluid->Tmin - 0.5 : fluid->Tmax + 0.5;
        break;
      case 3:
        t = std::nextafter(dice_.chance(50) ? fluid->Tmin : fluid->Tmax, dice_.chance(50) ? 0.0 : 1e9);
        break;
      default: {
        const double decimals = std::pow(10.0, dice_.below(4));
        t = std::round((fluid->Tmin + dice_.unit() * (fluid->Tmax - fluid->Tmin)) * decimals) / decimals;
        t = std::clamp(t, fluid->Tmin, fluid->Tmax);
      }
    }
    QString text = TemperatureText(t, locale_);
    if (dice_.chance(15)) text += text.contains(locale_.decimalPoint()) ? "0" : locale_.decimalPoint() + "00";
    if (dice_.chance(10)) text = " " + text + " ";
    return text;
  }

  Kind act() {
    if (QWidget* popup = QApplication::activePopupWidget()) return actInMenu(popup);
    // Told what is wrong, a user mostly mends it next: chooses a category or
    // a fluid, or types another temperature.
    int roll = dice_.below(130);
    if (h_.messages.size() != messagesSeen_ && dice_.chance(60)) {
      const QString& told = h_.messages.back().text;
      if (told.contains("category"))
        roll = 0;
      else if (told.contains("fluid"))
        roll = 10;
      else if (told.contains("temperature"))
        roll = 50;
    }
    messagesSeen_ = h_.messages.size();
    if (roll < 8) {
      // The prompt rows take everything away again; users seldom go back to them.
      const int row = dice_.chance(10) ? 0 : 1 + dice_.below(h_.lstCategory()->count() - 1);
      note(QString("click category row %1").arg(row));
      h_.choose(h_.lstCategory(), row);
      return Kind::Other;
    }
    if (roll < 18) {
      if (h_.lstFluid()->count() == 0) return act();
      const int row = dice_.chance(10) ? 0 : 1 + dice_.below(h_.lstFluid()->count() - 1);
      note(QString("click fluid row %1").arg(row));
      h_.choose(h_.lstFluid(), row);
      return Kind::Other;
    }
    if (roll < 25) {
      static constexpr Qt::Key kArrows[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_Up,   Qt::Key_Down,
                                            Qt::Key_Home, Qt::Key_End,  Qt::Key_Left, Qt::Key_Right};
      const Qt::Key k = dice_.pick(kArrows);
      note(QString("key %1 on %2").arg(QKeySequence(k).toString(), focusName()));
      key(focus(), k);
      return Kind::Other;
    }
    if (roll < 40) return typeSomething();
    if (roll < 64) {
      const QString text = plausibleTemperature();
      note(QString("type \"%1\"").arg(text));
      intoTheBox();
      key(h_.txtTemp(), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(h_.txtTemp(), text);
      return Kind::Other;
    }
    if (roll < 74) {
      // Enter calculates in the box and presses a focused button; never Exit.
      if (dice_.chance(70) || focus() == h_.button("cmdExit")) intoTheBox();
      const Kind kind = focus() == h_.txtTemp() || focus() == h_.button("cmdCalc") ? Kind::Calculation
                        : focus() == h_.button("cmdReset")                         ? Kind::Reset
                                                                                   : Kind::Other;
      if (focus() == h_.button("cmdCalc") || focus() == h_.button("cmdReset")) pressed_ = focusName();
      note(QString("Enter on %1").arg(focusName()));
      key(focus(), dice_.chance(80) ? Qt::Key_Return : Qt::Key_Enter);
      return kind;
    }
    if (roll < 82) {
      const bool back = dice_.chance(30);
      note(QString("%1 on %2").arg(back ? "Shift+Tab" : "Tab", focusName()));
      if (back)
        key(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
      else
        key(focus(), Qt::Key_Tab);
      return Kind::Other;
    }
    if (roll < 85) {
      // Space presses the focused button; never Exit.
      if (focus() == h_.button("cmdExit")) return act();
      const Kind kind = focus() == h_.button("cmdCalc")    ? Kind::Calculation
                        : focus() == h_.button("cmdReset") ? Kind::Reset
                                                           : Kind::Other;
      if (kind != Kind::Other) pressed_ = focusName();
      note(QString("Space on %1").arg(focusName()));
      key(focus(), Qt::Key_Space);
      return kind;
    }
    if (roll < 94) {
      const bool calc = dice_.chance(80);
      note(calc ? "click Calculate" : "click Reset");
      pressed_ = calc ? "cmdCalc" : "cmdReset";
      QTest::mouseClick(h_.button(calc ? "cmdCalc" : "cmdReset"), Qt::LeftButton);
      return calc ? Kind::Calculation : Kind::Reset;
    }
    if (roll < 104) return shakeAList();
    if (roll < 108) {
      note(QString("Ctrl+Shift+C on %1").arg(focusName()));
      QGuiApplication::clipboard()->setText(kNothingCopied);
      key(focus(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
      return Kind::Copy;
    }
    return shortcut();
  }

  // What takes a list's highlight away in lists of other programs: Ctrl+click
  // on the selected row (or another), Ctrl+Space, a click below the last row.
  Kind shakeAList() {
    QListWidget* list = dice_.chance(50) ? h_.lstCategory() : h_.lstFluid();
    const QString name = list->objectName();
    switch (dice_.below(4)) {
      case 3: {
        // A screen reader's user choosing or unchoosing a row.
        QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(list)->tableInterface();
        if (list->count() == 0 || !table) return act();
        const int row = dice_.below(list->count());
        const bool select = dice_.chance(50);
        note(QString("assistive technology %1 %2 row %3").arg(select ? "selects" : "unselects", name).arg(row));
        if (select)
          table->selectRow(row);
        else
          table->unselectRow(row);
        return Kind::Other;
      }
      case 0: {
        if (list->count() == 0) return act();
        const int row = dice_.chance(60) && list->currentRow() >= 0 ? list->currentRow() : dice_.below(list->count());
        note(QString("Ctrl+click %1 row %2").arg(name).arg(row));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(row)).center());
        return Kind::Other;
      }
      case 1:
        note(QString("Ctrl+Space on %1").arg(name));
        key(list, Qt::Key_Space, Qt::ControlModifier);
        return Kind::Other;
      default: {
        const int rows = list->count();
        const int below = rows ? list->visualItemRect(list->item(rows - 1)).bottom() + 4 : 4;
        if (below >= list->viewport()->height()) return act();
        note(QString("click below the rows of %1").arg(name));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(list->viewport()->width() / 2, below));
        return Kind::Other;
      }
    }
  }

  Kind typeSomething() {
    static constexpr char kChars[] = "0123456789012345678901234567890123456789..,,eE-+ aKx";
    static constexpr Qt::Key kEditing[] = {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                           Qt::Key_Right,     Qt::Key_Home,      Qt::Key_End};
    intoTheBox();
    if (dice_.chance(12)) {
      const Qt::Key k = dice_.pick(kEditing);
      note(QString("key %1 in the box").arg(QKeySequence(k).toString()));
      key(h_.txtTemp(), k);
    } else if (dice_.chance(3)) {
      note("Ctrl+A in the box");
      key(h_.txtTemp(), Qt::Key_A, Qt::ControlModifier);
    } else {
      const char c = kChars[dice_.below(static_cast<int>(sizeof kChars) - 1)];
      note(QString("type '%1'").arg(QChar(c)));
      QTest::keyClicks(h_.txtTemp(), QString(QChar(c)));
    }
    return Kind::Other;
  }

  // Waits out the pressed look an access key gives a button before its click.
  void awaitAnimatedClick(const char* name) {
    QPushButton* b = h_.button(name);
    if (!QTest::qWaitFor([b] { return !b->isDown(); }, 2000)) problem_ = QString("%1 stayed pressed").arg(name);
  }

  Kind shortcut() {
    switch (dice_.below(11)) {
      case 0:
      case 1:
        note(QString("Ctrl+L on %1").arg(focusName()));
        key(focus(), Qt::Key_L, Qt::ControlModifier);
        return Kind::Calculation;
      case 2:
        note(QString("Ctrl+R on %1").arg(focusName()));
        key(focus(), Qt::Key_R, Qt::ControlModifier);
        return Kind::Reset;
      case 3:
        note(QString("Ctrl+I on %1").arg(focusName()));
        key(focus(), Qt::Key_I, Qt::ControlModifier);
        return Kind::Help;
      case 4:
      case 5:
        note(QString("Alt+C on %1").arg(focusName()));
        pressed_ = "cmdCalc";
        key(focus(), Qt::Key_C, Qt::AltModifier);
        awaitAnimatedClick("cmdCalc");
        return Kind::Calculation;
      case 6:
        note(QString("Alt+R on %1").arg(focusName()));
        pressed_ = "cmdReset";
        key(focus(), Qt::Key_R, Qt::AltModifier);
        awaitAnimatedClick("cmdReset");
        return Kind::Reset;
      case 7:
        note(QString("Alt+F on %1").arg(focusName()));
        key(focus(), Qt::Key_F, Qt::AltModifier);
        return Kind::Other;
      case 8:
        note(QString("Alt+H on %1").arg(focusName()));
        key(focus(), Qt::Key_H, Qt::AltModifier);
        return Kind::Other;
      case 9:
        // Exit only where the entry check must hold it back.
        if (heldIn_) {
          note(QString("Alt+X on %1").arg(focusName()));
          pressed_ = "cmdExit";
          key(focus(), Qt::Key_X, Qt::AltModifier);
          return Kind::Other;
        }
        [[fallthrough]];
      default:
        note(QString("Alt alone on %1").arg(focusName()));
        key(focus(), Qt::Key_Alt);
        return Kind::Other;
    }
  }

  // An open menu: move about in it, leave it, or choose an item by its
  // access key. Never Enter, which could choose Exit.
  Kind actInMenu(QWidget* popup) {
    auto* menu = qobject_cast<QMenu*>(popup);
    const bool file = menu && menu->objectName() == "mnuFile";
    const int roll = dice_.below(10);
    if (roll < 3) {
      note("Escape in the menu");
      key(popup, Qt::Key_Escape);
      return Kind::Other;
    }
    if (roll < 6) {
      static constexpr Qt::Key kMoves[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
      const Qt::Key k = dice_.pick(kMoves);
      note(QString("key %1 in the menu").arg(QKeySequence(k).toString()));
      key(popup, k);
      return Kind::Other;
    }
    if (file) {
      const bool calc = dice_.chance(70);
      note(calc ? "C in the File menu" : "R in the File menu");
      key(popup, calc ? Qt::Key_C : Qt::Key_R);
      return calc ? Kind::Calculation : Kind::Reset;
    }
    const bool instructions = dice_.chance(50);
    note(instructions ? "I in the Help menu" : "A in the Help menu");
    key(popup, instructions ? Qt::Key_I : Qt::Key_A);
    return Kind::Help;
  }

  // Lets queued events through and brings the window back to the front once
  // no menu is open, as it is after a message box closes.
  void settle() {
    QCoreApplication::processEvents();
    if (!QApplication::activePopupWidget() && QApplication::activeWindow() != &h_.window) {
      h_.window.activateWindow();
      if (!QTest::qWaitForWindowActive(&h_.window, 1000)) problem_ = "the window did not come back to the front";
    }
  }

  // --- Answering the message boxes -----------------------------------------

 public:
  // Called for every message the window shows; the box is open once the
  // window's own exec() runs, so the answer waits for the event loop.
  void answerBoxes() {
    QObject::connect(&answerPoll_, &QTimer::timeout, &answerPoll_, [this] { answerOpenBox(); });
    answerPoll_.start(0);
  }

 private:
  void answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    const Message& m = h_.messages.back();
    const QString title = m.title.isEmpty() ? kApplicationTitle : m.title;
    if (box->text() != m.text || box->windowTitle() != title)
      problem_ =
          QString("box shows \"%1\" / \"%2\", not \"%3\" / \"%4\"").arg(box->windowTitle(), box->text(), title, m.text);
    // Wide enough for its whole title beside a title bar's icon and buttons.
    QFont bold = box->font();
    bold.setBold(true);
    if (box->width() < 1.2 * QFontMetrics(bold).horizontalAdvance(title) + 4 * 24)
      problem_ = QString("the box \"%1\" is only %2 pixels wide").arg(title).arg(box->width());
    switch (dice_.below(4)) {
      case 0:
        QTest::keyClick(box, Qt::Key_Return);
        break;
      case 1:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
      case 2:
        QTest::keyClick(box, Qt::Key_Space);
        break;
      default:
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        break;
    }
  }

  // --- Checking ------------------------------------------------------------

  QString focusName() const {
    const QWidget* w = focus();
    if (!w) return "nothing";
    if (w == h_.lstCategory()->viewport() || w == h_.lstFluid()->viewport()) w = w->parentWidget();
    return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
  }

  // What the window shows, when the focus is in the box and its text is no
  // number: a press on a button then must be held back by the entry check.
  std::optional<Shown> heldInTheBox() const {
    if (focus() != h_.txtTemp() || CheckEntry(h_.txtTemp()->text(), locale_).value) return std::nullopt;
    return shown();
  }

  Shown shown() const {
    const int fluids = h_.lstFluid()->count();
    return {h_.lstCategory()->currentRow(), fluids ? h_.lstFluid()->currentRow() : 0, h_.txtTemp()->text()};
  }

  // Whether a calculation now, from what is shown, would succeed.
  std::optional<double> wouldCalculate(const Shown& now) const {
    const Fluid* fluid = FluidAt(now.category, now.fluid);
    if (!fluid) return std::nullopt;
    const std::optional<double> t = CheckEntry(now.text, locale_).value;
    if (!t || *t < fluid->Tmin || *t > fluid->Tmax) return std::nullopt;
    return t;
  }

  std::optional<QString> check(Kind kind, std::size_t newMessages) {
    if (!problem_.isEmpty()) return problem_;
    if (h_.exitRequests) return QString("the program was asked to end");
    if (QApplication::activeModalWidget()) return QString("a modal box is still open");
    if (newMessages > 1) {
      QStringList texts;
      for (std::size_t i = h_.messages.size() - newMessages; i < h_.messages.size(); ++i)
        texts << "\"" + h_.messages[i].text + "\"";
      return QString("%1 messages for one action: %2").arg(newMessages).arg(texts.join(", "));
    }

    // A button pressed by a click or its access key while the box held no
    // number: the entry check holds the user in the box, with its one
    // message, and the button does nothing.
    if (!pressed_.isEmpty() && heldIn_) {
      if (newMessages != 1 || h_.messages.back().text != NotANumberMessage().text)
        return QString("pressing %1 while the box held \"%2\" gave %3 messages, not the entry check's")
            .arg(pressed_, heldIn_->text)
            .arg(newMessages);
      if (shown() != *heldIn_)
        return QString("pressing %1 while the box held no number changed the form").arg(pressed_);
      if (focus() != h_.txtTemp())
        return QString("pressing %1 while the box held no number left the focus on %2").arg(pressed_, focusName());
    } else if (pressed_ == "cmdReset" && (shown().category != 0 || h_.txtTemp()->text() != "0")) {
      return QString("Reset was pressed, but the form was not reset");
    }

    // Each list shows its choice: the current row, and only it, is selected.
    for (const QListWidget* list : {h_.lstCategory(), h_.lstFluid()}) {
      const QList<QListWidgetItem*> selected = list->selectedItems();
      const bool shows =
          list->count() == 0 ? selected.isEmpty() : selected.size() == 1 && selected[0] == list->currentItem();
      if (!shows)
        return QString("%1 has row %2 chosen but %3 rows highlighted")
            .arg(list->objectName())
            .arg(list->currentRow())
            .arg(selected.size());
    }

    const Shown now = shown();
    const std::string decimalPoint = DecimalPoint(locale_);

    // The fluid list belongs to the category, the range label to the fluid.
    const Category* category = CategoryAt(now.category);
    const int expectedFluids = category ? static_cast<int>(category->fluids.size()) + 1 : 0;
    if (h_.lstFluid()->count() != expectedFluids)
      return QString("the fluid list has %1 rows for category %2").arg(h_.lstFluid()->count()).arg(now.category);
    const Fluid* fluid = FluidAt(now.category, now.fluid);
    const QString range = fluid ? QString::fromStdString(RangeText(*fluid, decimalPoint)) : QString();
    if (h_.lblRange()->text() != range)
      return QString("the range label reads \"%1\", not \"%2\"").arg(h_.lblRange()->text(), range);

    const QStringList visible = h_.visibleResults();
    if (kind == Kind::Calculation) {
      const std::optional<double> t = wouldCalculate(now);
      if (t && (visible.isEmpty() || newMessages))
        return QString("a calculation at \"%1\" showed no results").arg(now.text);
      if (!t && newMessages != 1) return QString("a refused calculation gave %1 messages").arg(newMessages);
      if (t) {
        calculatedFor_ = now;
        ++calculations_;
      }
    } else if (kind == Kind::Help && newMessages != 1) {
      return QString("a help command gave %1 messages").arg(newMessages);
    }

    if (kind == Kind::Copy && visible.isEmpty() && QGuiApplication::clipboard()->text() != kNothingCopied)
      return QString("with no results shown, \"%1\" was copied").arg(QGuiApplication::clipboard()->text());
    if (visible.isEmpty()) {
      calculatedFor_.reset();
      return std::nullopt;
    }
    if (!calculatedFor_) return QString("results appeared without a calculation: %1").arg(visible.join(" "));
    if (now != *calculatedFor_)
      return QString("results of category %1, fluid %2 at \"%3\" still shown for category %4, fluid %5 at \"%6\"")
          .arg(calculatedFor_->category)
          .arg(calculatedFor_->fluid)
          .arg(calculatedFor_->text)
          .arg(now.category)
          .arg(now.fluid)
          .arg(now.text);

    // Exactly the category's labels, their pictures and the line where the
    // right column is used, each label showing that temperature's look-up.
    const double t = *CheckEntry(now.text, locale_).value;
    const SlotValues values = LookUpSlots(*fluid, t);
    QStringList expected;
    bool rightColumn = false;
    for (const ShownProperty& p : ShownProperties(now.category)) {
      expected << QString("lblProp%1").arg(p.label);
      rightColumn = rightColumn || p.label >= 7;
      const QString text = QString::fromStdString(LabelText(p, values[p.slot], t, decimalPoint));
      if (h_.lblProp(p.label)->text() != text)
        return QString("lblProp%1 shows \"%2\", the look-up at %3 gives \"%4\"")
            .arg(p.label)
            .arg(h_.lblProp(p.label)->text())
            .arg(now.text, text);
      const QString spoken = QAccessible::queryAccessibleInterface(h_.lblProp(p.label))->text(QAccessible::Name);
      if (!SaysWhole(spoken, p, text))
        return QString("lblProp%1 shows \"%2\" but is read as \"%3\"").arg(p.label).arg(text, spoken);
    }
    for (const ShownProperty& p : ShownProperties(now.category)) expected << kPictureNames[Index(p.slot)];
    if (kind == Kind::Copy)
      if (std::optional<QString> wrong = checkCopied(*fluid, now)) return wrong;
    if (rightColumn) expected << "lineProp";
    std::sort(expected.begin(), expected.end());
    QStringList sorted = visible;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != expected) return QString("visible: %1; expected: %2").arg(sorted.join(" "), expected.join(" "));
    return std::nullopt;
  }

  // The clipboard after Ctrl+Shift+C: the fluid, the temperature, the table
  // and rows (which the results' tooltip names too), a header, then each
  // shown label's text with its value in SI units, which must be the number
  // it shows times its power of ten and its unit's.
  std::optional<QString> checkCopied(const Fluid& fluid, const Shown& now) const {
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    const std::span<const ShownProperty> shown = ShownProperties(now.category);
    const QString source = h_.lblProp(shown.front().label)->toolTip();
    if (lines.size() != 5 + static_cast<qsizetype>(shown.size()) ||
        lines[0] != "Fluid\t" + QString::fromUtf8(fluid.name.data(), fluid.name.size()) ||
        !lines[1].startsWith("Temperature (K)\t") || !source.startsWith("Table A.") ||
        lines[2] != "Source\t" + source || !lines[3].startsWith("Property\t"))
      return QString("copied \"%1\", the results' tooltip \"%2\"").arg(lines.join("|"), source);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const QStringList cells = lines[4 + i].split('\t');
      const QString text = h_.lblProp(shown[i].label)->text();
      if (cells.size() != 6 || cells[2] != text) return QString("copied \"%1\" for \"%2\"").arg(lines[4 + i], text);
      const QStringList parts = text.split('E');
      bool isNumber = false;
      const double number = locale_.toDouble(parts[0], &isNumber);
      if (!isNumber) {
        if (!cells[4].isEmpty()) return QString("copied an SI value for \"%1\"").arg(text);
        continue;
      }
      const double expected =
          number * std::pow(10.0, (parts.size() > 1 ? parts[1].toInt() : 0) + SiPower(shown[i].unit));
      const double si = locale_.toDouble(cells[4], &isNumber);
      if (!isNumber || std::abs(si - expected) > 1e-12 * std::abs(expected))
        return QString("copied %1 in SI units for \"%2\", not %3").arg(cells[4], text).arg(expected);
    }
    return std::nullopt;
  }

  Dice dice_;
  QLocale locale_;
  WindowHarness h_;
  QTimer answerPoll_;
  QString problem_;
  std::optional<Shown> calculatedFor_;
  std::deque<QString> log_;
  int calculations_ = 0;
  std::size_t messagesSeen_ = 0;
  QString pressed_;              // the button the last action pressed, if any
  std::optional<Shown> heldIn_;  // before it: the box had the focus and no number
};

}  // namespace

class MonkeyTest : public WindowSuite {
  Q_OBJECT

 private slots:
  void randomSessionsKeepTheWindowConsistent_data() {
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << "en_US";
    QTest::newRow("German") << "de_DE";
  }
  void randomSessionsKeepTheWindowConsistent() {
    QFETCH(QString, locale);
    static const Settings settings = ReadSettings();
    const QLocale user(locale);
    QLocale::setDefault(user);
    const std::uint64_t seed = settings.seed * 2 + (locale == "de_DE" ? 1 : 0);
    const int actions = (settings.actions + 1) / 2;
    qInfo("seed %llu, %d actions, %s", static_cast<unsigned long long>(settings.seed), actions, qPrintable(locale));

    Session session(seed, user);
    QVERIFY(session.open());
    session.answerBoxes();
    if (const std::optional<QString> wrong = session.run(actions))
      QFAIL(qPrintable(QString("seed %1 (VANTOREL_MONKEY_SEED=%1): %2").arg(settings.seed).arg(*wrong)));
    qInfo("%d successful calculations, %zu messages answered: %s", session.calculations(), session.messages(),
          qPrintable(session.messageCounts()));
    // A session that never calculated, or never met a message, proved little.
    QVERIFY(session.calculations() > actions / 50);
    QVERIFY(session.messages() > 0);
  }
};

}  // namespace vantorel::window::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vantorel::window::test::MonkeyTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "monkey.moc"
