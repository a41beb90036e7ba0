// KeyRow: the 16-pixel row of one keyed control of the selected item, above
// the motion's key bar. Key edits act on that control only.
#pragma once

#include "editor/timebar/KeyStrip.h"
#include "vocore/item/VoRefer.h"

struct Canvas;
class VoIKeyControlBase;

class KeyRow : public KeyStrip {
 public:
  explicit KeyRow(VoIKeyControlBase* control);

  long KeyFrame(int i) const override;
  // Draws the row at its geometry with the control's keys as they are now.
  void Draw(Canvas& canvas);

  VoRefer<VoIKeyControlBase> control;

 protected:
  void Rebuild() override;
  float MarkOffset() const override { return 8.0f; }
  bool ScrollHit(float x, float y) const override;
  bool KeyExists(long frame) override;
  void CopyKeys(long to, long from) override;
  void MoveKeys(long to, long from) override;
  void DeleteKeys(long frame) override;
};
