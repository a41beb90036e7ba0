// Key edits and interpolation of the keyed controls.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/testing/Near.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"

using Frx::Pquaternion;
using Frx::Pvector;
using FrxTest::Near;

namespace {

using KeyControlTest = votest::MasterFixture;

std::vector<long> Frames(VoIControlVector& c) {
  std::vector<long> out;
  for (auto& k : c.keys) out.push_back(k.frame);
  return out;
}

TEST_F(KeyControlTest, KeysStaySortedAndUnique) {
  VoIControlVector c;
  c.SetKey(10, Pvector(1, 0, 0));
  c.SetKey(0, Pvector(2, 0, 0));
  c.SetKey(5, Pvector(3, 0, 0));
  c.SetKey(5, Pvector(4, 0, 0));
  EXPECT_EQ(Frames(c), (std::vector<long>{0, 5, 10}));
  EXPECT_EQ(c.GetKey(5)->value.x, 4.0f);
  {
    EXPECT_EQ(c.FindKeyIndex(5), 1);
    EXPECT_EQ(c.FindKeyIndex(6), -1);
    EXPECT_EQ(c.GetKeyIndex(-1), -1);
    EXPECT_EQ(c.GetKeyIndex(0), 0);
    EXPECT_EQ(c.GetKeyIndex(9), 1);
    EXPECT_EQ(c.GetKeyIndex(100), 2);
    EXPECT_EQ(c.GetKeyFrame(2), 10);
    EXPECT_EQ(c.GetKeyFrame(3), INT_MAX);
    EXPECT_EQ(c.GetKeyRecord(7), nullptr);
  }
  {
    EXPECT_EQ(c.DeleteKey(7), 0);
    EXPECT_EQ(c.DeleteKey(5), 1);
    EXPECT_EQ(Frames(c), (std::vector<long>{0, 10}));
  }
  {
    // Copy replaces the destination; move leaves the source frame empty.
    EXPECT_EQ(c.CopyKey(10, 0), 1);
    EXPECT_EQ(c.GetKey(10)->value.x, 2.0f);
    EXPECT_EQ(c.TransKey(20, 0), 1);
    EXPECT_EQ(Frames(c), (std::vector<long>{10, 20}));
    // A source without a key still clears the destination.
    EXPECT_EQ(c.CopyKey(10, 3), 0);
    EXPECT_EQ(Frames(c), (std::vector<long>{20}));
    // Onto its own frame the key survives.
    EXPECT_EQ(c.CopyKey(20, 20), 1);
    EXPECT_EQ(c.TransKey(20, 20), 1);
    EXPECT_EQ(Frames(c), (std::vector<long>{20}));
  }
  {
    Ptable<long> table;
    c.SetKey(30, Pvector(0, 0, 0));
    EXPECT_EQ(c.MakeKeyFrameTable(table), 2);
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[1], 30);
    c.DeleteKey(30);
    EXPECT_EQ(c.MakeKeyFrameTable(table), 1);
    EXPECT_EQ(table.size(), 1);
    c.ClearKey();
    EXPECT_EQ(c.MakeKeyFrameTable(table), 0);
    EXPECT_EQ(table.size(), 0);  // no deleted frame is left showing
  }
}

