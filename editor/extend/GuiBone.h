// The companions of bones and sibling bones. A press on the selected bone
// grabs the point of it under the pointer; dragging aims the bone there (FK),
// or for a sibling bone moves it and relaxes the springs around it; the wheel
// twists it about its own Z; the rings turn it.
#pragma once

#include "editor/extend/GuiSkeletonItem.h"
#include "ferrox/math/Pvector.h"

class VoIBone;
class VoISiblingBone;

class GuiBone : public GuiSkeletonItem {
 public:
  explicit GuiBone(VoIBone* bone, int mask = Handle::Rotate);
  const char* GetName() override { return "GUI-Bone"; }
  // The manipulator first while selected; then the bone's ellipse.
  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;

  VoIBone* Bone() const;

  // The grab point in window pixels (z: its projected depth).
  Frx::Pvector grab{0.0f, 0.0f, 0.0f};
  // 1 from a press on the bone to a press that misses it.
  int dragState = 0;

 protected:
  // A press on the bone: grabs it (true) or lets go of it.
  bool Press(const MouseRecord& record, Frx::Pvector* world);
  // Moves the grab point with the pointer; its world point, or false.
  bool MoveGrab(const MouseRecord& record, Frx::Pvector* world);
};

class GuiSiblingBone : public GuiBone {
 public:
  explicit GuiSiblingBone(VoISiblingBone* bone);
  const char* GetName() override { return "GUI-SiblingBone"; }
  void Drag(MouseRecord record) override;
  void Draw() override;

  // The grab point in the bone's own coordinates.
  Frx::Pvector grabOwn{0.0f, 0.0f, 0.0f};
};
