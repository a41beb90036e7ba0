#include "editor/extend/GuiSkeletonItem.h"

#include <cmath>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/ReadOut.h"
#include "editor/manip/draw/HandlesDraw.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/vocore/VoMaster.h"

GuiSkeletonItem::GuiSkeletonItem(VoILocate* locate, int mask) : ItemGui(locate), mask_(mask) {}

VoILocate* GuiSkeletonItem::Locate() const { return item ? item->IsLocate() : nullptr; }

bool GuiSkeletonItem::IsSelected() const { return Companion::IsSelected(item); }

void GuiSkeletonItem::OnSelect(int) {
  if (!manipulator.Get()) manipulator = new GuiManipulator(mask_);
}

void GuiSkeletonItem::OnDeselect() { manipulator.Clear(); }

bool GuiSkeletonItem::HitManipulator(float x, float y) {
  GuiManipulator* m = manipulator.Get();
  if (!m || !IsSelected()) return false;
  return m->HitTest(Locate(), Companion::CurrentScreen(), Companion::HandleRadius(), x, y) != NoHit;
}

float GuiSkeletonItem::HitMark(float x, float y) const {
  VoILocate* locate = Locate();
  Frx::Pvector p;
  if (!locate || !Companion::CurrentScreen().Project(locate->GetWPos(), &p)) return NoHit;
  const float radius = Companion::HandleRadius();
  return std::fabs(x - p.x) <= radius && std::fabs(y - p.y) <= radius ? p.z : NoHit;
}

bool GuiSkeletonItem::DragManipulator(const MouseRecord& r) {
  GuiManipulator* m = manipulator.Get();
  if (!m) return false;
  const int changed = m->Drag(Locate(), Companion::CurrentScreen(), Companion::HandleRadius(), r);
  if (m->active == Handle::None || !m->Moved()) return false;
  const bool held = (r.buttons & MouseRecord::LeftDown) && !(r.buttons & MouseRecord::RightDown);
  return held || changed;
}

void GuiSkeletonItem::DrawManipulator() {
  GuiManipulator* m = manipulator.Get();
  VoILocate* locate = Locate();
  if (!m || !locate || !IsSelected()) return;
  std::optional<Canvas> canvas = Companion::CurrentCanvas();
  if (!canvas) return;
  m->orientation = GuiManipulator::Orientation(locate, Companion::EditSpace());
  const Frx::Pvector origin = GuiManipulator::Origin(locate);
  DrawHandles(*canvas, *m, &m->orientation, origin);
  Frx::Pvector at;
  if (!canvas->Screen().Project(origin, &at)) return;
  // Between drags the read-out shows where the item is; during one, where
  // the drag takes it.
  Frx::Pvector position = origin;
  Frx::Pquaternion rotation(0.0f, 0.0f, 0.0f, 1.0f);
  if (locate->IsCoordinate()) rotation.SetMatrix(locate->GetMatrixL2W());
  if (m->Dragging()) position = m->targetPosition, rotation = m->targetRotation;
  VoMaster* master = VoMaster::This();
  const char* className = master ? master->GetClassNameA(locate->GetClassID()) : nullptr;
  DrawReadOut(*canvas, LayoutReadOut(className, locate->GetName(), at, m->enabled, position, rotation));
}
