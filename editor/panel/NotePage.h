// NotePage: a note's text, shown read-only (edits are not written back, so
// the page does not offer them).
#pragma once

#include <QWidget>

class VoINote;

class NotePage : public QWidget {
  Q_OBJECT

 public:
  explicit NotePage(VoINote* note, QWidget* parent = nullptr);
};
