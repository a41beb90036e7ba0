#include <time.h>

#include "editor/view/FramePieces.h"

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

}  // namespace FrameLoop
