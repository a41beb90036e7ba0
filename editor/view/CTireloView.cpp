#include "editor/view/CTireloView.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "vocore/scene/VoICharacter.h"

CTireloView::CTireloView(HWND window) : window(window) {
  camera.UpdateViewMatrix();
  SetCurrentView(this);
}

CTireloView::~CTireloView() {
  if (CurrentView() == this) SetCurrentView(nullptr);
  draw.ReleaseTextures();
  draw.Uninitialize();
}

void CTireloView::LeaveCameraItem() {
  if (CTireloDoc* doc = GetDocument()) doc->SetViewCamera(nullptr);
}

void CTireloView::OnMouseMove(int x, int y, uint32_t buttons) {
  input.SetButton(MouseRecord::LeftDown, buttons & MouseRecord::LeftDown);
  input.SetButton(MouseRecord::RightDown, buttons & MouseRecord::RightDown);
  input.SetButton(MouseRecord::MiddleDown, buttons & MouseRecord::MiddleDown);
  const float dx = static_cast<float>(x - input.lastX), dy = static_cast<float>(y - input.lastY);
  input.MoveTo(x, y);
  const uint32_t down = input.flags;
  if ((down & MouseRecord::LeftDown) && (down & MouseRecord::RightDown)) {
    camera.Zoom(dy * -0.005f + dx * -0.001f);
    LeaveCameraItem();
  } else if (down & MouseRecord::RightDown) {
    camera.Rotate(dx, dy);
    LeaveCameraItem();
  } else if (down & MouseRecord::MiddleDown) {
    camera.Pan(dx, dy);
    LeaveCameraItem();
  }
  camera.UpdateViewMatrix();
  DispatchInput();
}

void CTireloView::OnLeftDown(int x, int y) {
  input.SetButton(MouseRecord::LeftDown, true);
  input.MoveTo(x, y);
  input.dx = input.dy = 0.0f;
  CTireloDoc* doc = GetDocument();
  if (doc && !(input.flags & MouseRecord::RightDown)) {
    std::list<VoRefer<VoIItem>> picked;
    doc->PickItems(picked, static_cast<float>(x), static_cast<float>(y), 0.0f);
    if (!picked.empty()) {
      doc->Pause();
      for (VoIItem* item : picked)
        if (item) doc->ClickSelect(item, 0);
    } else if (VoIItem* selected = doc->GetSelectedItem()) {
      // Empty space selects the character of the current selection.
      VoICharacter* local = selected->GetLocalCharacter();
      VoICharacter* scoped = doc->GetCurrentCharacter();
      if (local && scoped && (local == scoped || scoped->Search(local))) doc->ClickSelect(local, 0);
    }
  }
  DispatchInput();
}

void CTireloView::OnRightDown(int x, int y, int screenX, int screenY) {
  input.SetButton(MouseRecord::RightDown, true);
  input.MoveTo(x, y);
  CTireloDoc* doc = GetDocument();
  std::list<VoRefer<VoIItem>> picked;
  if (doc) doc->PickItems(picked, static_cast<float>(x), static_cast<float>(y), 0.0f);
  VoIItem* only = picked.size() == 1 ? picked.front().Get() : nullptr;
  if (only && only == doc->GetSelectedItem()) {
    if (EditorUi* ui = doc->ui) ui->ShowItemMenu(screenX, screenY, only, nullptr);
    // The press opened the menu; it must not turn the camera.
    input.flags &= ~MouseRecord::RightDown;
  }
  DispatchInput();
}

void CTireloView::OnLeftUp(int x, int y) {
  input.SetButton(MouseRecord::LeftDown, false);
  input.MoveTo(x, y);
  DispatchInput();
}

void CTireloView::OnRightUp(int x, int y) {
  input.SetButton(MouseRecord::RightDown, false);
  input.flags |= MouseRecord::RightChanged;
  input.MoveTo(x, y);
  DispatchInput();
}

void CTireloView::OnMiddleDown(int x, int y) {
  input.SetButton(MouseRecord::MiddleDown, true);
  input.MoveTo(x, y);
  DispatchInput();
}

void CTireloView::OnMiddleUp(int x, int y) {
  input.SetButton(MouseRecord::MiddleDown, false);
  input.MoveTo(x, y);
  DispatchInput();
}

void CTireloView::OnWheel(int x, int y, int delta) {
  input.MoveTo(x, y);
  input.wheel += static_cast<float>(delta);
  CTireloDoc* doc = GetDocument();
  VoIItem* selected = doc ? doc->GetSelectedItem() : nullptr;
  // Over a selected bone the wheel twists it instead.
  if (!selected || selected->IsCharacter()) camera.Zoom(static_cast<float>(delta) * 0.001f);
  camera.UpdateViewMatrix();
  DispatchInput();
}

void CTireloView::OnSize() {
  if (draw.device) draw.ResizeScreen();
}
