// Pose edits of the skeleton companions: FK aiming and twisting of bones, IK
// drags of locates, world locates and sibling bones with relaxation.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "editor/app/FrameLoop.h"
#include "editor/extend/CompanionContext.h"
#include "editor/extend/GuiBone.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/manip/BoneGrab.h"
#include "editor/manip/PoseEdits.h"
#include "editor/manip/PoseQueue.h"
#include "editor/manip/testing/ViewFixture.h"
#include "ferrox/testing/Near.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

using FrxTest::Near;

bool Finite(const Frx::Pvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

class Recorder : public PoseQueue {
 public:
  void Queue(VoIItem* item) override { queued.push_back(item); }
  std::vector<VoIItem*> queued;
};

class PoseEditTest : public mtest::ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    character = NewCharacter("c");
    skelton = SkeletonOf(character);
    chain = MakeChain(skelton);
  }
  // The bone's direction in the world (its own Z).
  static Frx::Pvector Aim(VoIBone* bone) {
    const Frx::Pmatrix& m = bone->GetMatrixL2W();
    return Frx::Pvector(m._31, m._32, m._33).GetUnit();
  }

  VoICharacter* character = nullptr;
  VoISkelton* skelton = nullptr;
  Chain chain{};
};

TEST_F(PoseEditTest, DraggingABoneAimsItAtThePointer) {
  VoIBone* b2 = chain.b2;  // from M (0, 100, 0) to T (100, 100, 0)
  EXPECT_TRUE(Near(Aim(b2), Frx::Pvector(1.0f, 0.0f, 0.0f), 1e-3f));
  const Frx::Pvector mid = Window(Frx::Pvector(50.0f, 100.0f, 0.0f));
  {
    // Not selected: the press does nothing to it.
    Dispatch(Press(mid.x, mid.y));
    EXPECT_TRUE(doc->deferred.empty());
  }
  host().ClickSelect(b2, 0);
  Dispatch(Press(mid.x, mid.y));
  auto* gui = dynamic_cast<GuiBone*>(GetItemGui(b2));
  ASSERT_NE(gui, nullptr);
  EXPECT_EQ(gui->dragState, 1);
  EXPECT_TRUE(doc->deferred.empty());  // taking hold is no edit
  // Up by 100 pixels: the grab point (the bone's middle) rises, the bone turns to it.
  Dispatch(Move(mid.x, mid.y - 100.0f, 0.0f, -100.0f));
  ASSERT_FALSE(doc->deferred.empty());
  EXPECT_EQ(doc->deferred.back().Get(), b2);
  const Frx::Pvector grabbed = Window(Frx::Pvector(50.0f, 100.0f, 0.0f));
  Frx::Pvector world;
  ASSERT_TRUE(Companion::CurrentScreen().Unproject(Frx::Pvector(grabbed.x, grabbed.y - 100.0f, grabbed.z), &world));
  const Frx::Pvector wanted = (world - Frx::Pvector(0.0f, 100.0f, 0.0f)).GetUnit();
  EXPECT_TRUE(Near(Aim(b2), wanted, 1e-3f));
  EXPECT_GT(Aim(b2).y, 0.5f);
}

TEST_F(PoseEditTest, ADraggedBoneIsKeyedAtTheCurrentFrame) {
  // The character has no motion yet: the next frame makes one (after saying
  // so) and keys the new pose there.
  const Frx::Pvector mid = Window(Frx::Pvector(50.0f, 100.0f, 0.0f));
  host().ClickSelect(chain.b2, 0);
  Dispatch(Press(mid.x, mid.y));
  Dispatch(Move(mid.x, mid.y - 60.0f, 0.0f, -60.0f));
  Dispatch(Release(mid.x, mid.y - 60.0f));
  const Frx::Pquaternion posed = chain.b2->GetRotate();
  FrameLoop::DeferredPass(*doc, doc->current);
  EXPECT_TRUE(boxes.Saw("モーションが存在しません"));
  VoIMotion* motion = character->GetMotion();
  ASSERT_NE(motion, nullptr);
  VoIControlQuaternion* rot = nullptr;
  for (VoControlConnect& link : character->connections)
    if (link.item.Get() == chain.b2 && link.control.Get()) rot = link.control->IsControlQuaternion();
  ASSERT_NE(rot, nullptr);
  ASSERT_NE(rot->GetKey(0), nullptr);
  EXPECT_TRUE(FrxTest::SameRotation(rot->GetKey(0)->value, posed, 1e-4f));
}

