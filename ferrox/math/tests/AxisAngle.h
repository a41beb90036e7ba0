// A rotation built from first principles, to check the maths against.
#pragma once

#include <cmath>

#include "ferrox/math/Pmath.h"

// Rotation by `rad` about a unit axis, with the runtime's sine and cosine.
inline Frx::Pquaternion AxisAngle(const Frx::Pvector& axis, float rad) {
  const float s = std::sin(rad / 2);
  return Frx::Pquaternion(axis.x * s, axis.y * s, axis.z * s, std::cos(rad / 2));
}
