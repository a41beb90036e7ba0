#include "editor/extend/GuiBone.h"

#include <optional>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/BoneGrab.h"
#include "editor/manip/PoseEdits.h"
#include "editor/manip/draw/ItemShapes.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISiblingBone.h"

namespace {

bool LeftHeld(const MouseRecord& r) {
  return (r.buttons & MouseRecord::LeftDown) && !(r.buttons & MouseRecord::RightDown);
}

bool Moved(const MouseRecord& r) { return r.dx != 0.0f || r.dy != 0.0f || r.dz != 0.0f; }

}  // namespace

GuiBone::GuiBone(VoIBone* bone, int mask) : GuiSkeletonItem(bone, mask) {}

VoIBone* GuiBone::Bone() const { return item ? item->IsBone() : nullptr; }

float GuiBone::HitTest(float x, float y, int) {
  if (HitManipulator(x, y)) return 0.0f;
  return BoneGrab::HitTest(Bone(), Companion::CurrentScreen(), Companion::HandleRadius(), x, y);
}

bool GuiBone::Press(const MouseRecord& r, Frx::Pvector* world) {
  const ScreenMap screen = Companion::CurrentScreen();
  VoIBone* bone = Bone();
  if (BoneGrab::HitTest(bone, screen, Companion::HandleRadius(), r.x, r.y) == NoHit ||
      !BoneGrab::Grab(bone, screen, r.x, r.y, &grab, world)) {
    dragState = 0;
    return false;
  }
  // Taking hold edits nothing: a click that does not move keys nothing.
  dragState = 1;
  return true;
}

bool GuiBone::MoveGrab(const MouseRecord& r, Frx::Pvector* world) {
  if (!Moved(r) || dragState != 1) return false;
  grab.x += r.dx;
  grab.y += r.dy;
  return Companion::CurrentScreen().Unproject(grab, world);
}

void GuiBone::Drag(MouseRecord r) {
  VoIBone* bone = Bone();
  if (!bone || !IsSelected() || !Manipulator()) return;
  const bool act = DragManipulator(r);
  if (Manipulator()->active != Handle::None) {
    if (act) PoseEdits::RotateBone(bone, Manipulator()->targetRotation, Companion::Keying());
    return;
  }
  // The press grabs the point under the pointer; the grab follows the
  // pointer from the next record on. Only an aimed bone re-aims: an edit
  // made elsewhere must not be redone by a mere press or move.
  Frx::Pvector world;
  if (r.LeftPressed() && !(r.buttons & MouseRecord::RightDown)) {
    Press(r, &world);
  } else if (MoveGrab(r, &world) && LeftHeld(r)) {
    PoseEdits::AimBone(bone, world, Companion::Keying());
    bone->ConvRotateW2L(0);
  }
  PoseEdits::TwistBone(bone, r.wheel, Companion::Keying());
}

void GuiBone::Draw() {
  DrawManipulator();
  if (std::optional<Canvas> canvas = Companion::CurrentCanvas()) DrawBoneShape(*canvas, Bone());
}

GuiSiblingBone::GuiSiblingBone(VoISiblingBone* bone) : GuiBone(bone, Handle::Translate | Handle::Rotate) {}

void GuiSiblingBone::Drag(MouseRecord r) {
  VoIBone* bone = Bone();
  if (!bone || !IsSelected() || !Manipulator()) return;
  const bool act = DragManipulator(r);
  if (Manipulator()->active != Handle::None) {
    if (act)
      PoseEdits::MoveSiblingBone(bone, Manipulator()->targetPosition, Frx::Pvector(0.0f, 0.0f, 0.0f),
                                 Companion::Keying());
    return;
  }
  Frx::Pvector world;
  if (r.LeftPressed() && !(r.buttons & MouseRecord::RightDown)) {
    if (Press(r, &world)) grabOwn = bone->GetMatrixL2W().GetInverse() * world;
  } else if (MoveGrab(r, &world) && LeftHeld(r)) {
    PoseEdits::MoveSiblingBone(bone, world, grabOwn, Companion::Keying());
  }
  PoseEdits::TwistBone(bone, r.wheel, Companion::Keying());
}

void GuiSiblingBone::Draw() {
  DrawManipulator();
  if (std::optional<Canvas> canvas = Companion::CurrentCanvas()) DrawSiblingBoneShape(*canvas, Bone());
}
