// Follow-the-leader IK on a chain and the chain length search.
#include "SkeletonFixture.h"

namespace skeltest {
namespace {

using KinematicsTest = MasterTest;

TEST_F(KinematicsTest, DragPullsTheChainAndKeepsBoneLengths) {
  Chain c = MakeChain();
  c.skel->ConvL2W(Frx::Pmatrix::id, 1);
  const Frx::Pvector target(4, 12, 3);
  EXPECT_EQ(c.tip->Kinematics(target, 1.0f), 1);
  EXPECT_EQ(c.tip->IsChanged(), 1);
  EXPECT_EQ(c.b2->IsChanged(), 1);
  EXPECT_EQ(c.root->IsChanged(), 1);
  EXPECT_TRUE(Near(c.tip->GetWPos(), target, kTol));
  // The middle goes to the point towards its old place at the tip's length.
  const Frx::Pvector towards = (Frx::Pvector(0, 10, 0) - target).GetAbs();
  EXPECT_TRUE(Near(c.middle->GetWPos(), target + towards * 6.0f, kTol));
  EXPECT_TRUE(Near(c.root->GetWPos(), Frx::Pvector(0, 0, 0), kTol));
  // The inverse and forward passes keep the pose.
  const Frx::Pvector middle = c.middle->GetWPos();
  c.skel->ConvW2L(Frx::Pmatrix::id, 0);
  c.skel->ConvL2W(Frx::Pmatrix::id, 0);
  EXPECT_TRUE(Near(c.tip->GetWPos(), target, kTol));
  EXPECT_TRUE(Near(c.middle->GetWPos(), middle, kTol));
  EXPECT_NEAR((c.tip->GetWPos() - c.middle->GetWPos()).GetSize(), 6.0f, 1e-3f);
  EXPECT_TRUE(Finite(c.b1->GetRotate()) && Finite(c.b2->GetRotate()));
}

TEST_F(KinematicsTest, ChainEndsAndDegenerateTargets) {
  Chain c = MakeChain();
  c.skel->ConvL2W(Frx::Pmatrix::id, 1);
  {
    // A chain end only takes the changed flag.
    c.root->Kinematics(Frx::Pvector(5, 5, 5), 1.0f);
    EXPECT_EQ(c.root->IsChanged(), 1);
    EXPECT_TRUE(Near(c.root->GetWPos(), Frx::Pvector(0, 0, 0), kTol));
  }
  {
    // Dragging onto the start of its own bone: no direction, nothing NaN.
    c.tip->Kinematics(Frx::Pvector(0, 10, 0), 1.0f);
    EXPECT_TRUE(Near(c.tip->GetWPos(), Frx::Pvector(0, 10, 0), kTol));
    EXPECT_TRUE(Near(c.middle->GetWPos(), Frx::Pvector(0, 10, 0), kTol));
    c.skel->ConvW2L(Frx::Pmatrix::id, 0);
    c.skel->ConvL2W(Frx::Pmatrix::id, 0);
    for (VoILocate* l : {c.root, c.middle, c.tip, static_cast<VoILocate*>(c.b1),
                         static_cast<VoILocate*>(c.b2)}) {
      EXPECT_TRUE(Finite(l->GetWPos())) << l->GetName();
      EXPECT_TRUE(Finite(l->GetPos())) << l->GetName();
    }
    EXPECT_TRUE(Finite(c.b2->GetRotate()));
  }
}

TEST_F(KinematicsTest, KinematicLengthFindsTheNearestChainEnd) {
  Chain c = MakeChain();
  {
    VoILocate* end = nullptr;
    EXPECT_FLOAT_EQ(c.tip->GetKinematicLength(&end, 0.0f, nullptr), 16.0f);
    EXPECT_EQ(end, c.root);
    EXPECT_FLOAT_EQ(c.root->GetKinematicLength(&end, 2.0f, nullptr), 2.0f);
    EXPECT_EQ(end, c.root);
  }
  {
    // Down the chain from the root's side: through the bone that starts at
    // the middle to its plain child locate, once it ends a chain.
    c.root->IKchain = 1;
    VoILocate* end = c.root;
    EXPECT_FLOAT_EQ(c.tip->GetKinematicLength(&end, 0.0f, nullptr), 3.4028235e38f);
    EXPECT_EQ(end, nullptr);
    c.tip->IKchain = 0;
    EXPECT_FLOAT_EQ(c.middle->GetKinematicLength(&end, 0.0f, nullptr), 6.0f);
    EXPECT_EQ(end, c.tip);
  }
}

}  // namespace
}  // namespace skeltest
