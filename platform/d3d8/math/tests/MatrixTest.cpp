#include <random>

#include "TestMath.h"

namespace {

D3DXMATRIX RandomMatrix(std::mt19937& rng) {
  std::uniform_real_distribution<float> d(-2.0f, 2.0f);
  D3DXMATRIX m;
  for (auto& row : m.m)
    for (float& e : row) e = d(rng);
  return m;
}

}  // namespace

TEST(D3DXMatrix, ProductAppliesLeftOperandFirst) {
  D3DXMATRIX t, s, ts, st;
  D3DXMatrixTranslation(&t, 1, 0, 0);
  D3DXMatrixScaling(&s, 2, 3, 4);
  D3DXMatrixMultiply(&ts, &t, &s);
  D3DXMatrixMultiply(&st, &s, &t);
  const D3DXVECTOR3 o(0, 0, 0), v(1, 1, 1);
  EXPECT_TRUE(Near(Transform(o, ts), D3DXVECTOR3(2, 0, 0)));
  EXPECT_TRUE(Near(Transform(o, st), D3DXVECTOR3(1, 0, 0)));
  EXPECT_TRUE(Near(Transform(v, st), D3DXVECTOR3(3, 3, 4)));
  EXPECT_EQ(t * s, ts);
  {
    D3DXMATRIX a = t;
    a *= s;
    EXPECT_EQ(a, ts);
    D3DXMatrixMultiply(&a, &s, &a);  // aliased with the right operand
    D3DXMATRIX e;
    D3DXMatrixMultiply(&e, &s, &ts);
    EXPECT_EQ(a, e);
  }
  EXPECT_EQ(D3DXMatrixIsIdentity(&ts), 0);
  D3DXMATRIX id = Identity();
  EXPECT_EQ(D3DXMatrixIsIdentity(&id), 1);
  EXPECT_EQ(id * ts, ts);
}

TEST(D3DXMatrix, TransposeAndAccessors) {
  D3DXMATRIX m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  EXPECT_EQ(m(3, 0), 13.0f);
  EXPECT_EQ(static_cast<float*>(m)[12], 13.0f);
  D3DXMatrixTranspose(&m, &m);
  EXPECT_EQ(m._12, 5.0f);
  EXPECT_EQ(m._41, 4.0f);
  EXPECT_EQ(m._14, 13.0f);
  EXPECT_EQ(m._33, 11.0f);
}

TEST(D3DXMatrix, InverseTimesMatrixIsIdentity) {
  std::mt19937 rng(7);
  const D3DXMATRIX id = Identity();
  for (int i = 0; i < 200; ++i) {
    const D3DXMATRIX m = RandomMatrix(rng);
    D3DXMATRIX inv;
    float det = 0.0f;
    ASSERT_EQ(D3DXMatrixInverse(&inv, &det, &m), &inv);
    EXPECT_NEAR(det, D3DXMatrixfDeterminant(&m), 1e-5f);
    // Random matrices can be badly conditioned; scale the tolerance with the
    // inverse's size.
    float big = 1.0f;
    for (auto& row : inv.m)
      for (float e : row) big = std::fmax(big, std::fabs(e));
    EXPECT_TRUE(Near(m * inv, id, 2e-5f * big)) << "case " << i;
    EXPECT_TRUE(Near(inv * m, id, 2e-5f * big)) << "case " << i;
  }
  {
    // Determinant of a known matrix: a rigid transform has 1, a scaling the product.
    D3DXMATRIX r, s;
    D3DXMatrixRotationYawPitchRoll(&r, 0.3f, -1.1f, 2.0f);
    D3DXMatrixScaling(&s, 2, 3, 0.5f);
    EXPECT_NEAR(D3DXMatrixfDeterminant(&r), 1.0f, 1e-5f);
    EXPECT_NEAR(D3DXMatrixfDeterminant(&s), 3.0f, 1e-6f);
    const D3DXMATRIX rs = r * s;
    D3DXMATRIX inv = rs;
    ASSERT_NE(D3DXMatrixInverse(&inv, nullptr, &inv), nullptr);  // aliased
    EXPECT_TRUE(Near(rs * inv, id, 1e-5f));
  }
  {
    // An affine inverse undoes the translation.
    D3DXMATRIX t, inv;
    D3DXMatrixTranslation(&t, 5, -6, 7);
    D3DXMatrixInverse(&inv, nullptr, &t);
    EXPECT_TRUE(Near(Transform(D3DXVECTOR3(5, -6, 7), inv), D3DXVECTOR3(0, 0, 0)));
  }
}

