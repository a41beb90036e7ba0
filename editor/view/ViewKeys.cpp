// The view's keys and the hand-over of each input record.
#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/document/EditorUi.h"
#include "editor/document/SettingCommands.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/timebar/TimeBar.h"
#include "editor/view/CTireloView.h"
#include "editor/view/VirtualKeys.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoILocate.h"

namespace {

// A main-window command from a key: through the windows when they exist, so
// their check marks follow.
void MainCommand(int id) {
  CTireloDoc* doc = GetDocument();
  if (!doc) return;
  if (doc->ui) doc->ui->MainFrameCommand(id);
  else RunSettingCommand(*doc, id);
}

}  // namespace

void CTireloView::OnKeyDown(int code) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("OnKeyDown %x %d %x\n", code, 1, 0);
  const bool shift = (input.flags & MouseRecord::ShiftDown) != 0;
  switch (code) {
    case VKey::Shift: input.SetButton(MouseRecord::ShiftDown, true); break;
    case VKey::PageUp: input.wheel -= 100.0f; break;
    case VKey::PageDown: input.wheel += 100.0f; break;
    case VKey::Left: camera.Pan(4.0f, 0.0f); break;
    case VKey::Up: camera.Pan(0.0f, 4.0f); break;
    case VKey::Right: camera.Pan(-4.0f, 0.0f); break;
    case VKey::Down: camera.Pan(0.0f, -4.0f); break;
    case 'E':
    case VKey::F5: MainCommand(Cmd::SpaceLocal); break;
    case 'R':
    case VKey::F6: MainCommand(Cmd::SpaceParent); break;
    case 'T':
    case VKey::F7: MainCommand(Cmd::SpaceWorld); break;
    case 'G': camera.SnapAngles(); break;
    case 'W': {
      CTireloDoc* doc = GetDocument();
      VoIItem* selected = doc ? doc->GetSelectedItem() : nullptr;
      VoILocate* locate = selected ? selected->IsLocate() : nullptr;
      camera.CentreOn(locate ? locate->GetWPos() : Frx::Pvector(0.0f, 0.0f, 0.0f));
      break;
    }
    case VKey::F1: camera.SideView(shift); break;
    case VKey::F2: camera.TopView(shift); break;
    case VKey::F3: camera.FrontView(shift); break;
    case VKey::F4: {
      CTireloDoc* doc = GetDocument();
      MainCommand(doc && doc->projection == 0 ? Cmd::Parallel : Cmd::Perspective);
      break;
    }
    default: break;
  }
  input.KeyDown(code);
  DispatchInput();
}

void CTireloView::OnKeyUp(int code) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("OnKeyUp %x %d %x\n", code, 1, 0);
  if (code == VKey::Shift) input.SetButton(MouseRecord::ShiftDown, false);
  input.KeyUp(code);
  DispatchInput();
}

void CTireloView::DispatchInput() {
  lastRecord = input.TakeRecord();
  CTireloDoc* doc = GetDocument();
  VoMasterSavora* master = doc ? doc->master : nullptr;
  TimeBar* bar = master ? master->GetTimeBar() : nullptr;
  if (!bar || !CurrentView()) return;
  bar->Drag(lastRecord);
  VoICharacter* character = doc->GetSelectedCharacter();
  if (character) master->DispatchDrag(character, lastRecord);
  // "general" selected is dispatched once: twice would apply every drag twice.
  if (VoICharacter* general = doc->general; general && general != character)
    master->DispatchDrag(general, lastRecord);
}
