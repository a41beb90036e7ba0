#include "editor/extend/GuiObjectSelecter.h"

#include <cmath>
#include <optional>

#include "editor/extend/CompanionContext.h"
#include "vocore/item/VoIObject.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace {

VoIBranch* BranchOf(VoIItem* item) { return item ? item->IsBranch() : nullptr; }

int CountChildren(VoIBranch* branch) { return branch ? branch->GetChildCount() : 0; }

}  // namespace

GuiObjectSelecter::GuiObjectSelecter(VoIItem* selecter) : ItemGui(selecter) {}

std::string GuiObjectSelecter::Chosen() const {
  Frx::Pstring text;
  if (!item || !item->GetParam("select", text)) return std::string();
  return std::string(text.Get());
}

void GuiObjectSelecter::Choose(VoIItem* child) {
  if (!child || Chosen() == child->GetName()) return;
  if (item->SetParam("select", child->GetName())) Companion::Keying().Queue(item);
}

float GuiObjectSelecter::HitTest(float x, float y, int) {
  if (!Companion::IsSelected(item)) return NoHit;
  const float n = static_cast<float>(children);
  if (std::fabs(x - (anchor.x + 128.0f)) <= 128.0f && std::fabs(y - (anchor.y + 8.0f * n - 12.0f)) <= 8.0f * n + 14.0f)
    return 0.0f;
  return NoHit;
}

void GuiObjectSelecter::Drag(MouseRecord r) {
  VoIBranch* branch = BranchOf(item);
  if (!branch) return;
  VoIItem* selected = Companion::Selected();
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c))
    if (c == selected) Choose(c);
  if (selected != item || !r.LeftPressed() || (r.buttons & MouseRecord::RightDown)) return;
  // floor, not trunc: a press on the title above the rows takes no row.
  const float at = std::floor((r.y - anchor.y) * 0.0625f);
  children = CountChildren(branch);
  if (at < 0.0f || at >= static_cast<float>(children)) return;
  row = static_cast<int>(at);
  int i = 0;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c), ++i)
    if (i == row) Choose(c);
}

void GuiObjectSelecter::Draw() {
  VoIBranch* branch = BranchOf(item);
  if (!branch || !Companion::IsSelected(item)) return;
  std::optional<Canvas> canvas = Companion::CurrentCanvas();
  if (!canvas) return;
  children = CountChildren(branch);
  Frx::Pvector sum(0.0f, 0.0f, 0.0f);
  int placed = 0;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) {
    VoIObject* object = c->IsObject();
    VoICoordinate* coordinate = object ? object->GetCoordinate() : nullptr;
    if (!coordinate) continue;
    sum += coordinate->GetWPos();
    ++placed;
  }
  const Frx::Pvector centre = placed ? sum / static_cast<float>(placed) : sum;
  if (!canvas->Screen().Project(centre, &anchor)) {
    anchor = Handle::OffScreen;
    return;
  }
  Frx::Draw::PDraw& draw = canvas->draw;
  canvas->Flush();
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  draw.DrawFillBox(Frx::Pvector(anchor.x - 4.0f, anchor.y - 16.0f, 0.0f),
                   Frx::Pvector(264.0f, 16.0f * static_cast<float>(children) + 20.0f, 0.0f), 0xB2000000);
  const int x = static_cast<int>(anchor.x), y = static_cast<int>(anchor.y);
  draw.Printf2(x, y - 16, 0, 0xFFC8FFC8, "%s\n", item->GetFullName(nullptr).Get());
  const std::string chosen = Chosen();
  int r = 0;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c), ++r)
    draw.Printf2(x, y + 16 * r, 0, chosen == c->GetName() ? 0xFFFFC8C8 : 0xFF6464FF, "%s\n", c->GetName());
}
