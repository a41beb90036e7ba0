// The editor program: the application object, then Qt, then the start-up
// steps and the event loop.
#include <QApplication>

#include <vector>

#include "editor/app/CTireloApp.h"
#include "hostqt/LocaleGuard.h"
#include "hostqt/LogViewQt.h"
#include "hostqt/MessageBoxQt.h"
#include "hostqt/Sjis.h"

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  // Files are read and written in the C locale, whatever Qt took from the environment.
  HostQt::RestoreNumericLocale();
  HostQt::InstallMessageBox();
  HostQt::InstallLogView();
  QApplication::setQuitOnLastWindowClosed(false);
  CTireloApp app;
  std::vector<Frx::Pstring> files;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i)
    files.emplace_back(HostQt::ToSjis(arguments[i]).constData());
  if (!app.InitInstance(files)) return 0;
  return QApplication::exec();
}
