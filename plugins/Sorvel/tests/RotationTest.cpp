// The six rotation orders: each composes its three angles with the first
// channel outermost, as BVH defines it. (The golden case "orders" and the
// comparison with assimp pin what the importer keys.)
#include <gtest/gtest.h>

#include <cmath>

#include "ferrox/math/tests/AxisAngle.h"
#include "ferrox/testing/Near.h"
#include "plugins/Sorvel/BvhRotation.h"

namespace sorveltest {
namespace {

using FrxTest::Near;

constexpr float kRad = 3.14159265f / 180.0f;

// The channel's axis (0 X, 1 Y, 2 Z) at position k of the order.
int Axis(const Bvh::RotationOrder& order, int k) { return (order.code >> (4 * k) & 0xF) - 1; }

Frx::Pvector Unit(int axis) {
  return Frx::Pvector(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f);
}

// q1 * q2 * q3 of the axis rotations in file order: the first is outermost.
Frx::Pquaternion Product(const Bvh::RotationOrder& order, const float angles[3]) {
  Frx::Pquaternion q = Frx::Pquaternion::id;
  for (int k = 0; k < 3; ++k) q = q * AxisAngle(Unit(Axis(order, k)), angles[k] * kRad);
  return q;
}

// q and -q are one rotation; compared by components, which is sharper than
// FrxTest::SameRotation's |dot| near 1.
::testing::AssertionResult EitherSign(const Frx::Pquaternion& a, const Frx::Pquaternion& b, float tolerance) {
  if (Near(a, -b, tolerance)) return ::testing::AssertionSuccess();
  return Near(a, b, tolerance);
}

// The engine's sine series is good to about 2.5e-5 at a quarter turn, where
// the half angles of +-180 degrees land; angles beyond a half turn (capture
// files hold 370) are taken the short way round, so they keep that.
TEST(BvhRotation, EveryOrderIsTheProductOfItsAxisRotations) {
  const float angleSets[][3] = {{23, -41, 67},   {90, 90, 90},          {-170, 5, 120},  {0, 0, 0},
                                {179, -179, 1}, {369.721f, -202.139f, 190}, {-540, 720, 355}};
  for (int i = 0; i < Bvh::kRotationOrderCount; ++i) {
    const Bvh::RotationOrder& order = Bvh::RotationOrders()[i];
    SCOPED_TRACE(order.channels);
    EXPECT_EQ(Bvh::FindRotationOrder(order.code), &order);
    for (const auto& angles : angleSets)
      EXPECT_TRUE(EitherSign(Bvh::ComposeRotation(order, angles), Product(order, angles), 4e-5f))
          << angles[0] << " " << angles[1] << " " << angles[2];
  }
  EXPECT_EQ(Bvh::FindRotationOrder(0x122), nullptr);
  EXPECT_EQ(Bvh::FindRotationOrder(0x4123), nullptr);
}

}  // namespace
}  // namespace sorveltest
