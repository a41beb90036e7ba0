// The six rotation orders: each composes its three angles with the first
// channel outermost, as BVH defines it, and the importer keys exactly that.
#include <gtest/gtest.h>

#include <cmath>

#include "SorvelFixture.h"
#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/tests/MathNear.h"
#include "plugins/Sorvel/BvhRotation.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIMotion.h"

namespace sorveltest {
namespace {

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

// q and -q are one rotation.
::testing::AssertionResult SameRotation(const Frx::Pquaternion& a, const Frx::Pquaternion& b, float tolerance) {
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
      EXPECT_TRUE(SameRotation(Bvh::ComposeRotation(order, angles), Product(order, angles), 4e-5f))
          << angles[0] << " " << angles[1] << " " << angles[2];
  }
  EXPECT_EQ(Bvh::FindRotationOrder(0x122), nullptr);
  EXPECT_EQ(Bvh::FindRotationOrder(0x4123), nullptr);
}

// Worked by hand: 90 degrees about each axis, the last channel turning the
// point first. Each order sends the X and Y axes somewhere else.
TEST(BvhRotation, QuarterTurnsLandWhereTheOrderSays) {
  const struct {
    const char* channels;
    Frx::Pvector x, y;  // images of (1, 0, 0) and (0, 1, 0)
  } rows[] = {
      {"Xrotation Yrotation Zrotation", {0, 0, 1}, {0, -1, 0}},
      {"Xrotation Zrotation Yrotation", {0, 1, 0}, {-1, 0, 0}},
      {"Yrotation Xrotation Zrotation", {1, 0, 0}, {0, 0, 1}},
      {"Yrotation Zrotation Xrotation", {0, 1, 0}, {1, 0, 0}},
      {"Zrotation Xrotation Yrotation", {-1, 0, 0}, {0, 0, 1}},
      {"Zrotation Yrotation Xrotation", {0, 0, -1}, {0, 1, 0}},
  };
  const float quarter[3] = {90, 90, 90};
  int matched = 0;
  for (const auto& row : rows)
    for (int i = 0; i < Bvh::kRotationOrderCount; ++i) {
      const Bvh::RotationOrder& order = Bvh::RotationOrders()[i];
      if (std::string(order.channels) != row.channels) continue;
      SCOPED_TRACE(row.channels);
      ++matched;
      Frx::Pmatrix m;
      m.SetRotate(Bvh::ComposeRotation(order, quarter));
      EXPECT_TRUE(Near(m * Frx::Pvector(1, 0, 0), row.x, 1e-4f));
      EXPECT_TRUE(Near(m * Frx::Pvector(0, 1, 0), row.y, 1e-4f));
    }
  EXPECT_EQ(matched, Bvh::kRotationOrderCount);
}

// A file with one joint of each order: each joint's key is its order's
// composition of the values in file order.
class BvhRotationImport : public SorvelFixture {};

TEST_F(BvhRotationImport, EachJointKeysItsOrder) {
  std::string hierarchy, line;
  for (int i = 0; i < Bvh::kRotationOrderCount; ++i) {
    hierarchy += std::string(i == 0 ? "ROOT" : "JOINT") + " j" + std::to_string(i) + "\n{\nOFFSET 0 1 0\nCHANNELS 3 " +
                 Bvh::RotationOrders()[i].channels + "\n";
    line += std::to_string(10 + i) + " " + std::to_string(-20 - i) + " " + std::to_string(30 + 2 * i) + " ";
  }
  for (int i = 0; i < Bvh::kRotationOrderCount; ++i) hierarchy += "}\n";
  VoICharacter* c = NewCharacter();
  ASSERT_EQ(ImportText(BvhText(hierarchy, 1, line + "\n"), c), c);
  for (int i = 0; i < Bvh::kRotationOrderCount; ++i) {
    const Bvh::RotationOrder& order = Bvh::RotationOrders()[i];
    SCOPED_TRACE(order.channels);
    const std::string name = "j" + std::to_string(i);
    VoIItem* found = Find(c->GetMotion(), name.c_str());
    VoIControlQuaternion* control = found ? found->IsControlQuaternion() : nullptr;
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(control->keys.size(), 1u);
    const float angles[3] = {float(10 + i), float(-20 - i), float(30 + 2 * i)};
    EXPECT_TRUE(Near(control->keys[0].value, Product(order, angles), 2e-5f));
  }
}

}  // namespace
}  // namespace sorveltest
