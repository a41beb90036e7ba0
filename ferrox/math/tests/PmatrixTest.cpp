#include "AxisAngle.h"
#include "ferrox/testing/Near.h"

using Frx::Pmatrix;
using Frx::Pquaternion;
using Frx::Pvector;
using FrxTest::Near;

namespace {

Pmatrix FromD3DX(const D3DXMATRIX& m) { return Pmatrix(m); }

}  // namespace

TEST(Pmatrix, ElementsAndBasicSetters) {
  const Pmatrix m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(m[k], static_cast<float>(k));
  EXPECT_EQ(m._42, 13.0f);
  EXPECT_EQ(m.GetTransVector(), Pvector(12, 13, 14));
  D3DXMATRIX id;
  D3DXMatrixIdentity(&id);
  EXPECT_EQ(Pmatrix::id, id);
  Pmatrix t = m;
  EXPECT_EQ(t.SetTranslate(Pvector(1, 2, 3)), Pmatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1));
  t.AddTransVector(Pvector(1, 1, 1));
  EXPECT_EQ(t.GetTransVector(), Pvector(2, 3, 4));
  t.SetTransVector(Pvector(-1, 0, 0));
  EXPECT_EQ(t.GetTransVector(), Pvector(-1, 0, 0));
  EXPECT_EQ(t.SetScale(Pvector(2, 3, 4)), Pmatrix(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1));
  EXPECT_EQ(t.SetIdentity(), Pmatrix::id);
}

TEST(Pmatrix, ScallingScalesAxisRowsOnly) {
  Pmatrix m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  m.Scalling(Pvector(2, 3, 4));
  EXPECT_EQ(m, Pmatrix(0, 2, 4, 3, 12, 15, 18, 7, 32, 36, 40, 11, 12, 13, 14, 15));
}

TEST(Pmatrix, ProductsOfPointsAndMatrices) {
  Pmatrix t, s;
  t.SetTranslate(Pvector(10, 0, 0));
  EXPECT_EQ(t * Pvector(1, 2, 3), Pvector(11, 2, 3));
  s.SetScale(Pvector(2, 2, 2));
  // Left operand first.
  EXPECT_EQ((t * s) * Pvector(1, 2, 3), Pvector(22, 4, 6));
  EXPECT_EQ((s * t) * Pvector(1, 2, 3), Pvector(12, 4, 6));
  // No divide by w.
  Pmatrix p = Pmatrix::id;
  p._44 = 2.0f;
  p._14 = 5.0f;
  EXPECT_EQ(p * Pvector(1, 2, 3), Pvector(1, 2, 3));
}

TEST(Pmatrix, QuaternionRotation) {
  const Pquaternion q = AxisAngle(Pvector(0.6f, 0, 0.8f), 1.2f);
  D3DXMATRIX ref;
  D3DXMatrixRotationQuaternion(&ref, &q);
  {
    Pmatrix m;
    m.SetRotate(q);
    EXPECT_TRUE(Near(m, FromD3DX(ref), 1e-6f));
  }
  {
    // SetQuaternion leaves the fourth row and column alone.
    Pmatrix m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    m.SetQuaternion(q);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(m.m[r][c], ref.m[r][c]);
    EXPECT_EQ(m._14, 3.0f);
    EXPECT_EQ(m._34, 11.0f);
    EXPECT_EQ(m.GetTransVector(), Pvector(12, 13, 14));
    EXPECT_EQ(m._44, 15.0f);
  }
}

TEST(Pmatrix, EulerAnglesAreTurns) {
  Pmatrix m = Pmatrix(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  m.SetEulerXYZ(Pvector(0.25f, 0, 0));  // a quarter turn about X
  D3DXMATRIX rx;
  D3DXMatrixRotationX(&rx, Frx::kHalfPi);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(m.m[r][c], rx.m[r][c], 2e-5f);
  EXPECT_EQ(m.GetTransVector(), Pvector(12, 13, 14));
  {
    // Same as the quaternion built from degrees.
    Pquaternion q;
    q.SetEulerXYZ(Pvector(36, -72, 108));
    Pmatrix a, b;
    a.SetRotate(q);
    b = Pmatrix::id;
    b.SetEulerXYZ(Pvector(0.1f, -0.2f, 0.3f));
    EXPECT_TRUE(Near(a, b, 1e-6f));
  }
}

TEST(Pmatrix, InverseAndLookAt) {
  Pmatrix a, b;
  const Pvector angles(0.3f, -1.0f, 2.0f);
  Frx::GetPmatrixRotate(&a, &angles);
  b.SetTranslate(Pvector(5, -2, 1));
  const Pmatrix m = a * b;
  EXPECT_TRUE(Near(m * m.GetInverse(), Pmatrix::id, 1e-5f));
  Pmatrix flat;
  flat.SetScale(Pvector(1, 0, 1));
  EXPECT_EQ(flat.GetInverse(), Pmatrix::id);

  const Pvector eye(1, 2, 3), at(4, -2, 3), up(0, 1, 0);
  Pmatrix v;
  v.SetLookAt(eye, at, up);
  EXPECT_TRUE(Near(v * eye, Pvector::id, 1e-5f));
  EXPECT_TRUE(Near(v * at, Pvector(0, 0, 5), 1e-5f));
}

TEST(Pmatrix, YawPitchRollAndLookAtAngles) {
  {
    Pmatrix m;
    const Pvector angles(0.4f, -0.7f, 1.1f);  // pitch x, yaw y, roll z
    Frx::GetPmatrixRotate(&m, &angles);
    D3DXMATRIX ref;
    D3DXMatrixRotationYawPitchRoll(&ref, -0.7f, 0.4f, 1.1f);
    EXPECT_EQ(m, ref);
  }
  Pvector out;
  const Pvector up(0, 1, 0);
  {
    const Pvector ahead(0, 0, 3);
    Frx::GetRotateLookAt(&out, &ahead, &up);
    EXPECT_TRUE(Near(out, Pvector::id));
  }
  {
    // Looking up by p gives p; turning towards +x gives -pi/2.
    const float p = 0.5f;
    const Pvector raised(0, std::sin(p), std::cos(p)), right(2, 0, 0);
    Frx::GetRotateLookAt(&out, &raised, &up);
    EXPECT_TRUE(Near(out, Pvector(p, 0, 0)));
    Frx::GetRotateLookAt(&out, &right, &up);
    EXPECT_TRUE(Near(out, Pvector(0, -Frx::kHalfPi, 0)));
  }
  {
    // Straight up: element (2,3) is exactly 1, a right angle.
    const Pvector vertical(0, 2, 0), zup(0, 0, 1);
    Frx::GetRotateLookAt(&out, &vertical, &zup);
    EXPECT_NEAR(out.x, Frx::kHalfPi, 1e-6f);
    EXPECT_FALSE(std::isnan(out.y) || std::isnan(out.z));
  }
  for (int i = 0; i < 360; ++i) {
    const float a = i * Frx::kPi / 180;
    const Pvector dir(std::sin(a) * 1e-3f, std::cos(a), std::sin(a)), zup(0, 0, 1);
    Frx::GetRotateLookAt(&out, &dir, &zup);
    ASSERT_FALSE(std::isnan(out.x) || std::isnan(out.y) || std::isnan(out.z)) << i;
    ASSERT_LE(std::fabs(out.x), Frx::kHalfPi) << i;
  }
}
