#include "editor/frame/QtPrompts.h"

#include <QFileDialog>
#include <QSettings>

#include "editor/frame/FilterText.h"
#include "hostqt/ActiveWindowKeeper.h"
#include "hostqt/Sjis.h"

QStringList QtPrompts::QtFilters(const char* filter) {
  QStringList out;
  for (const FilterEntry& e : ParseFilter(filter))
    out << QStringLiteral("%1 (%2)").arg(HostQt::FromSjis(e.name.Get()), HostQt::FromSjis(e.patterns.Get()));
  return out;
}

Frx::Pstring QtPrompts::OpenFileName(const char* filter) {
  const HostQt::ActiveWindowKeeper keeper;
  const QString path = QFileDialog::getOpenFileName(parent_, QString(), QString(),
                                                    QtFilters(filter).join(QStringLiteral(";;")));
  return path.isEmpty() ? Frx::Pstring() : Frx::Pstring(HostQt::ToSjis(path).constData());
}

Frx::Pstring QtPrompts::SaveFileName(const char* filter, const char* defaultExt) {
  const HostQt::ActiveWindowKeeper keeper;
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(QtFilters(filter));
  dialog.setDefaultSuffix(QString::fromLatin1(defaultExt));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return Frx::Pstring();
  return Frx::Pstring(HostQt::ToSjis(dialog.selectedFiles().front()).constData());
}

namespace {
constexpr int kRecentFiles = 4;
}  // namespace

QStringList QtPrompts::RecentFiles() {
  QSettings profile(QStringLiteral("Savora Kel-Ano"), QStringLiteral("Savora"));
  QStringList files;
  for (int i = 1; i <= kRecentFiles; ++i) {
    const QString f = profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
    if (!f.isEmpty()) files << f;
  }
  return files;
}

void QtPrompts::AddRecentFile(const char* path) {
  QStringList files = RecentFiles();
  const QString added = HostQt::FromSjis(path);
  files.removeAll(added);
  files.prepend(added);
  QSettings profile(QStringLiteral("Savora Kel-Ano"), QStringLiteral("Savora"));
  for (int i = 0; i < kRecentFiles; ++i)
    profile.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), files.value(i));
}
