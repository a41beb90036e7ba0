// GuiManipulator: the handles a selected skeleton item wears in the view (a
// centre, three axes to move along, three rings to turn about) and what a
// drag on them makes of the item's world position and rotation. It is a job
// over its inputs: the item, the frame's window mapping and the handle
// radius; it never touches the device (its handles' window positions come
// from the last draw, see StoreLayout) and never edits the item: the
// companion applies TargetPosition/TargetRotation (PoseEdits.h).
// Counted: the companion holds the only reference.
#pragma once

#include "editor/manip/HandleLayout.h"
#include "editor/manip/MouseRecord.h"
#include "editor/manip/ScreenMap.h"
#include "ferrox/link/PrefTarget.h"
#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"

class VoILocate;

class GuiManipulator : public Frx::PrefTarget {
 public:
  // `mask`: Handle::Translate (centre and axes) and/or Handle::Rotate (rings).
  explicit GuiManipulator(int mask);
  void DeleteThis() override { delete this; }

  // The orientation of edit space `space` (0 local, 1 parent, 2 world) for
  // `item`, translation cleared.
  static Frx::Pmatrix Orientation(VoILocate* item, int space);
  // The world position the handles sit at: the origin of the item's world matrix.
  static Frx::Pvector Origin(VoILocate* item);

  // Takes the handles' window positions of the last draw.
  void StoreLayout(const HandleLayout& layout);

  // 0 with the hit handle active, or NoHit with none active. The
  // centre is tested at the item's projected origin, the others where the
  // last draw put them; the first hit in the order 1, 3 ... 8 wins.
  float HitTest(VoILocate* item, const ScreenMap& map, float radius, float x, float y);
  // One mouse record: a left press takes a handle; a move with the left button
  // grows the active handle's offsets; Shift snaps, Z resets. 1 when the
  // target changed in this call.
  int Drag(VoILocate* item, const ScreenMap& map, float radius, const MouseRecord& record);
  // Whether a handle drag (press on a handle, left button still down) is on.
  bool Dragging() const { return dragging_; }
  // Whether the pointer moved with the left button down since the last press:
  // a click that does not move edits nothing.
  bool Moved() const { return moved_; }

  // --- state, in the order the manipulator was always laid out ---
  Frx::Pmatrix orientation = Frx::Pmatrix::id;
  Frx::Pmatrix pressOrientation = Frx::Pmatrix::id;
  Frx::Pmatrix pressInverse = Frx::Pmatrix::id;
  int active = Handle::None;
  int enabled;
  Frx::Pvector screen[Handle::Slots];
  Frx::Pvector projectedStart{0.0f, 0.0f, 0.0f};
  Frx::Pvector startPosition{0.0f, 0.0f, 0.0f};
  Frx::Pvector pressPoint{0.0f, 0.0f, 0.0f};
  float translation[3] = {0.0f, 0.0f, 0.0f};
  Frx::Pquaternion relativeRotation{0.0f, 0.0f, 0.0f, 1.0f};
  float rotation[3] = {0.0f, 0.0f, 0.0f};
  Frx::Pquaternion targetRotation{0.0f, 0.0f, 0.0f, 1.0f};
  Frx::Pvector targetPosition{0.0f, 0.0f, 0.0f};
  int spare = 0;

 private:
  void Press(VoILocate* item, const ScreenMap& map);
  // The world point under window (x, y) at the depth of the projected start.
  bool PointerInWorld(const ScreenMap& map, float x, float y, Frx::Pvector* world) const;
  bool dragging_ = false;
  bool moved_ = false;
};
