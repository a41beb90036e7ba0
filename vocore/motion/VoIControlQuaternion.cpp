#include "vocore/motion/VoIControlQuaternion.h"

#include "ferrox/math/QuaternionSpline.h"
#include "vocore/motion/VoKeySpan.h"

Frx::Pquaternion VoIControlQuaternion::GetValue(float frame) {
  if (keys.empty()) return Frx::Pquaternion::id;
  const VoKeySpan span = VoFindKeySpan(*this, frame);
  if (span.hold) return keys[span.from].value;
  const float s = span.s;
  if (curve == VO_CURVE_SPLINE || curve == VO_CURVE_BLEND) {
    // Each key is turned to the hemisphere of the one before it, so the
    // curve takes the short way.
    const Frx::Pquaternion q0 = keys[span.prev].value;
    const Frx::Pquaternion q1 = Frx::Flip(q0, keys[span.from].value);
    const Frx::Pquaternion q2 = Frx::Flip(q1, keys[span.to].value);
    const Frx::Pquaternion q3 = Frx::Flip(q2, keys[span.next].value);
    if (curve == VO_CURVE_SPLINE) return Frx::QSpline(q0, q1, q2, q3, s);
    const float s2 = s * s, s3 = s2 * s;
    const float w0 = (-s3 + 2.0f * s2 - s) / 2.0f;
    const float w1 = (3.0f * s3 - 5.0f * s2 + 2.0f) / 2.0f;
    const float w2 = (-3.0f * s3 + 4.0f * s2 + s) / 2.0f;
    const float w3 = (s3 - s2) / 2.0f;
    return Frx::Normalize(w3 * q3 + w2 * q2 + w1 * q1 + w0 * q0);
  }
  Frx::Pquaternion out;
  out.Slerp(keys[span.from].value, keys[span.to].value, s);
  return out.Unit();
}

unsigned long VoIControlQuaternion::GetClassID() { return CLASS_ID; }
