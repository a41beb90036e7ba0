// Import through the master: the items a file becomes, the poses its keys
// give, and files that are refused without losing anything.
#include <gtest/gtest.h>

#include "SorvelFixture.h"
#include "ferrox/math/tests/MathNear.h"
#include "plugins/Sorvel/BvhRotation.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace sorveltest {
namespace {

using BvhImport = SorvelFixture;

TEST_F(BvhImport, BuildsSkeletonMotionAndControls) {
  VoICharacter* c = NewCharacter();
  ASSERT_EQ(ImportText(BvhText(kTwoRoots, 3, TwoRootsFrames(3)), c), c);
  EXPECT_TRUE(boxes.empty());
  const std::vector<VoIItem*> top = Children(c);
  ASSERT_EQ(top.size(), 2u);
  VoISkelton* skeleton = top[0]->IsSkelton();
  VoIMotion* motion = top[1]->IsMotion();
  ASSERT_TRUE(skeleton && motion);
  EXPECT_EQ(skeleton->name, "hierarchy");
  EXPECT_EQ(motion->name, "motion");
  EXPECT_EQ(c->GetMotion(), motion);
  EXPECT_EQ(motion->endframe, 4);
  EXPECT_EQ(motion->loop, 0);

  // Coordinates at their OFFSETs, End Sites as locates, two ROOTs.
  const struct {
    const char* path[3];
    unsigned long classId;
    Frx::Pvector pos;
  } nodes[] = {
      {{"Hips"}, VoICoordinate::CLASS_ID, {0, 1, 2}},  // its position channels drive pos
      {{"Hips", "Chest"}, VoICoordinate::CLASS_ID, {0, 5, 0}},
      {{"Hips", "Chest", "End Site"}, VoILocate::CLASS_ID, {0, 2, 0}},
      {{"Prop"}, VoICoordinate::CLASS_ID, {12, 13, 14}},
      {{"Prop", "End Site"}, VoILocate::CLASS_ID, {1, 0, 0}},
  };
  for (const auto& n : nodes) {
    VoIBranch* at = skeleton;
    VoIItem* item = nullptr;
    for (const char* name : n.path) {
      if (!name) break;
      item = nullptr;
      for (VoIItem* child : Children(at))
        if (child->name == name) item = child;
      ASSERT_NE(item, nullptr) << name;
      at = item->IsBranch();
    }
    SCOPED_TRACE(item->name);
    EXPECT_EQ(item->GetClassID(), n.classId);
    EXPECT_TRUE(Near(item->IsLocate()->GetPos(), n.pos));
  }
  EXPECT_EQ(Children(skeleton).size(), 2u);

  // One Quaternion control a joint, a Vector control where positions are
  // read, all linear, keyed at 0, 2 and 4; Prop's positions come from the
  // end of its channels.
  const struct {
    unsigned long classId;
    const char* name;
    const char* drives;
    Frx::Pvector key4;  // a position key's value at frame 4
  } controls[] = {
      {VoIControlQuaternion::CLASS_ID, "Hips", "Coordinate.rot", {}},
      {VoIControlVector::CLASS_ID, "Hips", "Locate.pos", {200, 201, 202}},
      {VoIControlQuaternion::CLASS_ID, "Chest", "Coordinate.rot", {}},
      {VoIControlQuaternion::CLASS_ID, "Prop", "Coordinate.rot", {}},
      {VoIControlVector::CLASS_ID, "Prop", "Locate.pos", {212, 213, 214}},
  };
  const std::vector<VoIItem*> made = Children(motion);
  ASSERT_EQ(made.size(), std::size(controls));
  for (size_t i = 0; i < made.size(); ++i) {
    SCOPED_TRACE(i);
    auto* control = static_cast<VoIKeyControlBase*>(made[i]->IsKeyControl());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetClassID(), controls[i].classId);
    EXPECT_EQ(control->name, controls[i].name);
    EXPECT_EQ(std::string(control->GetOutClassName()) + "." + control->GetOutMemberName(), controls[i].drives);
    ASSERT_EQ(control->GetKeySize(), 3);
    for (unsigned k = 0; k < 3; ++k) EXPECT_EQ(control->GetKeyFrame(k), long(2 * k));
    if (VoIControlVector* v = control->IsControlVector()) {
      EXPECT_EQ(v->curve, VO_CURVE_LINEAR);
      EXPECT_TRUE(Near(v->keys[2].value, controls[i].key4));
    } else {
      EXPECT_EQ(control->IsControlQuaternion()->curve, VO_CURVE_LINEAR);
    }
  }
  // Prop's rotation keys come from its first three values, in place.
  const float propAngles[3] = {209, 210, 211};
  EXPECT_TRUE(Near(made[3]->IsControlQuaternion()->keys[2].value,
                   Bvh::ComposeRotation(*Bvh::FindRotationOrder(0x123), propAngles)));
  EXPECT_EQ(c->connections.size(), 5u);
}

// The frame time is not read: a frame is two engine frames whatever it says.
TEST_F(BvhImport, IgnoresTheFrameTime) {
  VoICharacter* a = NewCharacter("a");
  VoICharacter* b = NewCharacter("b");
  ASSERT_EQ(ImportText(BvhText(kTwoRoots, 3, TwoRootsFrames(3), "0.008333"), a, "a.bvh"), a);
  ASSERT_EQ(ImportText(BvhText(kTwoRoots, 3, TwoRootsFrames(3), "0.033333"), b, "b.bvh"), b);
  EXPECT_EQ(DumpMotion(a), DumpMotion(b));
}

// A chain posed through VoMaster::Animation: world positions at the keys and
// between them.
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
  }
}

// A file without frames keeps its skeleton; its motion has no keys and ends at 0.
TEST_F(BvhImport, NoFramesGiveAnEmptyMotion) {
  VoICharacter* c = NewCharacter();
  ASSERT_EQ(ImportText(BvhText(kTwoRoots, 0, ""), c), c);
  ASSERT_NE(c->GetMotion(), nullptr);
  EXPECT_EQ(c->GetMotion()->endframe, 0);
  EXPECT_EQ(c->GetMotion()->GetChildCount(), 0);
  EXPECT_EQ(JointWorldPositions(c).size(), 3u);
}

// A refused file shows one message and leaves the character as it was: its
// items, its bound motion, the character itself.
TEST_F(BvhImport, RefusedFilesLoseNothing) {
  const std::string joint = "ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n";
  const std::string good = BvhText(kTwoRoots, 2, TwoRootsFrames(2));
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
  ASSERT_EQ(ImportText(BvhText(kTwoRoots, 2, TwoRootsFrames(2)), c), c);
  VoIMotion* before = c->GetMotion();
  const std::vector<VoIItem*> items = Children(c);
  const std::string motionText = DumpMotion(c);
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.label);
    boxes.clear();
    EXPECT_EQ(ImportText(bad.text, c, "bad.bvh"), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(IsStructureError(boxes[0])) << boxes[0];
    EXPECT_FALSE(c->IsRelease());
    EXPECT_EQ(Children(c), items);
    EXPECT_EQ(c->GetMotion(), before);
    EXPECT_EQ(DumpMotion(c), motionText);
  }
  boxes.clear();
  const std::string missing = Scratch("missing.bvh");
  EXPECT_EQ(master.Import(missing.c_str(), c, 0), nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "ファイルが読み込めません。\nファイル名:" + missing);
  EXPECT_EQ(Children(c), items);
}

}  // namespace
}  // namespace sorveltest
