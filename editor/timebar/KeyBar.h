// KeyBar: the key bar of a motion, 32 pixels tall above the time bar: one
// mark per frame that holds keys (blue where a Bool control not named
// "dummy" has one), the current frame, and the end mark that sets the
// motion's length. Key edits act on every control of the motion at once.
#pragma once

#include <cstdint>

#include "editor/timebar/KeyStrip.h"
#include "vocore/item/VoRefer.h"

struct Canvas;
class VoIMotion;

class KeyBar : public KeyStrip {
 public:
  explicit KeyBar(VoIMotion* motion);

  long KeyFrame(int i) const override;
  // Draws the bar at its geometry; a table older than the motion's keys (by
  // their summary or the document's count of key edits) is rebuilt first.
  void Draw(Canvas& canvas);

  VoRefer<VoIMotion> motion;

 protected:
  void Rebuild() override;
  float MarkOffset() const override { return 16.0f; }
  bool HasEndMark() const override { return true; }
  bool ScrollHit(float x, float y) const override;
  void SetEndFrame(long frame) override;
  bool KeyExists(long frame) override;
  void CopyKeys(long to, long from) override;
  void MoveKeys(long to, long from) override;
  void DeleteKeys(long frame) override;

 private:
  // A cheap summary of the motion's keys: counts and end frames per control.
  uint64_t KeySignature() const;
  uint64_t signature_ = ~uint64_t{0};
  unsigned edits_ = 0;
};
