#include "TestMath.h"

TEST(D3DXView, LookAtLHMapsEyeToOriginAndTargetOntoPositiveZ) {
  const D3DXVECTOR3 eye(3, 4, -5), at(-1, 2, 6), up(0, 1, 0);
  D3DXMATRIX v;
  D3DXMatrixLookAtLH(&v, &eye, &at, &up);
  const D3DXVECTOR3 d = at - eye;
  EXPECT_TRUE(Near(Transform(eye, v), D3DXVECTOR3(0, 0, 0)));
  EXPECT_TRUE(Near(Transform(at, v), D3DXVECTOR3(0, 0, D3DXVec3Length(&d)), 1e-4f));
  {
    // Up stays up, and the camera's right is +x: left-handed.
    const D3DXVECTOR3 above = Transform(eye + D3DXVECTOR3(0, 1, 0), v);
    EXPECT_GT(above.y, 0.0f);
    EXPECT_NEAR(above.x, 0.0f, 1e-5f);
    D3DXVECTOR3 right;
    D3DXVec3Cross(&right, &up, &d);
    EXPECT_GT(Transform(eye + right, v).x, 0.0f);
  }
  {
    // The upper 3x3 is orthonormal and the last column is (0, 0, 0, 1).
    D3DXMATRIX r = v, rt;
    r._41 = r._42 = r._43 = 0.0f;
    D3DXMatrixTranspose(&rt, &r);
    EXPECT_TRUE(Near(r * rt, Identity()));
    EXPECT_EQ(v._14, 0.0f);
    EXPECT_EQ(v._24, 0.0f);
    EXPECT_EQ(v._34, 0.0f);
    EXPECT_EQ(v._44, 1.0f);
  }
}

TEST(D3DXView, LookAtRHPutsTargetOnNegativeZ) {
  const D3DXVECTOR3 eye(1, 1, 1), at(4, 5, 1), up(0, 0, 1);
  D3DXMATRIX v;
  D3DXMatrixLookAtRH(&v, &eye, &at, &up);
  EXPECT_TRUE(Near(Transform(eye, v), D3DXVECTOR3(0, 0, 0)));
  EXPECT_TRUE(Near(Transform(at, v), D3DXVECTOR3(0, 0, -5), 1e-5f));
  EXPECT_GT(Transform(eye + D3DXVECTOR3(0, 0, 1), v).y, 0.0f);
}

TEST(D3DXView, DegenerateLookAtGivesZeroAxesNotNaN) {
  const D3DXVECTOR3 eye(1, 2, 3), zero(0, 0, 0), up(0, 1, 0);
  D3DXMATRIX v;
  {
    // A zero up vector: x and y axes vanish, z survives.
    const D3DXVECTOR3 at(1, 2, 5);
    D3DXMatrixLookAtLH(&v, &eye, &at, &zero);
    EXPECT_EQ(v._11, 0.0f);
    EXPECT_EQ(v._12, 0.0f);
    EXPECT_EQ(v._21, 0.0f);
    EXPECT_EQ(v._33, 1.0f);
    EXPECT_EQ(v._43, -3.0f);
  }
  {
    D3DXMatrixLookAtLH(&v, &eye, &eye, &up);
    for (auto& row : v.m)
      for (float e : row) EXPECT_FALSE(std::isnan(e));
  }
}

TEST(D3DXView, PerspectiveMapsNearAndFarToDepthRange) {
  const float zn = 100.0f, zf = 10000.0f;
  D3DXMATRIX lh, rh;
  D3DXMatrixPerspectiveFovLH(&lh, 0.34906587f, 1.5f, zn, zf);
  D3DXMatrixPerspectiveFovRH(&rh, 0.34906587f, 1.5f, zn, zf);
  EXPECT_NEAR(Transform(D3DXVECTOR3(0, 0, zn), lh).z, 0.0f, 1e-5f);
  EXPECT_NEAR(Transform(D3DXVECTOR3(0, 0, zf), lh).z, 1.0f, 1e-5f);
  EXPECT_NEAR(Transform(D3DXVECTOR3(0, 0, -zn), rh).z, 0.0f, 1e-5f);
  EXPECT_NEAR(Transform(D3DXVECTOR3(0, 0, -zf), rh).z, 1.0f, 1e-5f);
  EXPECT_EQ(lh._34, 1.0f);
  EXPECT_EQ(rh._34, -1.0f);
  {
    // The top edge of the field of view lands on y = 1; x is squeezed by the aspect.
    const float half = 0.34906587f / 2, z = 500.0f;
    const D3DXVECTOR3 top(0, z * std::tan(half), z);
    EXPECT_NEAR(Transform(top, lh).y, 1.0f, 1e-5f);
    const D3DXVECTOR3 side(1.5f * z * std::tan(half), 0, z);
    EXPECT_NEAR(Transform(side, lh).x, 1.0f, 1e-5f);
  }
}

TEST(D3DXView, OrthoMapsBoxToUnitCube) {
  D3DXMATRIX lh, rh;
  D3DXMatrixOrthoLH(&lh, 200, 100, 1, 11);
  D3DXMatrixOrthoRH(&rh, 200, 100, 1, 11);
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(100, 50, 1), lh), D3DXVECTOR3(1, 1, 0)));
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(-100, -50, 11), lh), D3DXVECTOR3(-1, -1, 1)));
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(0, 0, -11), rh), D3DXVECTOR3(0, 0, 1)));
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(0, 0, -1), rh), D3DXVECTOR3(0, 0, 0)));
}
