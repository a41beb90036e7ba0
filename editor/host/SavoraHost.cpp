// The slots that report state, show messages and reach the view and windows.
#include "editor/host/SavoraHost.h"

#include <cstdarg>

#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "editor/document/Playback.h"
#include "editor/document/ShowMessage.h"
#include "editor/extend/VoMasterSavora.h"
#include "editor/timebar/TimeBar.h"
#include "editor/view/CTireloView.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/ShowMessage.h"
#include "ferrox/string/FormatText.h"
#include "vocore/scene/VoICharacter.h"

SavoraHost& TheHost() {
  static SavoraHost* host = new SavoraHost;  // never freed: plug-ins may hold it to the end
  return *host;
}

extern "C" __attribute__((visibility("default"))) HostInterface* GetSavora() { return &TheHost(); }

int SavoraHost::GetVersion() { return Version; }
HWND SavoraHost::GetMainWindow() { return ui_ ? ui_->MainWindow() : nullptr; }
HWND SavoraHost::GetViewWindow() { return view_ ? view_->Window() : nullptr; }
Frx::Ferrox* SavoraHost::GetFerrox() { return &Frx::theFerrox; }
Frx::Draw::PDraw* SavoraHost::GetDraw() { return view_ ? &view_->Draw() : nullptr; }
VoMaster* SavoraHost::GetMaster() { return master_; }

int SavoraHost::GetEditSpace() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->editSpace : 0;
}

int SavoraHost::ShowMessage(int type, const char* format, ...) {
  char text[Frx::ShowMessageLimit];
  va_list args;
  va_start(args, format);
  Frx::FormatTextV(text, sizeof text, format, args);
  va_end(args);
  // Shown as it is: a "%" the arguments brought in is no format.
  return ::ShowMessage(type, "%s", text);
}

int SavoraHost::Play() {
  if (ui_) return ui_->ViewFrameCommand(Playback::CommandPlay);
  CTireloDoc* doc = GetDocument();
  if (doc) Playback::Play(*doc);
  return 1;
}

int SavoraHost::Pause() {
  if (ui_) return ui_->ViewFrameCommand(Playback::CommandPause);
  CTireloDoc* doc = GetDocument();
  if (doc) Playback::Pause(*doc);
  return 1;
}

void SavoraHost::UpdateAllViews() {
  CTireloDoc* doc = GetDocument();
  if (!doc) return;
  VoRefer<VoIItem> keep = doc->selected.Get();
  if (ui_) ui_->UpdateAllViews(3);
  if (keep) ClickSelect(keep, 0);
}

void SavoraHost::RefreshTreeItem(VoIItem* item) {
  if (ui_) ui_->RefreshTree(item, item ? EditorUi::TreeRefresh : EditorUi::TreeRebuild);
}

void SavoraHost::RemoveTreeItem(VoIItem* item) {
  if (ui_ && item) ui_->RefreshTree(item, EditorUi::TreeRemove);
}

void SavoraHost::ReplayViewInput() {
  if (view_) view_->DispatchInput();
}

void SavoraHost::RenderFrame(float frame) {
  if (view_) view_->RenderFrame(frame);
}

void SavoraHost::PickItems(std::list<VoRefer<VoIItem>>& items, float x, float y, float z) {
  if (!master_) return;
  if (TimeBar* bar = master_->GetTimeBar()) {
    if (bar->HitTest(x, y, static_cast<int>(z)) != ItemGui::NoHit) {
      if (VoICharacter* character = GetSelectedCharacter()) items.emplace_back(character);
      return;
    }
  }
  master_->PickNearest(items, GetSelectedCharacter(), x, y, static_cast<int>(z));
}

float SavoraHost::GetCurrentFrame() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->currentFrame : 0.0f;
}

void SavoraHost::SetCurrentFrame(float frame) {
  if (CTireloDoc* doc = GetDocument()) doc->currentFrame = frame;
}

void SavoraHost::SetViewCamera(VoIItem* camera) {
  if (CTireloDoc* doc = GetDocument()) doc->viewCamera = camera;
}

VoIItem* SavoraHost::GetViewCamera() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->viewCamera.Get() : nullptr;
}
