#include "TestMath.h"

TEST(D3DXPlane, FromPointsContainsThemWithUnitNormal) {
  const D3DXVECTOR3 p1(1, 0, 0), p2(0, 1, 0), p3(0, 0, 1);
  D3DXPLANE pl;
  D3DXPlaneFromPoints(&pl, &p1, &p2, &p3);
  for (const D3DXVECTOR3* p : {&p1, &p2, &p3}) EXPECT_NEAR(D3DXPlaneDotCoord(&pl, p), 0.0f, 1e-6f);
  const float k = 1.0f / std::sqrt(3.0f);
  // Normal = (p2 - p1) x (p3 - p1).
  EXPECT_NEAR(pl.a, k, 1e-6f);
  EXPECT_NEAR(pl.b, k, 1e-6f);
  EXPECT_NEAR(pl.c, k, 1e-6f);
  EXPECT_NEAR(pl.d, -k, 1e-6f);
  {
    D3DXPLANE rev;
    D3DXPlaneFromPoints(&rev, &p1, &p3, &p2);
    EXPECT_NEAR(rev.a, -k, 1e-6f);
    const D3DXVECTOR3 o(0, 0, 0);
    EXPECT_LT(D3DXPlaneDotCoord(&pl, &o), 0.0f);
    EXPECT_GT(D3DXPlaneDotCoord(&rev, &o), 0.0f);
  }
  {
    // Collinear points: no normal, a zero plane rather than NaN.
    const D3DXVECTOR3 q(2, -1, 0);
    D3DXPLANE z;
    D3DXPlaneFromPoints(&z, &p1, &p2, &q);
    EXPECT_EQ(z, D3DXPLANE(0, 0, 0, 0));
  }
}

TEST(D3DXPlane, NormalizeScalesAllFour) {
  const D3DXPLANE p(0, 3, 4, 10);
  D3DXPLANE n;
  D3DXPlaneNormalize(&n, &p);
  EXPECT_TRUE(Near(D3DXQUATERNION(n.a, n.b, n.c, n.d), D3DXQUATERNION(0, 0.6f, 0.8f, 2)));
  const D3DXPLANE zero(0, 0, 0, 5);
  D3DXPlaneNormalize(&n, &zero);
  EXPECT_EQ(n, D3DXPLANE(0, 0, 0, 0));
  const D3DXVECTOR4 v(1, 1, 1, 2);
  const D3DXVECTOR3 u(1, 1, 1);
  EXPECT_FLOAT_EQ(D3DXPlaneDot(&p, &v), 27.0f);
  EXPECT_FLOAT_EQ(D3DXPlaneDotNormal(&p, &u), 7.0f);
}

TEST(D3DXPlane, IntersectLine) {
  const D3DXVECTOR3 p1(0, 0, 2), p2(1, 0, 2), p3(0, 1, 2);  // the plane z = 2
  D3DXPLANE pl;
  D3DXPlaneFromPoints(&pl, &p1, &p2, &p3);
  D3DXVECTOR3 hit;
  {
    const D3DXVECTOR3 a(1, 1, 0), b(2, 3, 1);
    ASSERT_EQ(D3DXPlaneIntersectLine(&hit, &pl, &a, &b), &hit);
    // The line continues past b: z = 2 at twice the segment.
    EXPECT_TRUE(Near(hit, D3DXVECTOR3(3, 5, 2)));
  }
  {
    const D3DXVECTOR3 a(-1, 4, 7), b(1, 2, -3);
    ASSERT_NE(D3DXPlaneIntersectLine(&hit, &pl, &a, &b), nullptr);
    EXPECT_NEAR(D3DXPlaneDotCoord(&pl, &hit), 0.0f, 1e-5f);
    // On the line: hit - a is parallel to b - a.
    D3DXVECTOR3 c;
    const D3DXVECTOR3 ha = hit - a, ba = b - a;
    D3DXVec3Cross(&c, &ha, &ba);
    EXPECT_NEAR(D3DXVec3Length(&c), 0.0f, 1e-4f);
  }
  {
    const D3DXVECTOR3 a(0, 0, 5), b(3, 1, 5);
    hit = D3DXVECTOR3(9, 9, 9);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &pl, &a, &b), nullptr);
    EXPECT_EQ(hit, D3DXVECTOR3(9, 9, 9));
  }
}
