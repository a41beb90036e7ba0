#include "plugins/Tandrel/ui/QtConverterAsker.h"

#include <QApplication>

#include "plugins/Tandrel/ui/MotionConverterDialog.h"

namespace TandrelUi {

bool QtConverterAsker::AskPairs(ConvertSession& session) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return ConverterAsker::AskPairs(session);
  MotionConverterDialog dialog(session, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

ConverterAsker& ModuleAsker() {
  static QtConverterAsker asker;
  return asker;
}

}  // namespace TandrelUi