TEST_F(KeyControlTest, VectorLinearClampsAndLoops) {
  VoIMotion* motion = master.NewItem<VoIMotion>(nullptr);
  VoIControlVector* c = master.NewItem<VoIControlVector>(motion);
  EXPECT_EQ(c->GetValue(3.0f), Pvector(0, 0, 0));
  c->SetKey(0, Pvector(0, 0, 0));
  c->SetKey(10, Pvector(10, 20, -10));
  {
    EXPECT_TRUE(Near(c->GetValue(5.0f), Pvector(5, 10, -5)));
    EXPECT_TRUE(Near(c->GetValue(-3.0f), Pvector(0, 0, 0)));
    EXPECT_TRUE(Near(c->GetValue(20.0f), Pvector(10, 20, -10)));
    EXPECT_TRUE(Near(c->GetValue(9.9f), Pvector(9.9f, 19.8f, -9.9f), 1e-4f));
  }
  {
    motion->loop = 1;
    motion->endframe = 30;
    c->DeleteKey(10);
    c->SetKey(20, Pvector(10, 0, 0));
    // From the key at 20 back to the key at 0 over 10 frames.
    EXPECT_TRUE(Near(c->GetValue(25.0f), Pvector(5, 0, 0)));
    // Before the first key the span wraps from the last one.
    c->DeleteKey(0);
    c->SetKey(4, Pvector(0, 0, 0));
    EXPECT_TRUE(Near(c->GetValue(2.0f), Pvector(10.0f * 2 / 14, 0, 0)));
  }
  {
    // A key on the end frame of a looping motion: the seam has no length.
    motion->endframe = 20;
    c->ClearKey();
    c->SetKey(0, Pvector(1, 1, 1));
    c->SetKey(20, Pvector(3, 3, 3));
    const Pvector v = c->GetValue(20.0f);
    EXPECT_FALSE(std::isnan(v.x));
    EXPECT_TRUE(Near(v, Pvector(3, 3, 3)));
    c->SetCurveType(VO_CURVE_SPLINE);
    EXPECT_FALSE(std::isnan(c->GetValue(20.0f).x));
  }
  {
    // A key past the end frame: the wrapped span is negative and is
    // evaluated as it stands, not held. From 40 towards 0: D = 30 - 40 + 0.
    motion->endframe = 30;
    c->ClearKey();
    c->SetCurveType(VO_CURVE_LINEAR);
    c->SetKey(0, Pvector(0, 0, 0));
    c->SetKey(40, Pvector(10, 0, 0));
    EXPECT_TRUE(Near(c->GetValue(45.0f), Pvector(15, 0, 0)));  // s = 5 / -10
  }
  master.ReleaseItem(motion);
}

TEST_F(KeyControlTest, QuaternionSeamHoldsItsKey) {
  VoIMotion* motion = master.NewItem<VoIMotion>(nullptr);
  motion->loop = 1;
  motion->endframe = 20;
  VoIControlQuaternion* c = master.NewItem<VoIControlQuaternion>(motion);
  const float h = std::sqrt(0.5f);
  c->SetKey(0, Pquaternion(0, 0, 0, 1));
  c->SetKey(10, Pquaternion(h, 0, 0, h));
  c->SetKey(20, Pquaternion(0, h, 0, h));
  for (int kind = 0; kind < 3; ++kind) {
    c->SetCurveType(static_cast<VoCurveType>(kind));
    const Pquaternion q = c->GetValue(20.0f);
    EXPECT_FALSE(std::isnan(q.x) || std::isnan(q.y) || std::isnan(q.z) || std::isnan(q.w)) << kind;
    EXPECT_TRUE(Near(q, Pquaternion(0, h, 0, h), 1e-5f));
  }
  master.ReleaseItem(motion);
}

TEST_F(KeyControlTest, VectorSplineAndSingleKey) {
  VoIMotion* motion = master.NewItem<VoIMotion>(nullptr);
  VoIControlVector* c = master.NewItem<VoIControlVector>(motion);
  c->SetCurveType(VO_CURVE_BLEND);  // every non-zero kind is the spline
  c->SetKey(0, Pvector(0, 0, 0));
  c->SetKey(10, Pvector(10, 0, 0));
  c->SetKey(20, Pvector(10, 10, 0));
  // s = 0.25 from the key at 0 to the key at 10, tangents (10, 0, 0) and
  // (0, 10, 0): p0 + t0 s + (3 p1 - 3 p0 - 2 t0 - t1) s² + (2 p0 - 2 p1 + t0 + t1) s³
  // by hand; the next tangent bends the curve below y = 0.
  EXPECT_TRUE(Near(c->GetValue(2.5f), Pvector(2.96875f, -0.46875f, 0)));
  EXPECT_TRUE(Near(c->GetValue(10.0f), Pvector(10, 0, 0)));
  {
    c->ClearKey();
    c->SetKey(7, Pvector(1, 2, 3));
    for (int kind = 0; kind < 3; ++kind) {
      c->SetCurveType(static_cast<VoCurveType>(kind));
      motion->loop = kind % 2;
      motion->endframe = 30;
      EXPECT_TRUE(Near(c->GetValue(-4.0f), Pvector(1, 2, 3)));
      EXPECT_TRUE(Near(c->GetValue(29.0f), Pvector(1, 2, 3)));
    }
  }
  {
    // A control outside a motion neither loops nor crashes.
    VoIControlVector loose;
    loose.SetKey(0, Pvector(0, 0, 0));
    loose.SetKey(10, Pvector(10, 0, 0));
    EXPECT_TRUE(Near(loose.GetValue(5.0f), Pvector(5, 0, 0)));
    EXPECT_TRUE(Near(loose.GetValue(15.0f), Pvector(10, 0, 0)));
    // Nor under a parent that is no motion.
    VoICharacter* owner = master.NewItem<VoICharacter>(nullptr);
    VoIControlVector* stray = master.NewItem<VoIControlVector>(owner);
    EXPECT_EQ(stray->GetBelongMotion(), nullptr);
    stray->SetKey(0, Pvector(0, 0, 0));
    stray->SetKey(10, Pvector(10, 0, 0));
    EXPECT_TRUE(Near(stray->GetValue(5.0f), Pvector(5, 0, 0)));
    EXPECT_TRUE(Near(stray->GetValue(-5.0f), Pvector(0, 0, 0)));
    master.ReleaseItem(owner);
  }
  {
    // Members in their declared order: keys, end frame, curve.
    VoIControlVector v;
    EXPECT_LT(static_cast<void*>(&v.keys), static_cast<void*>(&v.endframe));
    EXPECT_LT(static_cast<void*>(&v.endframe), static_cast<void*>(&v.curve));
  }
  master.ReleaseItem(motion);
}

