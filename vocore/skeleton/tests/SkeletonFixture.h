// Shared set-up of the skeleton tests: a headless master, tolerance checks,
// text round trips and a two-bone chain.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

namespace skeltest {

inline bool Finite(const Frx::Pvector& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
inline bool Finite(const Frx::Pquaternion& q) {
  return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

inline ::testing::AssertionResult Near(const Frx::Pvector& a, const Frx::Pvector& b, float tol = 1e-3f) {
  if (std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x
                                       << ", " << b.y << ", " << b.z << ")";
}

// Equal rotations (q and -q are the same rotation).
inline ::testing::AssertionResult SameRotation(const Frx::Pquaternion& a, const Frx::Pquaternion& b,
                                               float tol = 1e-3f) {
  if (std::fabs(std::fabs(Frx::Dot(a, b)) - 1.0f) <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w
                                       << ") vs (" << b.x << ", " << b.y << ", " << b.z << ", " << b.w << ")";
}

// Text of one item written as its class block.
std::string SaveText(VoIItem* item);
// Reads `text` (one item block, headed by the item's class) into `item`.
void LoadText(VoIItem* item, const char* block, const std::string& text);

// Root R (chain end) and bone B1 under the skeleton, middle M and bone B2
// under B1, tip T under B2: R (0,0,0) -> M (0,10,0) -> T (0,10,6).
struct Chain {
  VoISkelton* skel;
  VoILocate *root, *middle, *tip;
  VoIBone *b1, *b2;
};

class MasterTest : public votest::MasterFixture {
 protected:
  Chain MakeChain();
};

}  // namespace skeltest
