#include "Messages.h"

namespace vantorel::window {

namespace {
const QChar CR(13);
const QString CR2 = QString(CR) + CR;
}  // namespace

QString InstructionsText() {
  return QStringLiteral("To find property values of a substance at a certain temperature:") + CR2 +
         QStringLiteral("1. Select the category of the substance from the Category Box.") + CR2 +
         QStringLiteral("2. Select the fluid from the Fluid Box.") + CR2 +
         QStringLiteral(
             "3. Enter the temperature at which to display the properties (be sure that the "
             "temperature falls within the allowable range).") +
         CR2 + QStringLiteral("4. Click the Calculate Button.");
}

QString AboutText() {
  return QStringLiteral("Vantorel 1.0") + CR2 +                        //
         QStringLiteral("Written by the Vantorel developers.") + CR +  //
         QStringLiteral("December 2026") + CR2 +                       //
         QStringLiteral("Property values obtained from:") + CR +
         QStringLiteral(
             "F. P. Incropera and D. P. DeWitt, \"Fundamentals of Heat and Mass Transfer\", "
             "5th edition, New York, John Wiley & Sons, 2002, Tables: A.4-A.7");
}

QString DisplayText(const QString& stored) {
  QString text = stored;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(CR, QChar('\n'));
  return text;
}

Message NotANumberMessage() {
  return {QStringLiteral("The value for temperature must be a number."), QString(), MessageIcon::None};
}

Message InstructionsMessage() {
  return {DisplayText(InstructionsText()), QStringLiteral("Instructions"), MessageIcon::None};
}

Message AboutMessage() {
  // "Avntorel" is the title this box has always had, kept as it is; the menu
  // item that opens it reads "About Vantorel...".
  return {DisplayText(AboutText()), QStringLiteral("About Avntorel"), MessageIcon::None};
}

}  // namespace vantorel::window
