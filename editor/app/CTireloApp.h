// CTireloApp: the editor application. It owns the engine master, the
// renderer, the document and the main window, runs the start-up steps in
// their order, drives the frame loop from an idle timer while the main window
// is active and no modal loop runs, and runs the close sequence. One object
// per process; a second one reports an error.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "editor/document/VoMasterSavora.h"
#include "ferrox/string/Pstring.h"
#include "vocore/Renddx/VoDirectX7.h"

class CMainFrame;
class CProjectFrame;
class CTireloDoc;
class CTireloView;
class CViewFrame;

class CTireloApp : public QObject {
  Q_OBJECT

 public:
  // Opens the log and writes the banner.
  CTireloApp();
  // Drops the document (which writes "savora.ini"), then releases the log
  // window and closes down the base library.
  ~CTireloApp() override;

  // The start-up steps; `files` are the command line's (system text). 0
  // when the program should leave.
  int InitInstance(const std::vector<Frx::Pstring>& files);
  // One idle call: a frame and the next current frame. 1 when there was work.
  int OnIdle();
  void ShowAbout();

  CTireloView* view = nullptr;
  CTireloDoc* document = nullptr;
  CMainFrame* mainFrame = nullptr;
  CViewFrame* viewFrame = nullptr;
  CProjectFrame* projectFrame = nullptr;
  int started = 0;

 private:
  void Close();

  VoMasterSavora master_;
  VoDirectX7 renderer_;
  std::unique_ptr<CTireloDoc> document_;
  std::unique_ptr<CMainFrame> frame_;
  QTimer idle_;
  bool inIdle_ = false;
  bool closed_ = false;
};
