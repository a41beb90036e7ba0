// The document's file choices as Qt file dialogs, filters from the Windows
// form the document builds.
#pragma once

#include <QStringList>

#include "editor/document/DocumentPrompts.h"

class QWidget;

class QtPrompts : public DocumentPrompts {
 public:
  explicit QtPrompts(QWidget* parent) : parent_(parent) {}
  Frx::Pstring OpenFileName(const char* filter) override;
  Frx::Pstring SaveFileName(const char* filter, const char* defaultExt) override;
  // The four most recent files, kept in the user's settings ("Savora Kel-Ano").
  void AddRecentFile(const char* path) override;
  static QStringList RecentFiles();

  // "Name (*.a *.b)" entries of a Windows-form filter (Shift-JIS).
  static QStringList QtFilters(const char* filter);

 private:
  QWidget* parent_;
};
