#include "vocore/motion/VoKeySpan.h"

#include <cmath>

#include "vocore/motion/VoIKeyControl.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/motion/VoKeyFrame.h"


VoKeySpan VoFindKeySpan(VoIKeyControlBase& control, float x) {
  const long n = control.GetKeySize();
  long end = 0;
  int loop = 0;
  if (VoIMotion* motion = control.GetBelongMotion()) {
    end = motion->endframe;
    loop = motion->loop;
  }
  if (std::isnan(x)) x = 0.0f;
  auto map = [&](long j) -> int {
    if (loop) return static_cast<int>(((j % n) + n) % n);
    return static_cast<int>(j < 0 ? 0 : (j >= n ? n - 1 : j));
  };
  const long i = control.GetKeyIndex(VoTruncFrame(x));
  VoKeySpan span{map(i - 1), map(i), map(i + 1), map(i + 2), 0.0f, false};
  const long f0 = control.GetKeyFrame(static_cast<unsigned>(span.from));
  const long f1 = control.GetKeyFrame(static_cast<unsigned>(span.to));
  // Float arithmetic throughout, as the curve maths expects.
  float d = static_cast<float>(f1 - f0);
  float at = x;
  if (f1 == f0) {
    span.hold = true;
    return span;
  }
  if (f1 < f0) {
    d = static_cast<float>(end - f0);
    if (loop) {
      d += static_cast<float>(f1);
      if (at < static_cast<float>(f0)) at += static_cast<float>(end);
    }
  }
  // Only the zero-length seam holds; a key past the end frame gives a
  // negative span, evaluated as it stands.
  if (d == 0.0f) {
    span.hold = true;
    return span;
  }
  span.s = (at - static_cast<float>(f0)) / d;
  return span;
}
