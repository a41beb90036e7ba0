#include "plugins/Rastel/ui/QtSerialAsker.h"

#include <QApplication>

#include "plugins/Rastel/ui/SerialBmpDialog.h"
#include "plugins/Rastel/ui/SerialMqoDialog.h"

namespace RastelUi {

namespace {

// Widgets need a QApplication; a core application (or none) cannot show one.
bool HasWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace

bool QtSerialAsker::AskBmp(SerialBmpAnswers& answers) {
  if (!HasWidgets()) return SerialAsker::AskBmp(answers);
  SerialBmpDialog dialog(answers, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  answers = dialog.Answers();
  return true;
}

bool QtSerialAsker::AskMqo(SerialMqoAnswers& answers) {
  if (!HasWidgets()) return SerialAsker::AskMqo(answers);
  SerialMqoDialog dialog(answers, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  answers = dialog.Answers();
  return true;
}

SerialAsker& ModuleAsker() {
  static QtSerialAsker asker;
  return asker;
}

}  // namespace RastelUi
