// CMainFrame: the editor's top-level window: menus and the main tool bar
// (every action carries its command id), the status bar, the splitter with
// the project frame and the view frame, dropped files, the item menu and the
// Tools menu of command plug-ins. It is the EditorUi its document reaches the
// windows through (it hangs itself on the document while it lives). Commands
// go to Commands::Run; check marks are set from the document in UpdateChecks,
// the one place for them.
#pragma once

#include <QMainWindow>
#include <map>
#include <vector>

#include "editor/document/EditorUi.h"
#include "editor/frame/Commands.h"
#include "editor/frame/QtPrompts.h"
#include "hostqt/WidgetHandle.h"

class CProjectFrame;
class CTireloDoc;
class CViewFrame;
class QAction;
class QMenu;

class CMainFrame : public QMainWindow, public EditorUi {
  Q_OBJECT

 public:
  explicit CMainFrame(CTireloDoc* document);
  ~CMainFrame() override;

  CViewFrame* ViewFrame() const { return viewFrame_; }
  CProjectFrame* ProjectFrame() const { return projectFrame_; }
  // The Tools menu: one entry per command descriptor that attaches to nothing.
  void SetToolsMenu(const std::vector<Commands::MenuEntry>& entries);
  QAction* Action(int id) const;
  void UpdateChecks();
  // Once a frame, after the frame at `frame` is drawn and before its deferred
  // list is emptied: the tree redraws what refreshes held back, and the panel
  // follows the selection and reads the shown item's values again when the
  // frame changed or an edit made in the view is done (no mouse button held).
  void AfterFrame(float frame);

  // EditorUi
  HWND MainWindow() override { return &handle_; }
  void UpdateAllViews(int hint) override;
  void RefreshTree(VoIItem* item, int mode) override;
  void ShowItem(VoIItem* item) override;
  void MarkSelectedCharacter(VoIItem* character) override;
  void EditLabel(VoIItem* item) override;
  int ViewFrameCommand(int id) override;
  void MainFrameCommand(int id) override { OnCommand(id); }
  void ShowItemMenu(int x, int y, VoIItem* item, VoIItem* source) override;

 signals:
  // The window is closing: the application runs the close sequence.
  void Closing();
  void AboutRequested();

 public slots:
  void OnCommand(int id);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* MakeAction(int id, const QString& text, const QString& tip = QString());
  void BuildMenus();
  void BuildToolBar();

  CTireloDoc* document_;
  HostQt::WidgetHandle handle_;
  QtPrompts prompts_;
  CViewFrame* viewFrame_;
  CProjectFrame* projectFrame_;
  QMenu* tools_ = nullptr;
  std::map<int, QAction*> actions_;
  bool closing_ = false;
  // The frame the panel last read its item at; an edit waiting for its drag's end.
  float panelFrame_ = 0.0f;
  unsigned panelKeyEdits_ = 0;
  bool viewEdited_ = false;
};
