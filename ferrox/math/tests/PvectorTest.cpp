#include "ferrox/math/Pmath.h"
#include "ferrox/testing/Near.h"

using Frx::Pvector;
using FrxTest::Near;

TEST(Pvector, ConstructionAndScaling) {
  EXPECT_EQ(Pvector(1, 2), Pvector(1, 2, 0));
  EXPECT_EQ(Pvector(4.0f), Pvector(4, 4, 4));
  Pvector v(2, 6, 12);
  v /= 4.0f;
  EXPECT_EQ(v, Pvector(0.5f, 1.5f, 3));
  v *= Pvector(2, 3, 4);
  EXPECT_EQ(v, Pvector(1, 4.5f, 12));
  v -= 1.0f;
  EXPECT_EQ(v, Pvector(0, 3.5f, 11));
}

TEST(Pvector, SharesStorageWithPlatformVector) {
  Pvector v(3, 0, 4);
  D3DXVec3Normalize(v, v);  // by the pointer conversion, in place
  EXPECT_TRUE(Near(v, Pvector(0.6f, 0, 0.8f)));
  const D3DVECTOR plain = v;
  EXPECT_EQ(plain.z, v.z);
  EXPECT_EQ(Pvector(plain), v);
}

TEST(Pvector, Products) {
  const Pvector a(1, 2, 3), b(-2, 0.5f, 4);
  EXPECT_EQ(a.GetCrossProduct(b), Pvector(2 * 4 - 3 * 0.5f, 3 * -2 - 1 * 4, 1 * 0.5f - 2 * -2));
  EXPECT_EQ(Pvector(1, 0, 0).GetCrossProduct(Pvector(0, 1, 0)), Pvector(0, 0, 1));
  EXPECT_FLOAT_EQ(a.GetDotProduct(b), -2 + 1 + 12);
  // Weighted dot: this scales each product.
  EXPECT_FLOAT_EQ(Pvector(1, 0, 2).GetDotProduct(a, b), 1 * -2 + 0 + 2 * 12);
  EXPECT_FLOAT_EQ(Pvector(2, 3, 6).GetSize(), 7.0f);
}

TEST(Pvector, ClipSignInXYPlane) {
  const Pvector o(1, 1, 5);
  EXPECT_GT(o.GetNormalClip2D(Pvector(2, 1, 0), Pvector(1, 2, -3)), 0.0f);  // counter-clockwise
  EXPECT_LT(o.GetNormalClip2D(Pvector(1, 2, 0), Pvector(2, 1, 0)), 0.0f);
  EXPECT_EQ(o.GetNormalClip2D(Pvector(2, 2, 0), Pvector(3, 3, 0)), 0.0f);
  EXPECT_FLOAT_EQ(o.GetNormalClip2D(Pvector(3, 1, 0), Pvector(1, 4, 0)), 6.0f);
}

TEST(Pvector, UnitVectorsAndNormals) {
  {
    const Pvector v(0, 3, 4);
    EXPECT_TRUE(Near(v.GetUnit(), Pvector(0, 0.6f, 0.8f), 1e-7f));
    EXPECT_TRUE(Near(v.GetAbs(), Pvector(0, 0.6f, 0.8f), 1e-7f));
    EXPECT_EQ(Pvector::id.GetAbs(), Pvector::id);
    EXPECT_EQ(Pvector::id.GetUnit(), Pvector::id);
  }
  {
    // Triangle (this, a, b): n = (a - b) x (this - a).
    const Pvector p(0, 0, 0), a(1, 0, 0), b(0, 1, 0);
    EXPECT_TRUE(Near(p.GetNormal(a, b), Pvector(0, 0, -1)));
    EXPECT_TRUE(Near(p.GetNormal(b, a), Pvector(0, 0, 1)));
    EXPECT_EQ(Pvector::GetNormalNotAbs(p, a * 2.0f, b * 3.0f), (a * 2.0f - b * 3.0f).GetCrossProduct(p - a * 2.0f));
    EXPECT_EQ(Pvector::GetNormalNotAbs(p, a * 2.0f, b * 3.0f), Pvector(0, 0, -6));
    const Pvector q(1, 2, 3);
    EXPECT_EQ(q.GetNormal(q, q), Pvector::id);
    EXPECT_EQ(q.GetNormal(q * 2.0f, q * 3.0f), Pvector::id);  // collinear
  }
}

TEST(Pvector, HermiteCurve) {
  const Pvector p0(0, 0, 0), p1(4, 2, -1), t0(1, 5, 0), t1(-2, 0, 3);
  Pvector h;
  EXPECT_EQ(&h.Hermite(p0, p1, t0, t1, 0.0f), &h);
  EXPECT_TRUE(Near(h, p0));
  h.Hermite(p0, p1, t0, t1, 1.0f);
  EXPECT_TRUE(Near(h, p1, 1e-5f));
  // Tangents are the end derivatives.
  const float e = 1e-3f;
  Pvector a, b;
  a.Hermite(p0, p1, t0, t1, e);
  EXPECT_TRUE(Near((a - p0) / e, t0, 2e-2f));
  b.Hermite(p0, p1, t0, t1, 1.0f - e);
  EXPECT_TRUE(Near((p1 - b) / e, t1, 2e-2f));
  // A straight segment with matching tangents is traversed linearly.
  h.Hermite(p0, p1, p1 - p0, p1 - p0, 0.25f);
  EXPECT_TRUE(Near(h, p1 * 0.25f));
}
