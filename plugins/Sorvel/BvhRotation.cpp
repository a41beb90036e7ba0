#include "plugins/Sorvel/BvhRotation.h"

#include <cmath>

namespace Bvh {

namespace {

// Worked out from the products of the axis rotations (the tests multiply
// them out for every order). Note that "X Y Z" is not Z Y X's pattern and
// "Y Z X" not X Y Z's: reversing the order does not mirror the signs.
constexpr RotationOrder kOrders[kRotationOrderCount] = {
    {0x123, "Zrotation Yrotation Xrotation", {-1, +1, -1, +1}},
    {0x132, "Yrotation Zrotation Xrotation", {+1, +1, -1, -1}},
    {0x213, "Zrotation Xrotation Yrotation", {-1, +1, +1, -1}},
    {0x231, "Xrotation Zrotation Yrotation", {-1, -1, +1, +1}},
    {0x312, "Yrotation Xrotation Zrotation", {+1, -1, -1, +1}},
    {0x321, "Xrotation Yrotation Zrotation", {+1, -1, +1, -1}},
};

}  // namespace

const RotationOrder* RotationOrders() { return kOrders; }

const RotationOrder* FindRotationOrder(unsigned code) {
  for (const RotationOrder& order : kOrders)
    if (order.code == code) return &order;
  return nullptr;
}

Frx::Pquaternion ComposeRotation(const RotationOrder& order, const float angles[3]) {
  // Psin and Pcos hold their precision only within a quarter turn of zero,
  // and SetEuler takes half angles: each angle goes the short way round
  // first (capture files hold 370 degrees), which is the same rotation.
  float euler[3] = {0.0f, 0.0f, 0.0f};  // x, y, z
  for (int k = 0; k < 3; ++k) {
    const float a = angles[k];
    euler[(order.code >> (4 * k) & 0xF) - 1] = a >= -180.0f && a <= 180.0f ? a : std::remainder(a, 360.0f);
  }
  Frx::Pquaternion q;
  q.SetEuler(Frx::Pvector(euler[0], euler[1], euler[2]), order.sign);
  return q;
}

}  // namespace Bvh
