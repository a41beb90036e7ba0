#include "AxisAngle.h"
#include "ferrox/testing/Near.h"

using Frx::Pquaternion;
using Frx::Pvector;
using FrxTest::Near;

namespace {

const Pvector kAxis(0, 0.6f, 0.8f);

// Rotation by `rad` about kAxis: keys of a steady turn.
Pquaternion Turn(float rad) { return AxisAngle(kAxis, rad); }

}  // namespace

TEST(QuaternionSpline, QuaternionSlerp) {
  const Pquaternion a = Turn(0.2f), b = Turn(1.4f);
  EXPECT_TRUE(Near(Frx::QuaternionSlerp(a, b, 0.0f), a));
  EXPECT_TRUE(Near(Frx::QuaternionSlerp(a, b, 1.0f), b, 1e-5f));
  EXPECT_TRUE(Near(Frx::QuaternionSlerp(a, b, 0.25f), Turn(0.5f), 1e-5f));
  {
    // Dot >= 1 returns a, even at t = 1.
    const Pquaternion c(0, 0, 0, 1), d(0, 0, 0, 1.5f);
    EXPECT_EQ(Frx::QuaternionSlerp(c, d, 1.0f), c);
  }
  {
    // No shortest-path flip: towards -b it goes the long way round.
    const Pquaternion r = Frx::QuaternionSlerp(a, -b, 0.5f);
    EXPECT_LT(Frx::Dot(r, Turn(0.8f)), 0.5f);
    // Far from a the series loses accuracy: length is only nearly 1.
    EXPECT_NEAR(std::sqrt(Frx::Dot(r, r)), 1.0f, 3e-3f);
  }
  {
    // Opposite keys: through a quaternion perpendicular to a.
    const Pquaternion q = Frx::Normalize(Pquaternion(0.1f, 0.2f, -0.3f, 0.9f));
    const Pquaternion end = Frx::QuaternionSlerp(q, -q, 1.0f);
    EXPECT_TRUE(Near(end, Pquaternion(-q.y, q.x, -q.w, q.z), 1e-5f));
    EXPECT_NEAR(Frx::Dot(end, q), 0.0f, 1e-6f);
    EXPECT_NEAR(Frx::Dot(end, end), 1.0f, 1e-5f);
    const Pquaternion mid = Frx::QuaternionSlerp(q, -q, 0.5f);
    EXPECT_NEAR(Frx::Dot(mid, q), std::sqrt(0.5f), 1e-5f);
  }
}

TEST(QuaternionSpline, ExpAndLog) {
  EXPECT_EQ(Frx::Log(Pquaternion::id), Pquaternion(0, 0, 0, 0));
  EXPECT_EQ(Frx::Exp(Pquaternion(0, 0, 0, 0)), Pquaternion::id);
  for (float a : {0.1f, 0.8f, 1.6f, 2.4f}) {
    const Pquaternion q = Turn(a);
    const Pquaternion l = Frx::Log(q);
    EXPECT_EQ(l.w, 0.0f);
    EXPECT_TRUE(Near(Pvector(l.x, l.y, l.z), kAxis * (a / 2), 1e-5f)) << a;
    EXPECT_TRUE(Near(Frx::Exp(l), q, 1e-4f)) << a;
  }
  // |w| >= 1: the vector part is passed through.
  EXPECT_EQ(Frx::Log(Pquaternion(1, 2, 3, -1)), Pquaternion(1, 2, 3, 0));
}

TEST(QuaternionSpline, InnerPointsAndSquad) {
  {
    // Keys of a steady turn need no correction: the inner point is the key.
    EXPECT_TRUE(Near(Frx::Coeff(Turn(0.2f), Turn(0.5f), Turn(0.8f)), Turn(0.5f), 1e-5f));
    const Pquaternion q = Turn(1.0f);
    EXPECT_TRUE(Near(Frx::Coeff(q, q, q), q, 1e-6f));
    // Uneven steps (0.4 then 0.8) about one axis: q1 turned by (0.4 - 0.8) / 4.
    EXPECT_TRUE(Near(Frx::Coeff(Turn(0.0f), Turn(0.4f), Turn(1.2f)), Turn(0.3f), 1e-5f));
    // A bend pulls it off the key.
    const Pquaternion bent = Frx::Coeff(Turn(0.2f), Turn(0.5f), AxisAngle(Pvector(1, 0, 0), 0.8f));
    EXPECT_FALSE(Near(bent, Turn(0.5f), 1e-2f));
  }
  const Pquaternion q1 = Turn(0.3f), q2 = Turn(1.1f), a = Turn(0.5f), b = Turn(0.9f);
  EXPECT_TRUE(Near(Frx::Squad(q1, a, b, q2, 0.0f), q1));
  EXPECT_TRUE(Near(Frx::Squad(q1, a, b, q2, 1.0f), q2, 1e-5f));
  EXPECT_TRUE(Near(Frx::Squad(q1, a, b, q2, 0.5f), Turn(0.7f), 1e-5f));
}

TEST(QuaternionSpline, SplinesOfASteadyTurn) {
  const float step = 0.4f;
  const Pquaternion k0 = Turn(0), k1 = Turn(step), k2 = Turn(2 * step), k3 = Turn(3 * step);
  for (float t : {0.0f, 0.3f, 0.5f, 1.0f}) {
    // Catmull-like segment between k1 and k2.
    EXPECT_TRUE(Near(Frx::QSpline(k0, k1, k2, k3, t), Turn((1 + t) * step), 2e-5f)) << t;
    // The B-splines lag half a key (quadratic) and pass k1 + t (cubic).
    EXPECT_TRUE(Near(Frx::QBSpline2(k0, k1, k2, t), Turn((0.5f + t) * step), 2e-5f)) << t;
    EXPECT_TRUE(Near(Frx::QBSpline3(k0, k1, k2, k3, t), Turn((1 + t) * step), 2e-5f)) << t;
  }
  {
    // A bent path: the cubic B-spline does not pass through its middle key.
    const Pquaternion bent = AxisAngle(Pvector(1, 0, 0), 0.9f);
    EXPECT_FALSE(Near(Frx::QBSpline3(k0, bent, k2, k3, 0.0f), bent, 1e-2f));
    EXPECT_TRUE(Near(Frx::QSpline(k0, bent, k2, k3, 0.0f), bent, 1e-5f));
  }
}
