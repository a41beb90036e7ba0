#include "editor/app/FrameLoop.h"
#include "editor/document/CTireloDoc.h"

namespace FrameLoop {

void Advance(CTireloDoc& doc, float clock) {
  doc.previousFrame = doc.currentFrame;
  if (!doc.paused) {
    if (doc.realTime) doc.currentFrame += (clock - doc.lastClock) * 0.06f;
    else doc.currentFrame += 1.0f;
  }
  doc.lastClock = clock;
  doc.deferred.clear();
}

}  // namespace FrameLoop
