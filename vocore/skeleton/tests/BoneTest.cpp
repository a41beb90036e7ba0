// Bones: arranging between locates, degenerate aims, release and text.
#include <cstring>

#include "SkeletonFixture.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace skeltest {
namespace {

using BoneTest = MasterTest;

int deletedBones = 0;
struct CountedBone : VoIBone {
  using VoIBone::VoIBone;
  ~CountedBone() override { ++deletedBones; }
};

TEST_F(BoneTest, ArrangedChainRoundTripsThroughTheForwardPass) {
  Chain c = MakeChain();
  EXPECT_FLOAT_EQ(c.b1->GetLength(), 10.0f);
  EXPECT_FLOAT_EQ(c.b2->GetLength(), 6.0f);
  EXPECT_FLOAT_EQ(c.b1->GetHeadLength(), 1.0f);
  // The end hangs from the bone along its z axis.
  EXPECT_TRUE(Near(c.middle->GetPos(), Frx::Pvector(0, 0, 10), kTol));
  EXPECT_TRUE(Near(c.tip->GetPos(), Frx::Pvector(0, 0, 6), kTol));
  // The rest frame is the look-at from start to end.
  EXPECT_TRUE(Near(c.b1->S * Frx::Pvector(0, 10, 0), Frx::Pvector(0, 0, 10), kTol));
  EXPECT_TRUE(Near(c.b1->spos, Frx::Pvector(0, 0, 0), kTol));
  c.skel->ConvL2W(Frx::Pmatrix::id, 1);
  EXPECT_TRUE(Near(c.root->GetWPos(), Frx::Pvector(0, 0, 0), kTol));
  EXPECT_TRUE(Near(c.middle->GetWPos(), Frx::Pvector(0, 10, 0), kTol));
  EXPECT_TRUE(Near(c.tip->GetWPos(), Frx::Pvector(0, 10, 6), kTol));
  // After a pass the head reference points along the bone's y axis.
  Frx::Pvector up = c.b2->GetHeadVector() - c.b2->GetWPos();
  EXPECT_TRUE(Near(up / up.GetSize(), Frx::Pvector(0, 1, 0), 1e-4f));
  {
    // Moving the end and running the inverse pass turns the bone towards it.
    c.tip->SetWPos(Frx::Pvector(0, 13, 3));
    c.tip->SetChanged(1);
    c.b2->SetChanged(1);
    c.skel->ConvW2L(Frx::Pmatrix::id, 0);
    c.skel->ConvL2W(Frx::Pmatrix::id, 0);
    EXPECT_TRUE(Near(c.tip->GetWPos(), Frx::Pvector(0, 13, 3), kTol));
    EXPECT_TRUE(Near(c.tip->GetPos(), Frx::Pvector(0, 0, std::sqrt(18.0f)), kTol));
    EXPECT_TRUE(Near(c.middle->GetWPos(), Frx::Pvector(0, 10, 0), kTol));
  }
}

TEST_F(BoneTest, MissingAndDegenerateLocatesKeepValues) {
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  VoILocate* a = Make<VoILocate>(skel, "a");
  VoIBone* bone = Make<VoIBone>(skel, "b");
  {
    // No start: nothing is arranged and no marker reaches a position.
    bone->SetPos(Frx::Pvector(1, 2, 3));
    bone->SetEndLocate(a);
    const Frx::Pmatrix before = bone->S;
    EXPECT_EQ(bone->Arrange(), 0);
    EXPECT_EQ(std::memcmp(&before, &bone->S, sizeof before), 0);
    EXPECT_EQ(bone->GetLength(), 0.0f);
    EXPECT_TRUE(VoIBone::IsMissing(bone->GetWPosStart()));
    EXPECT_FLOAT_EQ(bone->GetWPosStart().z, 3.4028235e38f);
    EXPECT_EQ(bone->SetWPosStart(Frx::Pvector(0, 0, 0)), 0);
    bone->ExecUpdate();
    bone->ConvL2W(Frx::Pmatrix::id, 1);
    EXPECT_TRUE(Near(bone->GetPos(), Frx::Pvector(1, 2, 3), kTol));
    EXPECT_TRUE(Near(bone->GetWPos(), Frx::Pvector(1, 2, 3), kTol));
    bone->ConvTransW2L(1);
    EXPECT_TRUE(Near(bone->GetPos(), Frx::Pvector(1, 2, 3), kTol));
  }
  {
    // Zero length: start and end in one place.
    VoILocate* e = Make<VoILocate>(skel, "e");
    bone->SetStartLocate(a);
    bone->SetEndLocate(e);
    bone->SetHeadVector(Frx::Pvector(0, 1, 0));
    bone->SetRotate(Frx::Pquaternion(0, 0.6f, 0, 0.8f));
    EXPECT_EQ(bone->Arrange(), 1);
    EXPECT_TRUE(Finite(bone->GetStandardRotate()));
    EXPECT_TRUE(SameRotation(bone->GetStandardRotate(), Frx::Pquaternion::id, kTol));
    EXPECT_TRUE(SameRotation(bone->GetRotate(), Frx::Pquaternion(0, 0.6f, 0, 0.8f), kTol));
  }
  {
    // The direction parallel to the head vector, and a zero head vector.
    VoILocate* e = bone->GetEndLocate();
    e->SetWPos(Frx::Pvector(0, 4, 0));
    bone->ConvRotateW2L(1);
    EXPECT_TRUE(SameRotation(bone->GetRotate(), Frx::Pquaternion(0, 0.6f, 0, 0.8f), kTol));
    bone->SetHeadVector(Frx::Pvector(0, 0, 0));
    EXPECT_EQ(bone->Arrange(), 1);
    EXPECT_TRUE(Finite(bone->GetRotate()));
    EXPECT_TRUE(SameRotation(bone->GetStandardRotate(), Frx::Pquaternion::id, kTol));
    EXPECT_FLOAT_EQ(bone->GetLength(), 4.0f);
    bone->ConvL2W(Frx::Pmatrix::id, 1);
    EXPECT_TRUE(Finite(bone->GetWPos()));
  }
}

TEST_F(BoneTest, ReleaseAndRestPose) {
  Chain c = MakeChain();
  {
    c.root->SetPos(Frx::Pvector(3, 3, 3));
    c.b1->StandardPosition();
    EXPECT_TRUE(Near(c.root->GetPos(), Frx::Pvector(0, 0, 0), kTol));
    c.tip->SetPos(Frx::Pvector(1, 1, 1));
    c.skel->StandardPosition();
    EXPECT_TRUE(Near(c.tip->GetPos(), Frx::Pvector(0, 0, 6), kTol));
  }
  {
    EXPECT_EQ(c.skel->GetLocate("t"), c.tip);
    EXPECT_EQ(c.skel->GetBone("b2"), c.b2);
    EXPECT_EQ(c.skel->GetBone("T"), nullptr);
    EXPECT_EQ(c.skel->GetLocate(nullptr), nullptr);
    std::list<VoILocate*> list;
    c.skel->MakeList_Skelton(&list);
    std::vector<VoILocate*> order(list.begin(), list.end());
    EXPECT_EQ(order, (std::vector<VoILocate*>{c.root, c.b1, c.middle, c.b2, c.tip}));
    EXPECT_EQ(c.tip->GetSkelton(), c.skel);
  }
  {
    c.b2->SetHeadLocate(c.root);
    c.b2->SetKType(VoIBone::KTYPE_CONNECTED);
    c.b2->AddAffectLocate(c.tip, Frx::Pvector(1, 1, 1));
    VoRefer<VoIBone> hold(c.b2);  // the tree's count goes with the release
    master.ReleaseItem(c.b2);
    EXPECT_EQ(c.b2->GetStartLocate(), nullptr);
    EXPECT_EQ(c.b2->GetEndLocate(), nullptr);
    EXPECT_EQ(c.b2->GetHeadLocate(), nullptr);
    EXPECT_EQ(c.b2->GetKType(), VoIBone::KTYPE_NONE);
    ASSERT_EQ(c.b2->affect.size(), 3u);
    for (const auto& entry : c.b2->affect) EXPECT_TRUE(entry.locate.IsEmpty());
  }
}

TEST_F(BoneTest, BonesThatCarriedEachOtherAreFreed) {
  deletedBones = 0;
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  CountedBone* a = Make<CountedBone>(skel, "a");
  CountedBone* b = Make<CountedBone>(skel, "b");
  a->carrier = b;
  b->carrier = a;
  master.ReleaseItem(skel);
  roots.clear();
  EXPECT_EQ(deletedBones, 2);
}

TEST_F(BoneTest, TextBlocksAndSkeletonRoundTrip) {
  Chain c = MakeChain();
  VoIWLocate* w = Make<VoIWLocate>(c.skel, "W");
  w->SetFix(1);
  VoISiblingBone* sib = Make<VoISiblingBone>(c.skel, "Sib");
  sib->SetStartLocate(w);
  sib->SetEndLocate(c.root);
  c.b2->S.SetIdentity();
  c.b2->SetRotate(Frx::Pquaternion(0, 0, 0, 1));
  EXPECT_EQ(SaveText(c.b2),
            "Bone {\n"
            "\tname = \"B2\"\n"
            "\tcoordinate = \"B1\"\n"
            "\tsrot = ( 0.000000, 0.000000, 0.000000, 1.000000)\n"
            "\trot = ( 0.000000, 0.000000, 0.000000, 1.000000)\n"
            "\tstart = \"M\"\n"
            "\tend = \"T\"\n"
            "}\n");
  const std::string text = SaveText(c.skel);
  EXPECT_NE(text.find("\tWLocate {\n"), std::string::npos);
  EXPECT_NE(text.find("\tSiblingBone {\n"), std::string::npos);

  // Read back into a new skeleton: every block comes back, flat, and the
  // bones find their plain start and end locates.
  VoISkelton* copy = Make<VoISkelton>(nullptr, "copy");
  LoadBlock(copy, "Skelton", text);
  EXPECT_EQ(copy->GetChildCount(), 7);
  VoIBone* b2 = copy->GetBone("B2");
  ASSERT_NE(b2, nullptr);
  EXPECT_EQ(b2->GetStartLocate(), copy->GetLocate("M"));
  EXPECT_EQ(b2->GetEndLocate(), copy->GetLocate("T"));
  ASSERT_NE(b2->GetEndLocate(), nullptr);
  EXPECT_EQ(b2->GetEndLocate()->GetClassID(), VoILocate::CLASS_ID);
  VoILocate* w2 = copy->GetLocate("W");
  ASSERT_NE(w2, nullptr);
  EXPECT_NE(w2->IsWLocate(), nullptr);
  VoIBone* sib2 = copy->GetBone("Sib");
  ASSERT_NE(sib2, nullptr);
  EXPECT_NE(sib2->IsSiblingBone(), nullptr);
  EXPECT_EQ(sib2->GetStartLocate(), w2);
  EXPECT_TRUE(Near(copy->GetLocate("T")->GetPos(), Frx::Pvector(0, 0, 6), kTol));
  // An unknown block ends the skeleton's lines without breaking the reader.
  VoISkelton* other = Make<VoISkelton>(nullptr, "other");
  LoadBlock(other, "Skelton", "Skelton {\n Spring {\n name = \"x\"\n }\n Locate {\n name = \"late\"\n }\n}\n");
  EXPECT_EQ(other->GetChildCount(), 0);
}

}  // namespace
}  // namespace skeltest
