#pragma once
// What the window tells the user in message boxes, and the form in which a
// message travels to whatever shows it.

#include <QString>

namespace vantorel::window {

enum class MessageIcon { None, Warning };

struct Message {
  QString text;   // line breaks as "\n"
  QString title;  // empty: the application's title, "Vantorel"
  MessageIcon icon = MessageIcon::None;

  bool operator==(const Message&) const = default;
};

inline const QString kApplicationTitle = QStringLiteral("Vantorel");

// The help texts are kept with a carriage return (code 13) at each line
// break and two where an empty line stands between lines. A Qt message box
// breaks lines at line feeds only, so DisplayText converts them for showing.
QString InstructionsText();
QString AboutText();
QString DisplayText(const QString& stored);

Message NotANumberMessage();
Message InstructionsMessage();
Message AboutMessage();

}  // namespace vantorel::window
