// Shared set-up of the skeleton tests: the master fixture with a two-bone
// chain, the tolerance of the skeleton's passes and finiteness checks.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/testing/Near.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

namespace skeltest {

using FrxTest::Near;
using FrxTest::SameRotation;
using votest::LoadBlock;
using votest::SaveText;

// Positions and rotations after the skeleton's passes agree to this.
constexpr float kTol = 1e-3f;

inline bool Finite(const Frx::Pvector& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
inline bool Finite(const Frx::Pquaternion& q) {
  return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

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
