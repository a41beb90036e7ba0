// GuiSkeletonItem: what the five skeleton companions share. While its item is
// the document's selected item it owns a GuiManipulator (made by OnSelect
// with the class's handles, dropped by OnDeselect) and draws it with its
// read-out; every operation first checks the selection, because every
// companion of a character receives every mouse record.
#pragma once

#include "editor/extend/ItemGui.h"
#include "editor/manip/GuiManipulator.h"
#include "vocore/item/VoRefer.h"

class VoILocate;

class GuiSkeletonItem : public ItemGui {
 public:
  // `mask`: the handles the manipulator enables (Handle::Translate, Rotate).
  GuiSkeletonItem(VoILocate* locate, int mask);

  // Makes the manipulator when there is no live one; the mode is not read.
  void OnSelect(int mode) override;
  void OnDeselect() override;

  VoILocate* Locate() const;
  // The live manipulator; null while the item is not selected.
  GuiManipulator* Manipulator() const { return manipulator.Get(); }

  VoRefer<GuiManipulator> manipulator;

 protected:
  bool IsSelected() const;
  // The manipulator's hit test while selected: true (active handle set) on a hit.
  bool HitManipulator(float x, float y);
  // Window depth of the item's position when within HandleRadius of (x, y).
  float HitMark(float x, float y) const;
  // Runs the manipulator's drag; true when a handle is active, the pointer
  // has moved since the press, and the left button is down (right up) or the
  // drag changed the target.
  bool DragManipulator(const MouseRecord& record);
  // The manipulator's handles and read-out while selected.
  void DrawManipulator();

 private:
  int mask_;
};
