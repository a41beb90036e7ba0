#include <random>

#include "AxisAngle.h"
#include "ferrox/testing/Near.h"

using Frx::Pmatrix;
using Frx::Pquaternion;
using Frx::Pvector;
using FrxTest::Near;

namespace {

Pmatrix Rot(const Pquaternion& q) {
  Pmatrix m;
  return m.SetRotate(q);
}

}  // namespace

TEST(Pquaternion, ComponentOperators) {
  // The vector constructor stores components; it is not axis and angle.
  EXPECT_EQ(Pquaternion(Pvector(1, 2, 3), 4), Pquaternion(1, 2, 3, 4));
  const Pquaternion a(1, 2, 3, 4), b(-1, 0.5f, 2, -2);
  EXPECT_EQ(a / 2.0f, Pquaternion(0.5f, 1, 1.5f, 2));
  EXPECT_EQ(a / 0.0f, Pquaternion(0, 0, 0, 0));
  EXPECT_FLOAT_EQ(Frx::Dot(a, b), -1 + 1 + 6 - 8);
  EXPECT_EQ(Frx::Flip(a, b), -b);  // Dot < 0
  EXPECT_EQ(Frx::Flip(a, a), a);
  EXPECT_TRUE(Near(Frx::Normalize(Pquaternion(0, 3, 0, 4)), Pquaternion(0, 0.6f, 0, 0.8f)));
  Pquaternion u(0, 0, 3, 4);
  EXPECT_TRUE(Near(u.Unit(), Pquaternion(0, 0, 0.6f, 0.8f)));
}

TEST(Pquaternion, HamiltonProduct) {
  const Pquaternion i(1, 0, 0, 0), j(0, 1, 0, 0), k(0, 0, 1, 0);
  EXPECT_EQ(i * j, k);
  EXPECT_EQ(j * i, -k);
  EXPECT_EQ(i * i, Pquaternion(0, 0, 0, -1));
  const Pquaternion a = AxisAngle(Pvector(0, 0.6f, 0.8f), 0.9f), b = AxisAngle(Pvector(1, 0, 0), -2.0f);
  // b first, then a, in row-vector matrices.
  EXPECT_TRUE(Near(Rot(a * b), Rot(b) * Rot(a), 1e-5f));
  Pquaternion p = a;
  EXPECT_EQ(p.Product(b), a * b);
  p = a;
  EXPECT_EQ(p.Product(1, 2, 3), a * Pquaternion(1, 2, 3, 0));
  EXPECT_TRUE(Near(a * a.GetInverse(), Pquaternion::id));
  EXPECT_TRUE(Near(Pquaternion(0, 0, 2, 0).GetInverse(), Pquaternion(0, 0, -0.5f, 0)));
}

TEST(Pquaternion, AxisAngleAndVectorPair) {
  Pquaternion q;
  q.SetVector(Pvector(0, 0, 1), Frx::kHalfPi);
  EXPECT_TRUE(Near(q, Pquaternion(0, 0, 0.70710678f, 0.70710678f), 1e-6f));
  // The axis is used as given.
  q.SetVector(Pvector(0, 0, 2), Frx::kHalfPi);
  EXPECT_TRUE(Near(q, Pquaternion(0, 0, 1.41421356f, 0.70710678f), 2e-6f));
  q.SetVector(Pvector(1, 0, 0), Pvector(0, 2, 0));
  EXPECT_EQ(q, Pquaternion(0, 0, 2, 0));
  q.SetVector(Pvector(1, 2, 0), Pvector(3, 1, 0));
  EXPECT_EQ(q, Pquaternion(0, 0, -5, 5));
}

TEST(Pquaternion, MatrixAndLookAt) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> d(-1, 1);
  for (int i = 0; i < 100; ++i) {
    Pvector axis(d(rng), d(rng), d(rng));
    axis = axis.GetAbs();
    const Pquaternion q = AxisAngle(axis, 3.0f * d(rng));
    Pquaternion back;
    back.SetMatrix(Rot(q));
    EXPECT_NEAR(std::fabs(Frx::Dot(back, q)), 1.0f, 1e-5f);
  }
  {
    // The translation plays no part.
    Pmatrix m = Rot(AxisAngle(Pvector(0, 1, 0), 0.5f));
    m.SetTransVector(Pvector(9, 9, 9));
    Pquaternion q;
    q.SetMatrix(m);
    EXPECT_TRUE(Near(q, AxisAngle(Pvector(0, 1, 0), 0.5f)));
  }
  {
    const Pvector dir(1, 2, 2), up(0, 1, 0);
    Pquaternion q;
    q.SetLookAt(dir, up);
    Pmatrix view;
    view.SetLookAt(Pvector::id, dir, up);
    EXPECT_TRUE(Near(Rot(q), view, 1e-5f));
    EXPECT_TRUE(Near(Rot(q) * dir, Pvector(0, 0, 3), 1e-5f));
  }
}

