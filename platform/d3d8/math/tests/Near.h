// Tolerance checks shared by the D3DX maths tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3d8/math/d3dx8math.h"

inline ::testing::AssertionResult VecNear(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float tol = 1e-5f) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x
                                       << ", " << b.y << ", " << b.z << ")";
}

inline ::testing::AssertionResult QuatNear(const D3DXQUATERNION& a, const D3DXQUATERNION& b,
                                           float tol = 1e-5f) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol &&
      std::fabs(a.w - b.w) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w
                                       << ") vs (" << b.x << ", " << b.y << ", " << b.z << ", " << b.w
                                       << ")";
}

inline ::testing::AssertionResult MatNear(const D3DXMATRIX& a, const D3DXMATRIX& b, float tol = 1e-5f) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!(std::fabs(a.m[i][j] - b.m[i][j]) <= tol))
        return ::testing::AssertionFailure()
               << "element (" << i << ", " << j << "): " << a.m[i][j] << " vs " << b.m[i][j];
  return ::testing::AssertionSuccess();
}

inline D3DXVECTOR3 Transform(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
  D3DXVECTOR3 r;
  D3DXVec3TransformCoord(&r, &v, &m);
  return r;
}

inline D3DXMATRIX Identity() {
  D3DXMATRIX m;
  D3DXMatrixIdentity(&m);
  return m;
}

constexpr float kPi = 3.14159265f;
