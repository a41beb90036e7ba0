// The slots, each handed to the document, the master or the program's view.
#include "editor/host/SavoraHost.h"

#include <cstdarg>

#include "editor/document/CTireloDoc.h"
#include "editor/document/DocumentView.h"
#include "editor/document/EditorUi.h"
#include "editor/document/ItemControls.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/ShowMessage.h"
#include "ferrox/string/FormatText.h"

SavoraHost& TheHost() {
  static SavoraHost* host = new SavoraHost;  // never freed: plug-ins may hold it to the end
  return *host;
}

extern "C" __attribute__((visibility("default"))) HostInterface* GetSavora() { return &TheHost(); }

namespace {
CTireloDoc* Doc() { return GetDocument(); }
}  // namespace

int SavoraHost::GetVersion() { return Version; }

HWND SavoraHost::GetMainWindow() {
  CTireloDoc* doc = Doc();
  return doc && doc->ui ? doc->ui->MainWindow() : nullptr;
}

HWND SavoraHost::GetViewWindow() {
  DocumentView* view = CurrentView();
  return view ? view->Window() : nullptr;
}

Frx::Ferrox* SavoraHost::GetFerrox() { return &Frx::theFerrox; }

Frx::Draw::PDraw* SavoraHost::GetDraw() {
  DocumentView* view = CurrentView();
  return view ? &view->Draw() : nullptr;
}

VoMaster* SavoraHost::GetMaster() { return master_; }

int SavoraHost::GetEditSpace() {
  CTireloDoc* doc = Doc();
  return doc ? doc->GetEditSpace() : 0;
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
  CTireloDoc* doc = Doc();
  return doc ? doc->Play() : 1;
}

int SavoraHost::Pause() {
  CTireloDoc* doc = Doc();
  return doc ? doc->Pause() : 1;
}

void SavoraHost::UpdateAllViews() {
  if (CTireloDoc* doc = Doc()) doc->UpdateAllViews();
}

void SavoraHost::RefreshTreeItem(VoIItem* item) {
  if (CTireloDoc* doc = Doc()) doc->RefreshTreeItem(item);
}

void SavoraHost::ReplayViewInput() {
  if (DocumentView* view = CurrentView()) view->DispatchInput();
}

void SavoraHost::RenderFrame(float frame) {
  if (DocumentView* view = CurrentView()) view->RenderFrame(frame);
}

void SavoraHost::PickItems(std::list<VoRefer<VoIItem>>& items, float x, float y, float z) {
  if (CTireloDoc* doc = Doc()) doc->PickItems(items, x, y, z);
}

float SavoraHost::GetCurrentFrame() {
  CTireloDoc* doc = Doc();
  return doc ? doc->GetCurrentFrame() : 0.0f;
}

void SavoraHost::SetCurrentFrame(float frame) {
  if (CTireloDoc* doc = Doc()) doc->SetCurrentFrame(frame);
}

void SavoraHost::SetViewCamera(VoIItem* camera) {
  if (CTireloDoc* doc = Doc()) doc->SetViewCamera(camera);
}

VoIItem* SavoraHost::GetViewCamera() {
  CTireloDoc* doc = Doc();
  return doc ? doc->GetViewCamera() : nullptr;
}

void SavoraHost::CreateBranchControls(VoIBranch* branch, VoIMotion* motion) {
  if (master_) ItemControls::ForBranch(*master_, branch, motion);
}

void SavoraHost::CreateItemControls(VoICharacter* character, VoIMotion* motion) {
  if (master_) ItemControls::ForCharacter(*master_, character, motion);
}
