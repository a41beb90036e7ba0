// Small helpers of the D3DX maths tests; the tolerance checks are the shared ones.
#pragma once

#include "ferrox/testing/Near.h"
#include "platform/d3d8/d3dx8math.h"

using FrxTest::Near;

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
