// Euler angle conversions of Pquaternion (degrees).
#include <algorithm>
#include <cmath>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Ptrig.h"

namespace Frx {

namespace {

struct HalfAngles {
  float cx, sx, cy, sy, cz, sz;

  explicit HalfAngles(const Pvector& deg) {
    const float hx = deg.x * kPi * kInv360, hy = deg.y * kPi * kInv360, hz = deg.z * kPi * kInv360;
    cx = Pcos(hx);
    sx = Psin(hx);
    cy = Pcos(hy);
    sy = Psin(hy);
    cz = Pcos(hz);
    sz = Psin(hz);
  }
};

float ToDegrees(float rad) { return rad * 180.0f * kInvPi; }

// Sine of the Y angle. A unit quaternion at gimbal lock can round to just
// over 1 here; clamped, it takes the gimbal branch instead of going NaN.
float PitchSine(const Pquaternion& q) { return std::clamp(2.0f * (q.w * q.y - q.x * q.z), -1.0f, 1.0f); }

}  // namespace

Pquaternion& Pquaternion::SetEulerXYZ(const Pvector& deg) {
  const HalfAngles h(deg);
  x = h.sx * h.cy * h.cz - h.cx * h.sy * h.sz;
  y = h.cx * h.sy * h.cz + h.sx * h.cy * h.sz;
  z = h.cx * h.cy * h.sz - h.sx * h.sy * h.cz;
  w = h.cx * h.cy * h.cz + h.sx * h.sy * h.sz;
  return *this;
}

Pquaternion& Pquaternion::SetEuler(const Pvector& deg, const Pquaternion& sign) {
  const HalfAngles h(deg);
  x = h.sx * h.cy * h.cz + sign.x * h.cx * h.sy * h.sz;
  y = h.cx * h.sy * h.cz + sign.y * h.sx * h.cy * h.sz;
  z = h.cx * h.cy * h.sz + sign.z * h.sx * h.sy * h.cz;
  w = h.cx * h.cy * h.cz + sign.w * h.sx * h.sy * h.sz;
  return *this;
}

Pvector Pquaternion::GetEulerXYZ() const {
  const float m = PitchSine(*this);
  const float ay = std::atan2(m, std::sqrt(1.0f - m * m));
  float ax, az;
  if (m != 1.0f && m != -1.0f) {
    ax = std::atan2(2.0f * (w * x + y * z), 1.0f - 2.0f * (x * x + y * y));
    az = std::atan2(2.0f * (w * z + x * y), 1.0f - 2.0f * (y * y + z * z));
  } else {
    ax = std::atan2(2.0f * (w * x - y * z), 1.0f - 2.0f * (x * x + z * z));
    az = 0.0f;
  }
  return Pvector(ToDegrees(ax), ToDegrees(ay), ToDegrees(az));
}

Pvector Pquaternion::GetEulerZYX() const {
  const float m = PitchSine(*this);
  const float ay = std::atan2(m, std::sqrt(1.0f - m * m));
  float ax, az;
  if (m != 1.0f && m != -1.0f) {
    ax = std::atan2(2.0f * (w * x + y * z), 1.0f - 2.0f * (x * x + y * y));
    az = std::atan2(2.0f * (w * z + x * y), 1.0f - 2.0f * (y * y + z * z));
  } else {
    ax = 0.0f;
    az = std::atan2(2.0f * (w * z - x * y), 1.0f - 2.0f * (x * x + z * z));
  }
  return Pvector(ToDegrees(ax), ToDegrees(ay), ToDegrees(az));
}

}  // namespace Frx
