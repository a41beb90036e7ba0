// KeyStrip: what the motion's key bar (KeyBar) and a control's key row
// (KeyRow) share: a strip of key marks over frames that the user scrubs,
// and whose keys are dragged to other frames (moved, or copied with Shift),
// dropped above the strip to delete them, or let go with a right press.
// Counted: PuiMotion holds the only reference.
#pragma once

#include <utility>
#include <vector>

#include "editor/manip/MouseRecord.h"
#include "ferrox/link/PrefTarget.h"
#include "ferrox/math/Pvector.h"
#include "vocore/item/Ptable.h"

class KeyStrip : public Frx::PrefTarget {
 public:
  // What a press took hold of; it stays until the next left press.
  enum class Grip : int { Scroll, EndMark, Key };

  KeyStrip() = default;
  void DeleteThis() override { delete this; }

  // 0 when (x, y) lies in the rectangle, else NoHit.
  static float HitTest(float x, float y, float left, float top, float width, float height);

  // Rebuilds the marks, then one mouse record: scrubbing, the end mark, key drags.
  void Drag(const MouseRecord& record);

  // The frame of key mark i.
  virtual long KeyFrame(int i) const = 0;
  int KeyCount() const { return frames.size(); }

  // --- geometry, given by the owner before each drag and draw ---
  float left = 0.0f, top = 0.0f, spare = 0.0f;
  int pixelsPerFrame = 8;
  int scroll = -10;
  float width = 0.0f;
  long endFrame = 0;

  // --- state ---
  Ptable<long> frames;
  int selectedKey = -1;  // the key being dragged (set while the left button is down)
  long dragFrame = 0;    // where it would land
  int pressedKey = -1;   // from a left press on a key to its release or a right press
  Frx::Pvector endMark{0.0f, 0.0f, 0.0f};
  std::vector<Frx::Pvector> marks;  // window position of each key mark

 protected:
  // Rebuilds `frames`, the marks and the end mark.
  virtual void Rebuild() = 0;
  // Window y of the key marks, below `top`.
  virtual float MarkOffset() const = 0;
  virtual bool HasEndMark() const { return false; }
  // Whether a left press at (x, y) scrubs.
  virtual bool ScrollHit(float x, float y) const = 0;
  virtual void SetEndFrame(long) {}
  // Key edits at frame `to` from the key at `from`.
  virtual bool KeyExists(long frame) = 0;
  virtual void CopyKeys(long to, long from) = 0;
  virtual void MoveKeys(long to, long from) = 0;
  virtual void DeleteKeys(long frame) = 0;

  // Places the marks of `frames` (see KeyFrame) and the end mark.
  void PlaceMarks() {
    PlaceMarksWith([this](int i) { return KeyFrame(i); });
  }
  // The same with key i's frame from frameOf(i), for a strip that knows it
  // without a virtual call per key.
  template <class FrameOf>
  void PlaceMarksWith(FrameOf frameOf) {
    endMark = Frx::Pvector(FrameX(endFrame), top + 7.0f, 0.0f);
    const int n = frames.size();
    marks.resize(static_cast<size_t>(n));
    const float y = top + MarkOffset();
    inFrameOrder_ = true;
    long last = 0;
    for (int i = 0; i < n; ++i) {
      const long frame = frameOf(i);
      if (i > 0 && frame < last) inFrameOrder_ = false;
      last = frame;
      marks[static_cast<size_t>(i)] = Frx::Pvector(FrameX(frame), y, 0.0f);
    }
  }
  float FrameX(long frame) const {
    return static_cast<float>(static_cast<double>(frame) * pixelsPerFrame + left - scroll);
  }
  // The keys whose mark x may lie in [lo, hi], as indices [first, end): one
  // run when the table is in frame order (as the motion and its controls
  // keep it), else all of them. Callers still test each x.
  std::pair<int, int> KeysBetween(float lo, float hi) const;

 private:
  void Press(const MouseRecord& record);
  void Release(const MouseRecord& record);
  long FrameUnder(float x) const;

  struct Entry {
    Grip grip;
    int key;  // the key mark's index for Grip::Key
  };
  std::vector<Entry> drags_;
  long pressedFrame_ = 0;
  bool inFrameOrder_ = false;  // as of the last PlaceMarks
};
