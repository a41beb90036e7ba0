#include "vocore/motion/VoIControlVector.h"

#include "vocore/motion/VoKeySpan.h"

Frx::Pvector VoIControlVector::GetValue(float frame) {
  if (keys.empty()) return Frx::Pvector::id;
  const VoKeySpan span = VoFindKeySpan(*this, frame);
  const Frx::Pvector& v1 = keys[span.from].value;
  if (span.hold) return v1;
  const Frx::Pvector& v2 = keys[span.to].value;
  const float s = span.s;
  if (curve == VO_CURVE_LINEAR) return (1.0f - s) * v1 + s * v2;
  const Frx::Pvector& v3 = keys[span.next].value;
  Frx::Pvector out;
  out.Hermite(v1, v2, v2 - v1, v3 - v2, s);
  return out;
}

unsigned long VoIControlVector::GetClassID() { return CLASS_ID; }
