// CViewFrame: the frame around the 3D view with the playback tool bar (stop,
// play, pause, steps, next and previous key, pose copy and paste, mirror).
// Its commands go to Commands::Run as view-frame commands.
#pragma once

#include <QWidget>

class CTireloDoc;
class QToolBar;
class ViewWidget;

class CViewFrame : public QWidget {
  Q_OBJECT

 public:
  CViewFrame(CTireloDoc* document, QWidget* parent = nullptr);

  ViewWidget* View() const { return view_; }
  // Runs a view-frame command and sets the play and pause check marks.
  int OnCommand(int id);
  void UpdateChecks();

 private:
  CTireloDoc* document_;
  ViewWidget* view_;
  QToolBar* bar_;
};
