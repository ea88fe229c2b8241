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

// The texts are kept with carriage returns between their lines, the way the
// calculator has always stored them; DisplayText turns them into the line
// feeds that a Qt message box breaks lines at.
QString InstructionsText();
QString AboutText();
QString DisplayText(const QString& stored);

Message NotANumberMessage();
Message InstructionsMessage();
Message AboutMessage();

}  // namespace vantorel::window