TEST(D3DXMatrix, SingularInverseIsNull) {
  const D3DXMATRIX sentinel(9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9);
  {
    D3DXMATRIX s, out = sentinel;
    D3DXMatrixScaling(&s, 1, 0, 1);
    float det = 5.0f;
    EXPECT_EQ(D3DXMatrixInverse(&out, &det, &s), nullptr);
    EXPECT_EQ(det, 0.0f);
    EXPECT_EQ(out, sentinel);
  }
  {
    D3DXMATRIX dup(1, 2, 3, 4, 1, 2, 3, 4, 0, 1, 0, 1, 3, 0, 2, 1), out = sentinel;
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &dup), nullptr);
    EXPECT_EQ(out, sentinel);
  }
  {
    D3DXMATRIX bad = Identity(), out = sentinel;
    bad._22 = NAN;
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &bad), nullptr);
  }
}

TEST(D3DXMatrix, AxisRotationsFollowRowVectorLeftHandedConvention) {
  const float a = kPi / 2;
  D3DXMATRIX rx, ry, rz;
  D3DXMatrixRotationX(&rx, a);
  D3DXMatrixRotationY(&ry, a);
  D3DXMatrixRotationZ(&rz, a);
  // Clockwise looking along the positive axis towards the origin.
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(0, 1, 0), rx), D3DXVECTOR3(0, 0, 1)));
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(0, 0, 1), ry), D3DXVECTOR3(1, 0, 0)));
  EXPECT_TRUE(Near(Transform(D3DXVECTOR3(1, 0, 0), rz), D3DXVECTOR3(0, 1, 0)));
  {
    D3DXMATRIX m;
    const D3DXVECTOR3 x(2, 0, 0), y(0, 3, 0), z(0, 0, 0.5f);
    D3DXMatrixRotationAxis(&m, &x, 0.7f);
    D3DXMatrixRotationX(&rx, 0.7f);
    EXPECT_TRUE(Near(m, rx));
    D3DXMatrixRotationAxis(&m, &y, -1.2f);
    D3DXMatrixRotationY(&ry, -1.2f);
    EXPECT_TRUE(Near(m, ry));
    D3DXMatrixRotationAxis(&m, &z, 2.5f);
    D3DXMatrixRotationZ(&rz, 2.5f);
    EXPECT_TRUE(Near(m, rz));
  }
}

TEST(D3DXMatrix, YawPitchRollAppliesRollThenPitchThenYaw) {
  const float yaw = 0.4f, pitch = -0.9f, roll = 1.3f;
  D3DXMATRIX ypr, rx, ry, rz;
  D3DXMatrixRotationYawPitchRoll(&ypr, yaw, pitch, roll);
  D3DXMatrixRotationX(&rx, pitch);
  D3DXMatrixRotationY(&ry, yaw);
  D3DXMatrixRotationZ(&rz, roll);
  const D3DXVECTOR3 v(0.3f, -2.0f, 1.5f);
  const D3DXVECTOR3 stepwise = Transform(Transform(Transform(v, rz), rx), ry);
  EXPECT_TRUE(Near(Transform(v, ypr), stepwise));
  // Any other order gives another answer for these angles.
  EXPECT_FALSE(Near(Transform(Transform(Transform(v, ry), rx), rz), stepwise, 1e-2f));
  // Pure yaw is a rotation about Y.
  D3DXMatrixRotationYawPitchRoll(&ypr, yaw, 0, 0);
  EXPECT_TRUE(Near(ypr, ry));
}
