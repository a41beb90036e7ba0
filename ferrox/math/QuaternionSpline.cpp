#include "ferrox/math/QuaternionSpline.h"

#include <cmath>

#include "ferrox/math/Ptrig.h"

namespace Frx {

Pquaternion QuaternionSlerp(Pquaternion a, Pquaternion b, float t) {
  float c = Dot(a, b);
  if (c >= 1.0f) return a;
  if (c < -1.0f) c = -1.0f;
  if (c > -1.0f + 1e-6f) {
    float s0, s1;
    if (c < 1.0f - 1e-6f) {
      const float omega = std::acos(c);
      const float k = 1.0f / Psin(omega);
      s0 = Psin((1.0f - t) * omega) * k;
      s1 = Psin(omega * t) * k;
    } else {
      s0 = 1.0f - t;
      s1 = t;
    }
    return s0 * a + s1 * b;
  }
  // Nearly opposite: turn through a quaternion perpendicular to a.
  const Pquaternion perp(-a.y, a.x, -a.w, a.z);
  const float s0 = Psin((1.0f - t) * kHalfPi);
  const float s1 = Psin(t * kHalfPi);
  return s0 * a + s1 * perp;
}

Pquaternion Exp(Pquaternion q) {
  const float theta = std::sqrt(Dot(q, q));
  const float s = Psin(theta);
  const float c = Pcos(theta);
  if (std::fabs(s) >= 1e-6f) {
    const float k = s / theta;
    return Pquaternion(q.x * k, q.y * k, q.z * k, c);
  }
  return Pquaternion(q.x, q.y, q.z, c);
}

Pquaternion Log(Pquaternion q) {
  if (std::fabs(q.w) < 1.0f) {
    const float theta = std::acos(q.w);
    const float s = Psin(theta);
    if (std::fabs(s) >= 1e-6f) {
      const float k = theta / s;
      return Pquaternion(q.x * k, q.y * k, q.z * k, 0.0f);
    }
  }
  return Pquaternion(q.x, q.y, q.z, 0.0f);
}

Pquaternion Coeff(Pquaternion q0, Pquaternion q1, Pquaternion q2) {
  const Pquaternion conj(-q1.x, -q1.y, -q1.z, q1.w);
  const Pquaternion sum = Log(conj * q0) + Log(conj * q2);
  return q1 * Exp(-sum / 4.0f);
}

Pquaternion Squad(Pquaternion q1, Pquaternion a, Pquaternion b, Pquaternion q2, float t) {
  return QuaternionSlerp(QuaternionSlerp(q1, q2, t), QuaternionSlerp(a, b, t), 2.0f * t * (1.0f - t));
}

Pquaternion QSpline(Pquaternion q0, Pquaternion q1, Pquaternion q2, Pquaternion q3, float t) {
  return Squad(q1, Coeff(q0, q1, q2), Coeff(q1, q2, q3), q2, t);
}

Pquaternion QBSpline2(Pquaternion q0, Pquaternion q1, Pquaternion q2, float t) {
  const Pquaternion a = QuaternionSlerp(q0, q1, (t + 1.0f) / 2.0f);
  const Pquaternion b = QuaternionSlerp(q1, q2, t / 2.0f);
  return QuaternionSlerp(a, b, t);
}

Pquaternion QBSpline3(Pquaternion q0, Pquaternion q1, Pquaternion q2, Pquaternion q3, float t) {
  const Pquaternion p1 = QuaternionSlerp(q0, q1, (t + 2.0f) / 3.0f);
  const Pquaternion p2 = QuaternionSlerp(q1, q2, (t + 1.0f) / 3.0f);
  const Pquaternion p3 = QuaternionSlerp(q2, q3, t / 3.0f);
  const Pquaternion p4 = QuaternionSlerp(p1, p2, (t + 1.0f) / 2.0f);
  const Pquaternion p5 = QuaternionSlerp(p2, p3, t / 2.0f);
  return QuaternionSlerp(p4, p5, t);
}

}  // namespace Frx
