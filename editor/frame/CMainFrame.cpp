#include "editor/frame/CMainFrame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/frame/CProjectFrame.h"
#include "editor/frame/CViewFrame.h"
#include "editor/frame/Commands.h"
#include "editor/panel/ItemPanel.h"
#include "editor/settings/Version.h"
#include "editor/tree/CProjectView.h"
#include "ferrox/ferrox/Ferrox.h"
#include "hostqt/Sjis.h"

CMainFrame::CMainFrame(CTireloDoc* document)
    : document_(document), handle_(this), prompts_(this), panelFrame_(document->currentFrame),
      panelKeyEdits_(document->keyEdits) {
  setWindowTitle(QStringLiteral("Savora Ver %1").arg(QString::fromLatin1(kProgramVersion)));
  setObjectName(QStringLiteral("mainframe"));
  document_->prompts = &prompts_;
  auto* split = new QSplitter(Qt::Horizontal, this);
  projectFrame_ = new CProjectFrame(document, split);
  viewFrame_ = new CViewFrame(document, split);
  split->addWidget(projectFrame_);
  split->addWidget(viewFrame_);
  split->setSizes({272, 752});
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
  connect(projectFrame_, &CProjectFrame::Command, this, &CMainFrame::OnCommand);
  BuildMenus();
  BuildToolBar();
  // Pane 0 holds the idle text, replaced by a command's status text while the
  // pointer is on it; then the indicators of the Kana, Caps, Num and Scroll
  // locks (ids 59142, 59137, 59138, 59139), dimmed: Qt cannot read the locks.
  QStatusBar* status = statusBar();
  auto* message = new QLabel(QStringLiteral(u"ﾚﾃﾞｨ"), status);
  message->setObjectName(QStringLiteral("pane0"));
  status->addWidget(message, 1);
  const struct {
    int id;
    const char16_t* text;
  } indicators[] = {{59142, u"ｶﾅ"}, {59137, u"CAP"}, {59138, u"NUM"}, {59139, u"SCRL"}};
  for (const auto& pane : indicators) {
    auto* label = new QLabel(QString::fromUtf16(pane.text), status);
    label->setObjectName(QStringLiteral("pane%1").arg(pane.id));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setEnabled(false);
    status->addPermanentWidget(label);
  }
  setAcceptDrops(true);
  resize(1024, 768);
  // Message boxes of the base library belong to this window.
  Frx::theFerrox.SetWindow(&handle_);
  UpdateChecks();
  document_->ui = this;
}

CMainFrame::~CMainFrame() {
  if (document_->ui == this) document_->ui = nullptr;
  if (Frx::theFerrox.GetWindow() == &handle_) Frx::theFerrox.SetWindow(nullptr);
  if (document_->prompts == &prompts_) document_->prompts = nullptr;
}

QAction* CMainFrame::Action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::OnCommand(int id) {
  Commands::Run(*document_, id, Commands::Frame::Main);
  // A command may select, rename, delete or change what the panel shows.
  projectFrame_->Panel()->Refresh(document_->GetSelectedItem());
  UpdateChecks();
}

void CMainFrame::AfterFrame(float frame) {
  projectFrame_->Tree()->ReleaseRedraw();
  ItemPanel* panel = projectFrame_->Panel();
  // The panel follows a selection made without showing it (plug-ins, clearing).
  const bool shownAnew = panel->Follow(document_->GetSelectedItem());
  // Playback and the view change the shown item behind the panel's back: the
  // view's edits queue what they changed for keying, its key drags count.
  viewEdited_ = viewEdited_ || !document_->deferred.empty() || document_->keyEdits != panelKeyEdits_;
  panelKeyEdits_ = document_->keyEdits;
  // Qt's own record of the buttons: a box that comes up during a drag keeps
  // the release from the view, which goes on thinking the button is held.
  const bool held = QGuiApplication::mouseButtons() != Qt::NoButton;
  if (!shownAnew && (frame != panelFrame_ || (viewEdited_ && !held))) panel->Reload(panel->Shown());
  panelFrame_ = frame;
  if (!held) viewEdited_ = false;
}

void CMainFrame::UpdateChecks() {
  auto check = [this](int id, bool on) {
    if (QAction* a = Action(id)) a->setChecked(on);
  };
  const CTireloDoc& d = *document_;
  check(Cmd::DisplayStandard, d.displayMode == 0);
  check(Cmd::DisplayEmphasis, d.displayMode == 1);
  check(Cmd::DisplayHidden, d.displayMode == 2);
  check(Cmd::Perspective, d.projection == 0);
  check(Cmd::Parallel, d.projection == 1);
  check(Cmd::SpaceLocal, d.editSpace == 0);
  check(Cmd::SpaceParent, d.editSpace == 1);
  check(Cmd::SpaceWorld, d.editSpace == 2);
  check(Cmd::CelShading, d.celShading != 0);
  check(Cmd::RealTime, d.realTime != 0);
  viewFrame_->UpdateChecks();
  projectFrame_->UpdateChecks();
}

void CMainFrame::UpdateAllViews(int) {
  projectFrame_->Tree()->RefreshTree(nullptr, TreeRebuild);
  // The panel is a view too: a motion imported into the shown character, say.
  projectFrame_->Panel()->ShowItemInPanel(document_->GetSelectedItem());
  UpdateChecks();
}

void CMainFrame::RefreshTree(VoIItem* item, int mode) {
  projectFrame_->Tree()->RefreshTree(item, mode);
  // The panel shows what the tree does: a renamed item, nothing of a released one.
  if (mode == TreeRemove) projectFrame_->Panel()->Forget(item);
  if (mode == TreeRefresh) projectFrame_->Panel()->Reload(item);
}

void CMainFrame::ShowItem(VoIItem* item) {
  projectFrame_->Panel()->ShowItemInPanel(item);
  projectFrame_->Tree()->ShowItem(item);
}

void CMainFrame::MarkSelectedCharacter(VoIItem* character) {
  projectFrame_->Tree()->MarkSelectedCharacter(character);
}

void CMainFrame::EditLabel(VoIItem* item) { projectFrame_->Tree()->EditLabel(item); }

int CMainFrame::ViewFrameCommand(int id) { return viewFrame_->OnCommand(id); }

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    emit Closing();
  }
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  std::vector<Frx::Pstring> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.emplace_back(HostQt::ToSjis(url.toLocalFile()).constData());
  event->acceptProposedAction();
  raise();
  activateWindow();
  Commands::DropFiles(*document_, paths);
  UpdateChecks();
}
