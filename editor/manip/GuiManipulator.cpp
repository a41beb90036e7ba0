#include "editor/manip/GuiManipulator.h"

#include <cmath>

#include "editor/manip/NoHit.h"
#include "editor/manip/Snap.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"

namespace {

bool Within(float x, float y, const Frx::Pvector& p, float radius) {
  return std::fabs(x - p.x) <= radius && std::fabs(y - p.y) <= radius;
}

Frx::Pquaternion RotationOf(const Frx::Pmatrix& m) {
  Frx::Pquaternion q;
  q.SetMatrix(m);
  return q;
}

}  // namespace

GuiManipulator::GuiManipulator(int mask) : enabled(mask) {
  for (Frx::Pvector& slot : screen) slot = Handle::OffScreen;
}

Frx::Pmatrix GuiManipulator::Orientation(VoILocate* item, int space) {
  Frx::Pmatrix m = Frx::Pmatrix::id;
  if (item && space == 0) {
    if (VoICoordinate* local = item->GetLocalCoordinate()) m = local->GetMatrixL2W();
  } else if (item && space == 1) {
    m = item->GetParentMatrix();
  }
  m.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  return m;
}

Frx::Pvector GuiManipulator::Origin(VoILocate* item) { return item ? item->GetWPos() : Frx::Pvector(0.0f); }

void GuiManipulator::StoreLayout(const HandleLayout& layout) {
  screen[Handle::Centre] = layout.screen[Handle::Centre];
  for (int handle = Handle::AxisX; handle <= Handle::RingZ; ++handle) screen[handle] = layout.screen[handle];
}

float GuiManipulator::HitTest(VoILocate* item, const ScreenMap& map, float radius, float x, float y) {
  active = Handle::None;
  if (enabled & Handle::Translate) {
    Frx::Pvector origin;
    if (map.Project(Origin(item), &origin) && Within(x, y, origin, radius)) {
      active = Handle::Centre;
      return 0.0f;
    }
  }
  for (int handle = Handle::AxisX; handle <= Handle::RingZ; ++handle) {
    const int bit = handle <= Handle::AxisZ ? Handle::Translate : Handle::Rotate;
    if (!(enabled & bit)) continue;
    if (Within(x, y, screen[handle], radius)) {
      active = handle;
      return 0.0f;
    }
  }
  return NoHit;
}

bool GuiManipulator::PointerInWorld(const ScreenMap& map, float x, float y, Frx::Pvector* world) const {
  return map.Unproject(Frx::Pvector(x, y, projectedStart.z), world);
}

void GuiManipulator::Press(VoILocate* item, const ScreenMap& map) {
  pressOrientation = orientation;
  pressInverse = orientation.GetInverse();
  startPosition = Origin(item);
  for (float& t : translation) t = 0.0f;
  if (item->IsCoordinate()) {
    // The item's world rotation seen from the orientation's frame, so a ring
    // turns it about the edit space's axes whatever that space is.
    relativeRotation = RotationOf(pressInverse) * RotationOf(item->GetMatrixL2W());
    for (float& r : rotation) r = 0.0f;
  }
  if (!map.Project(startPosition, &projectedStart)) projectedStart = Frx::Pvector(0.0f, 0.0f, 0.0f);
  // pressPoint is set by the caller with the pointer.
}

int GuiManipulator::Drag(VoILocate* item, const ScreenMap& map, float radius, const MouseRecord& r) {
  if (!item) return 0;
  int changed = 0;
  const bool leftDown = (r.buttons & MouseRecord::LeftDown) != 0;
  const bool rightDown = (r.buttons & MouseRecord::RightDown) != 0;
  if (r.LeftPressed() && !rightDown) {
    HitTest(item, map, radius, r.x, r.y);
    dragging_ = active != Handle::None;
    moved_ = false;
    if (dragging_) {
      Press(item, map);
      if (!PointerInWorld(map, r.x, r.y, &pressPoint)) pressPoint = startPosition;
    }
  }
  if (!leftDown || rightDown) dragging_ = false;
  if (leftDown && !rightDown) {
    if (r.dx != 0.0f || r.dy != 0.0f) moved_ = true;
    const float step = r.dx + r.dy * 0.1f;
    if (active == Handle::Centre) {
      Frx::Pvector now;
      if (PointerInWorld(map, r.x, r.y, &now)) {
        const Frx::Pvector d = now - pressPoint;
        translation[0] = d.x, translation[1] = d.y, translation[2] = d.z;
      }
    } else if (active >= Handle::AxisX && active <= Handle::AxisZ) {
      translation[active - Handle::AxisX] += step;
    } else if (active >= Handle::RingX && active <= Handle::RingZ) {
      rotation[active - Handle::RingX] += step;
    }
    changed = 1;
  }
  // The stored offsets keep the raw movement; snapping and resets work on copies.
  float t[3] = {translation[0], translation[1], translation[2]};
  float a[3] = {rotation[0], rotation[1], rotation[2]};
  if (r.IsKeyHeld(MouseRecord::KeyShift)) {
    if (active == Handle::Centre)
      for (float& v : t) v = SnapTranslation(v);
    else if (active >= Handle::AxisX && active <= Handle::AxisZ)
      t[active - Handle::AxisX] = SnapTranslation(t[active - Handle::AxisX]);
    else if (active >= Handle::RingX && active <= Handle::RingZ)
      a[active - Handle::RingX] = SnapRotation(a[active - Handle::RingX]);
    changed = 1;
  }
  if (r.IsKeyHeld(MouseRecord::KeyZ)) {
    if (active == Handle::Centre) {
      startPosition = Frx::Pvector(0.0f, 0.0f, 0.0f);
      t[0] = t[1] = t[2] = 0.0f;
    } else if (active >= Handle::AxisX && active <= Handle::AxisZ) {
      startPosition[active - Handle::AxisX] = 0.0f;
      t[active - Handle::AxisX] = 0.0f;
    } else if (active >= Handle::RingX && active <= Handle::RingZ) {
      a[active - Handle::RingX] = 0.0f;
    }
    changed = 1;
  }
  if (active == Handle::None || active == 2) return changed;
  const Frx::Pvector offset(t[0], t[1], t[2]);
  if (active == Handle::Centre) {
    targetPosition = startPosition + offset;
    return changed;
  }
  Frx::Pmatrix turn = pressOrientation;
  turn.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  targetPosition = startPosition + turn * offset;
  Frx::Pquaternion euler;
  euler.SetEulerXYZ(Frx::Pvector(a[0], a[1], a[2]));
  targetRotation = (RotationOf(pressOrientation) * euler) * relativeRotation;
  return changed;
}
