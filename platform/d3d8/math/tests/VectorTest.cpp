#include "TestMath.h"

TEST(D3DXVec3, BasicAlgebra) {
  const D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0);
  {
    D3DXVECTOR3 c;
    D3DXVec3Cross(&c, &x, &y);
    EXPECT_TRUE(Near(c, D3DXVECTOR3(0, 0, 1)));
    D3DXVECTOR3 a(1, 2, 3);
    const D3DXVECTOR3 b(-4, 5, 0.5f);
    D3DXVec3Cross(&a, &a, &b);  // aliased output
    EXPECT_TRUE(Near(a, D3DXVECTOR3(2 * 0.5f - 3 * 5, 3 * -4 - 1 * 0.5f, 1 * 5 - 2 * -4)));
  }
  {
    const D3DXVECTOR3 v(3, 4, 12);
    EXPECT_FLOAT_EQ(D3DXVec3Length(&v), 13.0f);
    EXPECT_FLOAT_EQ(D3DXVec3Dot(&v, &v), 169.0f);
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, &v);
    EXPECT_TRUE(Near(n, D3DXVECTOR3(3.0f / 13, 4.0f / 13, 12.0f / 13)));
  }
  {
    // A zero vector normalises to zero, not NaN: look-at with a zero up relies on it.
    const D3DXVECTOR3 z(0, 0, 0);
    D3DXVECTOR3 n(7, 7, 7);
    D3DXVec3Normalize(&n, &z);
    EXPECT_EQ(n, z);
  }
}

TEST(D3DXVec3, TransformCoordDividesByWAndNormalIgnoresTranslation) {
  D3DXMATRIX m;
  D3DXMatrixTranslation(&m, 10, 20, 30);
  const D3DXVECTOR3 v(1, 2, 3);
  {
    EXPECT_TRUE(Near(Transform(v, m), D3DXVECTOR3(11, 22, 33)));
    D3DXVECTOR3 n;
    D3DXVec3TransformNormal(&n, &v, &m);
    EXPECT_TRUE(Near(n, v));
  }
  {
    // w = 2 halves the result.
    D3DXMATRIX h = Identity();
    h._44 = 2.0f;
    EXPECT_TRUE(Near(Transform(v, h), D3DXVECTOR3(0.5f, 1, 1.5f)));
    D3DXVECTOR4 r;
    D3DXVec3Transform(&r, &v, &h);
    EXPECT_EQ(r, D3DXVECTOR4(1, 2, 3, 2));
  }
}

TEST(D3DXVec3, ProjectAndUnprojectRoundTrip) {
  const D3DVIEWPORT8 vp{10, 20, 640, 480, 0.0f, 1.0f};
  D3DXMATRIX proj, view, world;
  D3DXMatrixPerspectiveFovLH(&proj, kPi / 4, 640.0f / 480.0f, 1.0f, 100.0f);
  const D3DXVECTOR3 eye(0, 0, -10), at(0, 0, 0), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixTranslation(&world, 1, 0, 0);
  {
    // The look-at target sits in the middle of the viewport.
    const D3DXVECTOR3 target(-1, 0, 0);
    D3DXVECTOR3 s;
    D3DXVec3Project(&s, &target, &vp, &proj, &view, &world);
    EXPECT_NEAR(s.x, 10 + 320, 1e-3f);
    EXPECT_NEAR(s.y, 20 + 240, 1e-3f);
    EXPECT_GT(s.z, 0.0f);
    EXPECT_LT(s.z, 1.0f);
  }
  {
    // Up in the world is up the screen (smaller y).
    const D3DXVECTOR3 high(-1, 1, 0);
    D3DXVECTOR3 s;
    D3DXVec3Project(&s, &high, &vp, &proj, &view, &world);
    EXPECT_LT(s.y, 260.0f);
  }
  for (const D3DXVECTOR3& p : {D3DXVECTOR3(2, -1, 3), D3DXVECTOR3(-4, 2, 20), D3DXVECTOR3(0.5f, 0.25f, -5)}) {
    D3DXVECTOR3 s, back;
    D3DXVec3Project(&s, &p, &vp, &proj, &view, &world);
    ASSERT_NE(D3DXVec3Unproject(&back, &s, &vp, &proj, &view, &world), nullptr);
    EXPECT_TRUE(Near(back, p, 2e-3f));
  }
  {
    // Null matrices are identities; a singular world cannot be undone.
    const D3DXVECTOR3 p(0.5f, -0.5f, 0.25f);
    D3DXVECTOR3 s;
    D3DXVec3Project(&s, &p, &vp, nullptr, nullptr, nullptr);
    EXPECT_TRUE(Near(s, D3DXVECTOR3(10 + 480, 20 + 360, 0.25f), 1e-4f));
    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1, 0, 1);
    D3DXVECTOR3 back;
    EXPECT_EQ(D3DXVec3Unproject(&back, &s, &vp, nullptr, nullptr, &flat), nullptr);
  }
}
