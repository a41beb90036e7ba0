// The windows and the view following the document.
#include "editor/document/CTireloDoc.h"
#include "editor/document/DocumentView.h"
#include "editor/document/EditorUi.h"

void CTireloDoc::UpdateAllViews() {
  VoRefer<VoIItem> keep = selected.Get();
  if (ui) ui->UpdateAllViews(3);
  if (keep) ClickSelect(keep, 0);
}

void CTireloDoc::RefreshTreeItem(VoIItem* item) {
  if (ui) ui->RefreshTree(item, item ? EditorUi::TreeRefresh : EditorUi::TreeRebuild);
}

void CTireloDoc::RemoveTreeItem(VoIItem* item) {
  if (ui && item) ui->RefreshTree(item, EditorUi::TreeRemove);
}

void CTireloDoc::ReplayViewInput() {
  if (DocumentView* view = CurrentView()) view->DispatchInput();
}

Frx::Draw::PDraw* CTireloDoc::GetDraw() {
  DocumentView* view = CurrentView();
  return view ? &view->Draw() : nullptr;
}

IDirect3DTexture8* CTireloDoc::GetHandleTexture() {
  DocumentView* view = CurrentView();
  return view ? view->HandleTexture() : nullptr;
}
