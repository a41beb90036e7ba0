// The six rotation orders of BVH joints. A joint's rotation channels are
// applied in the order they are listed, the first outermost: for "Zrotation
// Xrotation Yrotation" a point is turned about Y first, then X, then Z, so the
// rotation is qz * qx * qy. Frx::Pquaternion::SetEuler gives each order from
// the three angles through the signs of its cross terms.
#pragma once

#include <cstdint>

#include "ferrox/math/Pquaternion.h"

namespace Bvh {

struct RotationOrder {
  uint16_t code;          // 4-bit fields, first channel lowest: 1 X, 2 Y, 3 Z
  const char* channels;   // as a file lists them
  Frx::Pquaternion sign;  // the cross-term signs for SetEuler
};

// The six orders; "Zrotation Yrotation Xrotation" (what the writer writes) first.
const RotationOrder* RotationOrders();
constexpr int kRotationOrderCount = 6;

// The order of a code; null for a code that names no order.
const RotationOrder* FindRotationOrder(unsigned code);

// The rotation of three angles (degrees) given in the order's channel order.
Frx::Pquaternion ComposeRotation(const RotationOrder& order, const float angles[3]);

}  // namespace Bvh
