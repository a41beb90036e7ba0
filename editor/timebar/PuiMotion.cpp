#include "editor/timebar/PuiMotion.h"

#include <optional>
#include <vector>

#include "editor/extend/CompanionContext.h"
#include "editor/timebar/TimeLine.h"
#include "vocore/motion/VoIKeyControl.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

PuiMotion::PuiMotion(VoIMotion* motion) : ItemGui(motion) {}

VoIMotion* PuiMotion::Motion() const { return item ? item->IsMotion() : nullptr; }

KeyBar* PuiMotion::EnsureBar() {
  if (!bar.Get()) bar = new KeyBar(Motion());
  return bar.Get();
}

void PuiMotion::Layout() {
  CompanionContext* context = Companion::Context();
  Frx::Draw::PDraw* draw = context ? context->GetDraw() : nullptr;
  left = 0.0f;
  top = (draw ? static_cast<float>(draw->screenHeight) : 0.0f) - 48.0f;
  width = draw ? static_cast<float>(draw->screenWidth) : 0.0f;
  height = 32.0f;
  if (TimeLine* t = CurrentTimeLine()) pixelsPerFrame = t->GetPixelsPerFrame(), timeScroll = t->GetTimeScroll();
  KeyBar* b = EnsureBar();
  b->left = 0.0f;
  b->top = top;
  b->width = width;
  b->pixelsPerFrame = pixelsPerFrame;
  b->scroll = timeScroll;
}

void PuiMotion::CollectRows() {
  VoICharacter* c = character.Get();
  VoIItem* selected = Companion::Selected();
  if (!c || !selected) return;
  std::vector<VoIKeyControlBase*> found;
  for (VoControlConnect& connection : c->connections) {
    VoIItem* target = connection.item.Get();
    VoIControl* control = connection.control.Get();
    if (!control || (target != selected && control != selected)) continue;
    if (VoIKeyControlBase* keyed = control->IsKeyControl()) found.push_back(keyed);
  }
  if (found.empty()) return;
  // The same controls keep their rows: a row in the middle of a key drag
  // must not be replaced by a fresh one at the next mouse record.
  std::vector<VoIKeyControlBase*> shown;
  for (VoRefer<KeyRow>& ref : rows)
    if (KeyRow* row = ref.Get()) shown.push_back(row->control.Get());
  if (shown == found) return;
  rows.clear();
  for (VoIKeyControlBase* keyed : found) rows.emplace_back(new KeyRow(keyed));
}

void PuiMotion::LayoutRows() {
  rowsHeight = 0.0f;
  VoIMotion* motion = Motion();
  for (VoRefer<KeyRow>& ref : rows) {
    KeyRow* row = ref.Get();
    if (!row) continue;
    rowsHeight += 16.0f;
    row->left = 0.0f;
    row->top = top - rowsHeight;
    row->width = width;
    row->scroll = timeScroll;
    row->pixelsPerFrame = pixelsPerFrame;
    row->endFrame = motion ? motion->endframe : 0;
  }
}

float PuiMotion::HitTest(float x, float y, int) {
  VoIItem* selected = Companion::Selected();
  VoICharacter* owner = selected ? selected->GetLocalCharacter() : nullptr;
  if (!owner || owner->GetMotion() != Motion() || !bar.Get()) return NoHit;
  return KeyStrip::HitTest(x, y, left, top - rowsHeight, width, 32.0f + rowsHeight);
}

void PuiMotion::Drag(MouseRecord r) {
  if (!character.Get() || !Motion()) return;
  Layout();
  bar->Drag(r);
  CollectRows();
  LayoutRows();
  for (VoRefer<KeyRow>& ref : rows)
    if (KeyRow* row = ref.Get()) row->Drag(r);
}

void PuiMotion::Draw() {
  if (!Motion()) return;
  std::optional<Canvas> canvas = Companion::CurrentCanvas();
  if (!canvas) return;
  Layout();
  bar->Draw(*canvas);
  LayoutRows();
  for (VoRefer<KeyRow>& ref : rows)
    if (KeyRow* row = ref.Get()) row->Draw(*canvas);
}

void PuiMotion::OnSelect(int mode) {
  EnsureBar();
  VoIMotion* motion = Motion();
  if (!motion || !Companion::IsSelected(motion)) return;
  VoIBranch* parent = motion->GetParent();
  VoICharacter* owner = parent ? parent->IsCharacter() : nullptr;
  if (!owner) return;
  if (owner->GetMotion() != motion) owner->SetMotion(motion);
  TimeLine* timeLine = CurrentTimeLine();
  if (timeLine && owner == timeLine->GetCurrentCharacter() && mode != 0) timeLine->Play();
  Companion::Keying().Queue(owner);
}

void PuiMotion::OnDeselect() {
  character.Clear();
  bar.Clear();
}
