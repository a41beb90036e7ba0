#include "editor/app/CTireloApp.h"

#include <QApplication>
#include <QMessageBox>

#include "editor/app/FrameLoop.h"
#include "editor/app/Shutdown.h"
#include "editor/app/Startup.h"
#include "editor/document/CTireloDoc.h"
#include "editor/frame/CMainFrame.h"
#include "editor/frame/CProjectFrame.h"
#include "editor/frame/CViewFrame.h"
#include "editor/frame/Commands.h"
#include "editor/host/SavoraHost.h"
#include "editor/settings/Settings.h"
#include "editor/settings/Version.h"
#include "editor/view/ViewWidget.h"
#include "ferrox/ferrox/Ferrox.h"

namespace {
CTireloApp* theApp = nullptr;
}

CTireloApp::CTireloApp() {
  if (theApp) Startup::ReportDuplicateApp();
  theApp = this;
  Startup::OpenLog();
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, [this] { OnIdle(); });
}

CTireloApp::~CTireloApp() {
  idle_.stop();
  Close();
  frame_.reset();
  document_.reset();
  TheHost().SetMaster(nullptr);
  Frx::theFerrox.logWindow.Release();
  Frx::theFerrox.Uninitialize();
  if (theApp == this) theApp = nullptr;
}

int CTireloApp::InitInstance(const std::vector<Frx::Pstring>& files) {
  QCoreApplication::setOrganizationName(QStringLiteral("Savora Kel-Ano"));
  QCoreApplication::setApplicationName(QStringLiteral("Savora"));
  Startup::RegisterPlayer();
  TheHost().SetMaster(&master_);
  document_ = std::make_unique<CTireloDoc>(&master_, &TheHost());
  document = document_.get();
  document->settingsPath = SettingsFilePath();
  frame_ = std::make_unique<CMainFrame>(document);
  mainFrame = frame_.get();
  viewFrame = mainFrame->ViewFrame();
  projectFrame = mainFrame->ProjectFrame();
  view = &viewFrame->View()->View();
  connect(mainFrame, &CMainFrame::Closing, this, [this] { Close(); });
  connect(mainFrame, &CMainFrame::AboutRequested, this, [this] { ShowAbout(); });
  document->ReadSettingsFile();
  master_.Initialize(&renderer_);
  Startup::LoadPlugins(master_);
  master_.CreateTimeBar(document);
  document->BuildStartupScene();
  // The command line's files need the engine, the plug-ins and "project".
  if (!Startup::OpenCommandLine(*document, files)) return 0;
  Frx::theFerrox.logWindow.Create(reinterpret_cast<HINSTANCE>(this));
  mainFrame->SetToolsMenu(Commands::ToolsMenuEntries(master_));
  mainFrame->show();
  mainFrame->raise();
  mainFrame->activateWindow();
  viewFrame->View()->setFocus();
  started = 1;
  idle_.start();
  return 1;
}

int CTireloApp::OnIdle() {
  if (!started || closed_ || inIdle_) return 0;
  // Frames run only for the active main window, never under a modal loop;
  // meanwhile the timer looks again now and then instead of spinning.
  const bool idle = QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
                    !mainFrame->isActiveWindow();
  idle_.setInterval(idle ? 15 : 0);
  if (idle) return 0;
  inIdle_ = true;
  const float frame = document->currentFrame;
  view->RenderFrame(frame);
  mainFrame->AfterFrame(frame);
  FrameLoop::Advance(*document, FrameLoop::Clock());
  inIdle_ = false;
  return 1;
}

void CTireloApp::Close() {
  if (closed_ || !document) return;
  closed_ = true;
  idle_.stop();
  CloseEditor(*document, master_);
  QApplication::quit();
}

void CTireloApp::ShowAbout() {
  QMessageBox::about(mainFrame, QStringLiteral(u"バージョン情報"),
                     QStringLiteral("Savora Ver %1\n\nCopyright (C) Kel-Ano").arg(QString::fromLatin1(kProgramVersion)));
}