TEST(Pquaternion, EulerXYZ) {
  Pquaternion q;
  q.SetEulerXYZ(Pvector(90, 0, 0));
  EXPECT_TRUE(Near(q, Pquaternion(0.70710678f, 0, 0, 0.70710678f), 5e-6f));
  EXPECT_TRUE(Near(q.GetEulerXYZ(), Pvector(90, 0, 0), 1e-3f));
  {
    // X applied first, then Y, then Z: qz * qy * qx.
    const Pvector deg(30, -50, 110);
    Pquaternion qx, qy, qz;
    qx.SetVector(Pvector(1, 0, 0), deg.x * Frx::kPi / 180);
    qy.SetVector(Pvector(0, 1, 0), deg.y * Frx::kPi / 180);
    qz.SetVector(Pvector(0, 0, 1), deg.z * Frx::kPi / 180);
    q.SetEulerXYZ(deg);
    EXPECT_TRUE(Near(q, qz * qy * qx, 1e-6f));
    Pquaternion s;
    EXPECT_EQ(s.SetEuler(deg, Pquaternion(-1, 1, -1, 1)), q);
    // The opposite order.
    EXPECT_TRUE(Near(s.SetEuler(deg, Pquaternion(1, -1, 1, -1)), qx * qy * qz, 1e-6f));
  }
  std::mt19937 rng(9);
  std::uniform_real_distribution<float> d(-1, 1);
  for (int i = 0; i < 200; ++i) {
    const Pvector deg(170 * d(rng), 85 * d(rng), 170 * d(rng));
    q.SetEulerXYZ(deg);
    EXPECT_TRUE(Near(q.GetEulerXYZ(), deg, 2e-2f)) << i;
    EXPECT_TRUE(Near(q.GetEulerZYX(), deg, 2e-2f)) << i;
  }
}

TEST(Pquaternion, EulerAtGimbalLock) {
  {
    // m = 2(wy - xz) is exactly 1.
    const Pquaternion q(0.5f, 0.5f, -0.5f, 0.5f);
    EXPECT_TRUE(Near(q.GetEulerXYZ(), Pvector(90, 90, 0), 1e-4f));
    EXPECT_EQ(q.GetEulerXYZ().z, 0.0f);
    EXPECT_TRUE(Near(q.GetEulerZYX(), Pvector(0, 90, -90), 1e-4f));
    EXPECT_EQ(q.GetEulerZYX().x, 0.0f);
    const Pquaternion n(0.5f, -0.5f, 0.5f, 0.5f);  // m = -1
    EXPECT_EQ(n.GetEulerXYZ().z, 0.0f);
    EXPECT_NEAR(n.GetEulerXYZ().y, -90.0f, 1e-4f);
    EXPECT_EQ(n.GetEulerZYX().x, 0.0f);
  }
  {
    // Rounding puts m just above 1 here (1.0000001): no NaN, the gimbal branch.
    const Pquaternion q(0, 0.7071068f, 0, 0.7071068f);
    ASSERT_GT(2.0f * (q.w * q.y - q.x * q.z), 1.0f);
    const Pvector xyz = q.GetEulerXYZ(), zyx = q.GetEulerZYX();
    EXPECT_TRUE(Near(xyz, Pvector(0, 90, 0), 1e-4f));
    EXPECT_TRUE(Near(zyx, Pvector(0, 90, 0), 1e-4f));
    const Pquaternion n(0, -0.7071068f, 0, 0.7071068f);
    EXPECT_TRUE(Near(n.GetEulerXYZ(), Pvector(0, -90, 0), 1e-4f));
  }
}

TEST(Pquaternion, Slerp) {
  const Pquaternion a = AxisAngle(Pvector(0, 0, 1), 0.0f), b = AxisAngle(Pvector(0, 0, 1), Frx::kHalfPi);
  Pquaternion r;
  EXPECT_EQ(&r.Slerp(a, b, 0.5f), &r);
  EXPECT_TRUE(Near(r, AxisAngle(Pvector(0, 0, 1), Frx::kPi / 4), 1e-5f));
  EXPECT_TRUE(Near(r.Slerp(a, b, 0.0f), a));
  EXPECT_TRUE(Near(r.Slerp(a, b, 1.0f), b));
  {
    // Equal inputs come back; a and -a flip a and stay at -a.
    const Pquaternion q = AxisAngle(Pvector(0.6f, 0.8f, 0), 1.0f);
    EXPECT_TRUE(Near(r.Slerp(q, q, 0.3f), q, 1e-6f));
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f}) EXPECT_TRUE(Near(r.Slerp(q, -q, t), -q, 1e-6f)) << t;
  }
  {
    // Shortest path: slerp towards -b equals slerp towards b, negated start.
    const Pquaternion c = AxisAngle(Pvector(1, 0, 0), 2.5f);
    Pquaternion s;
    r.Slerp(a, -c, 0.3f);
    s.Slerp(a, c, 0.3f);
    EXPECT_TRUE(Near(r, -s, 1e-6f));
  }
}
