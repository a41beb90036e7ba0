#include "editor/extend/GuiLocate.h"

#include <optional>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/PoseEdits.h"
#include "editor/manip/draw/ItemShapes.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoIWLocate.h"

GuiLocate::GuiLocate(VoILocate* locate, int mask) : GuiSkeletonItem(locate, mask) {}

float GuiLocate::HitTest(float x, float y, int) {
  if (HitManipulator(x, y)) return 0.0f;
  return HitMark(x, y);
}

void GuiLocate::Drag(MouseRecord r) {
  if (!IsSelected() || !Manipulator()) return;
  if (DragManipulator(r)) PoseEdits::MoveLocate(Locate(), Manipulator()->targetPosition, Companion::Keying());
}

void GuiLocate::Draw() {
  DrawManipulator();
  if (std::optional<Canvas> canvas = Companion::CurrentCanvas()) DrawLocateMark(*canvas, Locate());
}

GuiCoordinate::GuiCoordinate(VoICoordinate* coordinate)
    : GuiLocate(coordinate, Handle::Translate | Handle::Rotate) {}

void GuiCoordinate::Drag(MouseRecord r) {
  if (!IsSelected() || !Manipulator()) return;
  if (!DragManipulator(r)) return;
  GuiManipulator* m = Manipulator();
  PoseEdits::MoveCoordinate(Locate()->IsCoordinate(), m->active, m->targetPosition, m->targetRotation,
                            Companion::Keying());
}

void GuiCoordinate::Draw() {
  DrawManipulator();
  if (std::optional<Canvas> canvas = Companion::CurrentCanvas()) {
    DrawLocateMark(*canvas, Locate());
    DrawCoordinateAxes(*canvas, Locate()->IsCoordinate());
  }
}

GuiWLocate::GuiWLocate(VoIWLocate* locate) : GuiLocate(locate, Handle::Translate) {}

void GuiWLocate::Drag(MouseRecord r) {
  if (!IsSelected() || !Manipulator()) return;
  VoIWLocate* locate = Locate()->IsWLocate();
  if (DragManipulator(r)) PoseEdits::MoveWLocate(locate, Manipulator()->targetPosition, Companion::Keying());
  const uint32_t middlePress = MouseRecord::MiddleDown | MouseRecord::MiddleChanged;
  if ((r.buttons & middlePress) == middlePress) locate->SetFix(locate->IsFix() ? 0 : 1);
}

void GuiWLocate::Draw() {
  DrawManipulator();
  if (std::optional<Canvas> canvas = Companion::CurrentCanvas()) DrawWLocateMark(*canvas, Locate()->IsWLocate());
}
