#include <time.h>

#include "editor/app/FrameLoop.h"
#include "editor/document/CTireloDoc.h"

namespace FrameLoop {

// The monotonic clock, counted from its first reading so a float keeps
// sub-millisecond steps for days. (<chrono> cannot be compiled to the
// Shift-JIS execution character set.)
float Clock() {
  auto now = [] {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
  };
  static const double start = now();
  return static_cast<float>(now() - start);
}

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
