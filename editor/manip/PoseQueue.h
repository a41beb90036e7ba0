// PoseQueue: where pose edits go to be keyed. In the editor it is the
// document's auto-key queue (the next frame keys the item's character at the
// current frame); tests record what was queued.
#pragma once

class VoIItem;

class PoseQueue {
 public:
  virtual void Queue(VoIItem* item) = 0;

 protected:
  ~PoseQueue() = default;
};
