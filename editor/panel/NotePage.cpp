#include "editor/panel/NotePage.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "hostqt/Sjis.h"
#include "vocore/scene/VoINote.h"

NotePage::NotePage(VoINote* note, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* edit = new QPlainTextEdit(this);
  edit->setObjectName(QStringLiteral("note"));
  edit->setReadOnly(true);
  // The text keeps its line ends; the view shows CR LF and LF alike.
  QString text = note ? HostQt::FromSjis(note->GetText()) : QString();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  edit->setPlainText(text);
  layout->addWidget(edit);
}
