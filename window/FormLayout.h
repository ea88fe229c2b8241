#pragma once
// The window's form as data: every control with its text, the font it names
// and its place in twips, the result labels' two columns, the line between
// them and the 22 symbol pictures. frmThrmPhysProp builds itself from these
// tables, so moving or resizing a control is a change of numbers here.

#include <Qt>
#include <span>

#include "PropertyState.h"
#include "SymbolPicture.h"
#include "Twips.h"

namespace vantorel::window {

// A font by the name the form gives it; the window maps each name to a free
// font that a Linux desktop has (Fonts.h). No family: the window's default.
struct NamedFont {
  const char* family;
  double points;
  bool bold;
};

enum class ControlKind { Label, List, TextBox, Frame, Button };

struct ControlEntry {
  const char* name;
  ControlKind kind;
  const char* text;  // UTF-8, "&" before an access key; null for none
  NamedFont font;
  Qt::Alignment alignment;  // of a label's text
  TwipsBox box;             // in the client area
  // What a screen reader calls a control that shows no text of its own, and
  // what it adds about one; null for none.
  const char* accessibleName = nullptr;
  const char* accessibleDescription = nullptr;
};

// The controls placed on the client area, in creation order.
std::span<const ControlEntry> FormControls();

// The order in which Tab moves the focus; the other controls take none.
std::span<const char* const> TabOrder();

// The result labels lblProp(0) to lblProp(13): two columns of seven, indices
// 0 to 6 on the left, 7 to 13 on the right, top to bottom.
inline constexpr int kResultLabels = 14;
inline constexpr int kRowsPerColumn = 7;
constexpr bool InRightColumn(int label) { return label >= kRowsPerColumn; }
TwipsBox ResultLabelBox(int label);
inline constexpr NamedFont kResultFont{"Arial", 12, true};

// The vertical line between the two columns, inside Frame1.
struct VerticalLine {
  int x, top, bottom;
};
inline constexpr VerticalLine kColumnLine{3350, 120, 3480};
inline constexpr const char* kColumnLineName = "line between the columns";

// One of the 22 symbol pictures: its name, its drawing and its box in Frame1.
struct PictureEntry {
  const char* name;
  std::span<const SymbolRun> runs;
  TwipsBox box;  // in Frame1
};

// The pictures by the slot each stands for, in slot order, which is also
// the order they are hidden in.
std::span<const PictureEntry, kSlotCount> Pictures();
inline constexpr NamedFont kPictureFont{"Times New Roman", 11, false};

}  // namespace vantorel::window
