// Tolerance checks shared by the maths tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "ferrox/math/Pmath.h"

inline ::testing::AssertionResult Near(const Frx::Pvector& a, const Frx::Pvector& b, float tol = 1e-5f) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x
                                       << ", " << b.y << ", " << b.z << ")";
}

inline ::testing::AssertionResult Near(const Frx::Pquaternion& a, const Frx::Pquaternion& b,
                                       float tol = 1e-5f) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol &&
      std::fabs(a.w - b.w) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w
                                       << ") vs (" << b.x << ", " << b.y << ", " << b.z << ", " << b.w
                                       << ")";
}

inline ::testing::AssertionResult Near(const Frx::Pmatrix& a, const Frx::Pmatrix& b, float tol = 1e-5f) {
  for (int i = 0; i < 16; ++i)
    if (!(std::fabs(a[i] - b[i]) <= tol))
      return ::testing::AssertionFailure() << "element " << i << ": " << a[i] << " vs " << b[i];
  return ::testing::AssertionSuccess();
}

// Rotation by `rad` about a unit axis, with the runtime's sine and cosine.
inline Frx::Pquaternion AxisAngle(const Frx::Pvector& axis, float rad) {
  const float s = std::sin(rad / 2);
  return Frx::Pquaternion(axis.x * s, axis.y * s, axis.z * s, std::cos(rad / 2));
}
