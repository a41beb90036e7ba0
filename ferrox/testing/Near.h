// Tolerance checks for vectors, quaternions and matrices, written for
// EXPECT_TRUE(Near(a, b)): a failure prints both values. Header only and over
// the D3DX types (the base library's maths derives from them), so the Direct3D
// stand-in's tests use it without linking the base library.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3d8/d3dx8math.h"

namespace FrxTest {

constexpr float kTolerance = 1e-5f;

inline ::testing::AssertionResult Near(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float tol = kTolerance) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", "
                                       << b.y << ", " << b.z << ")";
}

inline ::testing::AssertionResult Near(const D3DXQUATERNION& a, const D3DXQUATERNION& b,
                                       float tol = kTolerance) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol &&
      std::fabs(a.w - b.w) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w << ") vs ("
                                       << b.x << ", " << b.y << ", " << b.z << ", " << b.w << ")";
}

inline ::testing::AssertionResult Near(const D3DXMATRIX& a, const D3DXMATRIX& b, float tol = kTolerance) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!(std::fabs(a.m[i][j] - b.m[i][j]) <= tol))
        return ::testing::AssertionFailure()
               << "element (" << i << ", " << j << "): " << a.m[i][j] << " vs " << b.m[i][j];
  return ::testing::AssertionSuccess();
}

// The same rotation: q and -q turn alike, so only |dot| is compared with one.
inline ::testing::AssertionResult SameRotation(const D3DXQUATERNION& a, const D3DXQUATERNION& b,
                                               float tol = kTolerance) {
  const float dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  if (std::fabs(std::fabs(dot) - 1.0f) <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w << ") vs ("
                                       << b.x << ", " << b.y << ", " << b.z << ", " << b.w << ")";
}

}  // namespace FrxTest