TEST_F(KeyControlTest, QuaternionCurves) {
  VoIMotion* motion = master.NewItem<VoIMotion>(nullptr);
  VoIControlQuaternion* c = master.NewItem<VoIControlQuaternion>(motion);
  EXPECT_EQ(c->GetValue(1.0f), Pquaternion(0, 0, 0, 1));
  const float h = std::sqrt(0.5f);
  const Pquaternion a(0, 0, 0, 1), b(0, 0, h, h), d(0, 0, 1, 0);
  c->SetKey(0, a);
  c->SetKey(10, b);
  c->SetKey(20, -d);  // opposite sign: the curves flip it to the near side
  {
    const float s = std::sin(3.14159265f / 8), co = std::cos(3.14159265f / 8);
    EXPECT_TRUE(Near(c->GetValue(5.0f), Pquaternion(0, 0, s, co), 1e-4f));
  }
  {
    // The keys turn 0°, 90° and 180° about z (the last flipped to the near
    // side). From the first key the inner points are a turned by -22.5° and b
    // itself; halfway Squad slerps halfway between the turns of 45° and
    // 33.75°: a turn of 39.375°, worked by hand.
    c->SetCurveType(VO_CURVE_SPLINE);
    const float half = 39.375f / 2 * 3.14159265f / 180;
    EXPECT_TRUE(Near(c->GetValue(5.0f), Pquaternion(0, 0, std::sin(half), std::cos(half)), 1e-5f));
  }
  {
    // At s = 0.5 the weights are -1/16, 9/16, 9/16, -1/16 on a (the first key
    // again), a, b and d (-d flipped towards b): 0.5 a + 0.5625 b - 0.0625 d,
    // normalised by hand.
    c->SetCurveType(VO_CURVE_BLEND);
    EXPECT_TRUE(Near(c->GetValue(5.0f), Pquaternion(0, 0, 0.34983519f, 0.93681126f), 1e-5f));
    EXPECT_TRUE(Near(c->GetValue(10.0f), b, 1e-5f));
  }
  master.ReleaseItem(motion);
}

TEST_F(KeyControlTest, StepControls) {
  {
    VoIControlString s;
    EXPECT_EQ(s.GetValue(3.0f), "unknown");
    s.SetKey(5, "open");
    s.SetKey(9, "shut");
    EXPECT_EQ(s.GetValue(4.9f), "unknown");
    EXPECT_EQ(s.GetValue(8.9f), "open");
    EXPECT_EQ(s.GetValue(100.0f), "shut");
    VoIControlRefer r;
    r.Copy(&s);
    EXPECT_EQ(r.GetValue(6.0f), "open");
    EXPECT_EQ(r.IsControlString(), nullptr);
  }
  {
    VoIControlTime t;
    EXPECT_EQ(t.GetValue(3.0f), 0.0f);
    t.SetKey(10, 2.0f);
    EXPECT_FLOAT_EQ(t.GetValue(15.0f), 7.0f);
    EXPECT_FLOAT_EQ(t.GetValue(10.5f), 2.5f);
    t.SetKey(20, -5.0f);
    EXPECT_EQ(t.GetValue(21.0f), 0.0f);  // never negative
  }
}

}  // namespace