TEST_F(PoseEditTest, AClickThatDoesNotMoveEditsNothing) {
  // A coordinate with no reference to a parent locate, as imported joints
  // are: any conversion of its world values would move it.
  VoICoordinate* joint = Make<VoICoordinate>(chain.b1, "joint");
  joint->SetPos(Frx::Pvector(-60.0f, 40.0f, 0.0f));
  skelton->ConvL2W(Frx::Pmatrix::id, 1);
  auto pose = [&] {
    std::vector<float> v;
    for (VoILocate* l : {chain.root, chain.middle, chain.tip, static_cast<VoILocate*>(chain.b1),
                         static_cast<VoILocate*>(chain.b2), static_cast<VoILocate*>(joint)})
      v.insert(v.end(), &l->GetMatrixL2W()._11, &l->GetMatrixL2W()._11 + 16);
    return v;
  };
  const std::vector<float> rest = pose();
  const struct {
    VoILocate* item;
    int handle;  // Handle::None: the bone itself, at its middle
  } cases[] = {{chain.b2, Handle::None}, {chain.b2, Handle::RingX}, {joint, Handle::Centre},
               {joint, Handle::AxisY},   {joint, Handle::RingZ},    {chain.tip, Handle::AxisX}};
  for (const auto& c : cases) {
    host().ClickSelect(c.item, 0);
    DrawSelected();
    GuiManipulator* m = dynamic_cast<GuiSkeletonItem*>(GetItemGui(c.item))->Manipulator();
    const Frx::Pvector at = c.handle ? m->screen[c.handle] : Window(Frx::Pvector(50.0f, 100.0f, 0.0f));
    for (const MouseRecord& r : {Press(at.x, at.y), Move(at.x, at.y, 0.0f, 0.0f), Release(at.x, at.y)}) Dispatch(r);
    EXPECT_EQ(m->active, c.handle) << c.item->GetName();
    EXPECT_TRUE(doc->deferred.empty()) << c.item->GetName() << " " << c.handle;
    EXPECT_EQ(pose(), rest) << c.item->GetName() << " " << c.handle;
  }
  // So the character without a motion is not offered one.
  FrameLoop::DeferredPass(*doc, doc->current);
  EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(PoseEditTest, ABoneSeenEndOnStaysFinite) {
  // Points of a segment that projects to one point grab at its start.
  struct Case {
    Frx::Pvector a, b, p;
    float t;
  } cases[] = {{{0, 0, 0}, {10, 0, 0}, {5, 3, 0}, 0.5f},
               {{0, 0, 0}, {10, 0, 0}, {-5, 0, 0}, 0.0f},
               {{0, 0, 0}, {10, 0, 0}, {25, 0, 0}, 1.0f},
               {{4, 4, 0}, {4, 4, 9}, {7, 1, 0}, 0.0f}};
  for (const Case& k : cases) EXPECT_FLOAT_EQ(BoneGrab::NearestOnSegment(k.a, k.b, k.p), k.t);
  // B2 along the line of sight from the eye (0, 0, 1000) through M.
  VoIBone* b = chain.b2;
  chain.tip->SetWPos(Frx::Pvector(0.0f, 90.0f, 100.0f));
  b->SetChanged(1);
  b->ConvRotateW2L(0);
  const Frx::Pvector at = Window(Frx::Pvector(0.0f, 100.0f, 0.0f));
  Frx::Pvector window, world;
  ASSERT_TRUE(BoneGrab::Grab(b, Companion::CurrentScreen(), at.x, at.y, &window, &world));
  EXPECT_TRUE(Finite(world) && Finite(window));
  EXPECT_LE((world - chain.middle->GetWPos()).GetSize(), (chain.tip->GetWPos() - chain.middle->GetWPos()).GetSize() + 1e-2f);
  host().ClickSelect(b, 0);
  Dispatch(Press(at.x, at.y));
  Dispatch(Move(at.x + 30.0f, at.y, 30.0f, 0.0f));
  EXPECT_TRUE(Finite(chain.tip->GetWPos()));
  EXPECT_TRUE(std::isfinite(b->GetRotate().w));
}

TEST_F(PoseEditTest, TheWheelTwistsABoneAboutItsOwnZ) {
  VoIBone* b = chain.b2;
  host().ClickSelect(b, 0);
  const Frx::Pquaternion before = b->GetRotate();
  MouseRecord wheel = Move(0.0f, 0.0f, 0.0f, 0.0f, 0);
  wheel.wheel = 120.0f;
  Dispatch(wheel);
  const Frx::Pquaternion turn = before.GetInverse() * b->GetRotate();
  const float degrees = 2.0f * std::acos(std::fmin(1.0f, std::fabs(turn.w))) * 180.0f / 3.14159265f;
  EXPECT_NEAR(degrees, 2.0f * std::atan(1.0f / (120.0f * 5.0f * 3.14159265f / 180.0f)) * 180.0f / 3.14159265f, 0.05f);
  EXPECT_NEAR(std::fabs(turn.z), std::sqrt(1.0f - turn.w * turn.w), 1e-4f);  // about Z only
  EXPECT_EQ(doc->deferred.back().Get(), b);
}

TEST_F(PoseEditTest, AnIkDragPullsTheChain) {
  VoILocate* tip = chain.tip;  // IKchain 1; the root ends the chain
  doc->editSpace = 2;
  host().ClickSelect(tip, 0);
  DrawSelected();
  auto* gui = dynamic_cast<GuiSkeletonItem*>(GetItemGui(tip));
  GuiManipulator* m = gui->Manipulator();
  const Frx::Pvector at = m->screen[Handle::AxisX];
  Dispatch(Press(at.x, at.y));
  Dispatch(Move(at.x + 40.0f, at.y, 40.0f, 0.0f));
  EXPECT_TRUE(Near(tip->GetWPos(), Frx::Pvector(140.0f, 100.0f, 0.0f), 1e-3f));
  // The middle follows at the bone's length; the root stays.
  EXPECT_NEAR((chain.middle->GetWPos() - tip->GetWPos()).GetSize(), 100.0f, 1e-2f);
  EXPECT_TRUE(Near(chain.root->GetWPos(), Frx::Pvector(0.0f, 0.0f, 0.0f)));
  EXPECT_EQ(doc->deferred.back().Get(), tip);
}

TEST_F(PoseEditTest, AMiddlePressPinsAWorldLocateOnce) {
  VoIWLocate* w = Make<VoIWLocate>(skelton, "w");
  host().ClickSelect(w, 0);
  MouseRecord press = Move(0.0f, 0.0f, 0.0f, 0.0f, MouseRecord::MiddleDown | MouseRecord::MiddleChanged);
  MouseRecord held = Move(5.0f, 0.0f, 5.0f, 0.0f, MouseRecord::MiddleDown);
  struct Step {
    MouseRecord record;
    int fix;
  } steps[] = {{press, 1}, {held, 1}, {held, 1}, {press, 0}, {held, 0}};
  for (const Step& s : steps) {
    Dispatch(s.record);
    EXPECT_EQ(w->IsFix(), s.fix);
  }
}

TEST_F(PoseEditTest, MovingASiblingBoneLeavesFixedLocatesWhereTheyAre) {
  VoISiblingBone* sb = Make<VoISiblingBone>(skelton, "sb");
  VoILocate* free = Make<VoILocate>(skelton, "free");
  VoIWLocate* pinned = Make<VoIWLocate>(skelton, "pinned");
  VoILocate* third = Make<VoILocate>(skelton, "third");
  pinned->SetFix(1);
  pinned->SetWPos(Frx::Pvector(5.0f, 5.0f, 5.0f));
  third->SetWPos(Frx::Pvector(7.0f, 7.0f, 7.0f));
  sb->affect.clear();
  sb->AddAffectLocate(free, Frx::Pvector(1.0f, 0.0f, 0.0f));
  sb->AddAffectLocate(pinned, Frx::Pvector(2.0f, 0.0f, 0.0f));
  sb->AddAffectLocate(third, Frx::Pvector(3.0f, 0.0f, 0.0f));
  Recorder queue;
  PoseEdits::MoveSiblingBone(sb, Frx::Pvector(10.0f, 20.0f, 30.0f), Frx::Pvector(1.0f, 0.0f, 0.0f), queue);
  // P + R (v - G) with R the bone's (identity) rotation: the grab lands on P.
  EXPECT_TRUE(Near(free->GetWPos(), Frx::Pvector(10.0f, 20.0f, 30.0f), 1e-3f));
  EXPECT_TRUE(Near(pinned->GetWPos(), Frx::Pvector(5.0f, 5.0f, 5.0f)));
  EXPECT_TRUE(Near(third->GetWPos(), Frx::Pvector(7.0f, 7.0f, 7.0f)));  // the third entry is never moved
  ASSERT_EQ(queue.queued.size(), 1u);
  EXPECT_EQ(queue.queued[0], sb);
}

}  // namespace
