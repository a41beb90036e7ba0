// Import through the master: the poses keys give, and files refused without
// losing anything. (What each file becomes is pinned by the golden folders.)
#include <gtest/gtest.h>

#include "SorvelFixture.h"
#include "plugins/Sorvel/BvhParser.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/Near.h"
#include "vocore/item/VoDescent.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoILocate.h"

namespace sorveltest {
namespace {

using FrxTest::Near;

using BvhImport = SorvelFixture;

// The frame time is not read: a frame is two engine frames whatever it says.
TEST_F(BvhImport, IgnoresTheFrameTime) {
  std::string text = FixtureText("two-roots");
  VoICharacter* a = NewCharacter("a");
  VoICharacter* b = NewCharacter("b");
  ASSERT_EQ(ImportText(text, a, "a.bvh"), a);
  ASSERT_EQ(ImportText(text.replace(text.find("0.033333"), 8, "0.008333"), b, "b.bvh"), b);
  EXPECT_EQ(b->GetMotion()->endframe, 4);
  EXPECT_EQ(DumpMotion(a), DumpMotion(b));
}

// A chain posed through VoMaster::Animation, at the keys and between them.
TEST_F(BvhImport, KeysPoseTheChain) {
  const char* chain =
      "ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 6 Xposition Yposition Zposition Zrotation Yrotation Xrotation\n"
      "JOINT b\n{\nOFFSET 0 2 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n"
      "End Site\n{\nOFFSET 0 1 0\n}\n}\n}\n";
  VoICharacter* c = NewCharacter();
  ASSERT_EQ(ImportText(BvhText(chain, 2, "0 0 0 0 0 0 0 0 0\n10 0 0 90 0 0 90 0 0\n"), c), c);
  const struct {
    float frame;
    Frx::Pvector a, b;
  } poses[] = {
      {0, {0, 0, 0}, {0, 2, 0}},
      {2, {10, 0, 0}, {8, 0, 0}},  // a turned 90 degrees about Z: b's offset points along -X
      {1, {5, 0, 0}, {5 - 1.41421356f, 1.41421356f, 0}},
  };
  for (const auto& p : poses) {
    SCOPED_TRACE(p.frame);
    PoseAt(c, p.frame);
    const std::vector<Frx::Pvector> world = JointWorldPositions(c);
    ASSERT_EQ(world.size(), 2u);
    EXPECT_TRUE(Near(world[0], p.a, 1e-4f));
    EXPECT_TRUE(Near(world[1], p.b, 1e-4f));
    // Turning world positions back into local ones (as every pose edit does)
    // goes through the joint each hangs from and gives back the same values.
    for (const char* name : {"b", "End Site"}) {
      VoILocate* locate = Find(c, name)->IsLocate();
      const Frx::Pvector local = locate->GetPos();
      locate->ConvTransW2L(1);
      EXPECT_TRUE(Near(locate->GetPos(), local, 1e-4f)) << name;
    }
  }
}

// A refused file shows one message and leaves the character as it was: its
// items, its bound motion and keys, the character itself.
TEST_F(BvhImport, RefusedFilesLoseNothing) {
  const std::string joint = "ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n";
  const std::string good = FixtureText("two-roots");
  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"truncated", good.substr(0, good.size() / 2)},
      {"partial channels", BvhText("ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 2 Zrotation Xrotation\n}\n", 1, "0 0\n")},
      {"wrong channel count", BvhText("ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 4 Zrotation Yrotation Xrotation\n}\n", 1, "0 0 0\n")},
      {"wrong frame count", BvhText(joint, 3, "0 0 0\n1 1 1\n")},
      {"huge frame count", BvhText(joint, 2147483647, "0 0 0\n1 1 1\n")},
      {"exponent", BvhText(joint, 2, "0 0 0\n1e-05 1 1\n")},
      {"stray word", BvhText(joint, 2, "0 0 0\n1 one 1\n")},
  };
  VoICharacter* c = NewCharacter();
  ASSERT_EQ(ImportText(good, c), c);
  VoIMotion* before = c->GetMotion();
  const std::vector<VoIItem*> items = Children(c);
  const std::string motionText = DumpMotion(c);
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.label);
    boxes.Clear();
    EXPECT_EQ(ImportText(bad.text, c, "bad.bvh"), nullptr);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(IsStructureError(boxes.Texts()[0])) << boxes.Texts()[0];
    EXPECT_FALSE(c->IsRelease());
    EXPECT_EQ(Children(c), items);
    EXPECT_EQ(c->GetMotion(), before);
    EXPECT_EQ(DumpMotion(c), motionText);
  }
  boxes.Clear();
  const std::string missing = Scratch("missing.bvh");
  EXPECT_EQ(master.Import(missing.c_str(), c, 0), nullptr);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Texts()[0], "ファイルが読み込めません。\nファイル名:" + missing);
  EXPECT_EQ(Children(c), items);
}

// A chain of 100 joints ending in an End Site nests 102 levels below the
// branch: imported where it reaches exactly the engine's limit it is built,
// one level lower it is refused before anything is made.
TEST_F(BvhImport, NestsNoDeeperThanTheLimitBelowAnyBranch) {
  constexpr int kJoints = 100, kLevels = kJoints + 2;
  std::string chain;
  for (int i = 0; i < kJoints; ++i) chain += "JOINT j\n{\nOFFSET 0 1 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n";
  chain += "End Site\n{\nOFFSET 0 1 0\n}\n";
  for (int i = 0; i < kJoints; ++i) chain += "}\n";
  std::string frame;
  for (int i = 0; i < 3 * kJoints; ++i) frame += "0 ";
  const std::string text = BvhText(chain, 1, frame + "\n");
  for (const int above : {VoIBranch::MaxDepth - kLevels, VoIBranch::MaxDepth - kLevels + 1}) {
    SCOPED_TRACE(above);
    const bool fits = above + kLevels <= VoIBranch::MaxDepth;
    boxes.Clear();
    FrxTest::LogCapture log;
    VoIBranch* c = NewCharacter();
    for (int i = 0; i < above; ++i) c = Make<VoICharacter>(c, "c");
    EXPECT_EQ(ImportText(text, c), fits ? c : nullptr);
    if (fits) {
      VoIItem* site = Find(c, "End Site");
      ASSERT_NE(site, nullptr);
      EXPECT_EQ(Vo::Depth(site), VoIBranch::MaxDepth);
      EXPECT_EQ(boxes.Count(), 0);
      continue;
    }
    EXPECT_EQ(c->GetFirstChild(), nullptr);
    ASSERT_EQ(boxes.Count(), 1);
    const std::string error = Bvh::StructureError("", 0);
    EXPECT_EQ(boxes.Texts()[0].rfind(error.substr(0, error.find('(')), 0), 0u) << boxes.Texts()[0];
    EXPECT_EQ(log.Count("ジョイント \"End Site\" の階層が深すぎます (102 段、上限 101 段)"), 1) << log.Text();
  }
}

}  // namespace
}  // namespace sorveltest
