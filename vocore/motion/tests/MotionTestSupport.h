// Helpers of the motion and character tests: a headless master, a memory
// stream for the writer and a reader over a string.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ferrox/file/File.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

namespace motiontest {

using votest::MemoryFile;

inline VoLoad* Reader(const std::string& text) { return votest::NewReader(text); }

class MasterTest : public ::testing::Test {
 protected:
  void SetUp() override { master.Initialize(nullptr); }
  void TearDown() override { master.Uninitialize(); }
  VoMaster master;
};

inline void ExpectNear(const Frx::Pvector& a, const Frx::Pvector& b, float tol = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

inline void ExpectNear(const Frx::Pquaternion& a, const Frx::Pquaternion& b, float tol = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
  EXPECT_NEAR(a.w, b.w, tol);
}

}  // namespace motiontest
