// Locate and coordinate transforms, arranging, rest rotations and text.
#include "SkeletonFixture.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace skeltest {
namespace {

Frx::Pquaternion AboutZ(float degrees) {
  Frx::Pquaternion q;
  q.SetEulerXYZ(Frx::Pvector(0, 0, degrees));
  return q;
}

using LocateTest = MasterTest;

TEST_F(LocateTest, ForwardPassBuildsWorldMatrices) {
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  VoICoordinate* c = Make<VoICoordinate>(skel, "c");
  {
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ((&c->L2W._11)[i], (&Frx::Pmatrix::id._11)[i]);
      EXPECT_EQ((&c->P2L._11)[i], (&Frx::Pmatrix::id._11)[i]);
      EXPECT_EQ((&c->S._11)[i], (&Frx::Pmatrix::id._11)[i]);
    }
    c->SetPos(Frx::Pvector(1, 2, 3));
    c->ConvL2W(Frx::Pmatrix::id, 0);
    EXPECT_TRUE(Near(c->GetWPos(), Frx::Pvector(1, 2, 3), kTol));
    EXPECT_EQ(c->IsChanged(), 0);
  }
  {
    // A child locate of a coordinate turned 90 degrees about z.
    VoILocate* l = Make<VoILocate>(c, "l");
    l->SetCoordinate(c);
    l->SetPos(Frx::Pvector(1, 0, 0));
    c->SetRotate(AboutZ(90));
    Frx::Pmatrix parent;
    parent.SetTranslate(Frx::Pvector(10, 0, 0));
    c->ConvL2W(parent, 0);
    EXPECT_TRUE(Near(c->GetWPos(), Frx::Pvector(11, 2, 3), kTol));
    EXPECT_TRUE(Near(l->GetWPos(), Frx::Pvector(11, 3, 3), kTol));
  }
}

TEST_F(LocateTest, InversePassesTurnWorldIntoLocal) {
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  VoICoordinate* c = Make<VoICoordinate>(skel, "c");
  VoICoordinate* k = Make<VoICoordinate>(c, "k");
  k->SetCoordinate(c);
  c->SetRotate(AboutZ(90));
  c->SetPos(Frx::Pvector(5, 0, 0));
  k->SetPos(Frx::Pvector(1, 0, 0));
  skel->ConvL2W(Frx::Pmatrix::id, 0);
  {
    // Unchanged and not forced: nothing moves, children included.
    k->SetWPos(Frx::Pvector(7, 7, 7));
    c->ConvW2L(Frx::Pmatrix::id, 0);
    EXPECT_TRUE(Near(k->GetPos(), Frx::Pvector(1, 0, 0), kTol));
    EXPECT_TRUE(Near(k->GetWPos(), Frx::Pvector(7, 7, 7), kTol));
  }
  {
    // A world rotation equal to the parent's becomes the identity locally.
    c->SetChanged(1);
    k->SetChanged(1);
    k->SetWPos(Frx::Pvector(5, 3, 0));
    k->SetRotate(AboutZ(90));
    c->ConvW2L(Frx::Pmatrix::id, 0);
    EXPECT_TRUE(Near(k->GetPos(), Frx::Pvector(3, 0, 0), kTol));
    EXPECT_TRUE(SameRotation(k->GetRotate(), Frx::Pquaternion::id, kTol));
    EXPECT_TRUE(Near(k->GetWPos(), Frx::Pvector(5, 3, 0), kTol));
  }
  {
    // Translation only, and only when changed or forced.
    k->SetChanged(0);
    k->SetWPos(Frx::Pvector(5, -2, 0));
    k->ConvTransW2L(0);
    EXPECT_TRUE(Near(k->GetPos(), Frx::Pvector(3, 0, 0), kTol));
    k->ConvTransW2L(1);
    EXPECT_TRUE(Near(k->GetPos(), Frx::Pvector(-2, 0, 0), kTol));
  }
  {
    // ConvLocalRotate reads rot back from the world matrix.
    k->SetRotate(AboutZ(30));
    k->MakeWorldMatrix(c->GetMatrixL2W());
    k->SetRotate(Frx::Pquaternion::id);
    k->ConvLocalRotate();
    EXPECT_TRUE(SameRotation(k->GetRotate(), AboutZ(30), kTol));
  }
}

TEST_F(LocateTest, SkeletonRotationPassKeepsUnchangedLocalRotations) {
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  VoICoordinate* c = Make<VoICoordinate>(skel, "c");
  VoICoordinate* k = Make<VoICoordinate>(c, "k");
  k->SetCoordinate(c);
  c->SetRotate(AboutZ(90));
  k->SetRotate(AboutZ(20));
  skel->ConvL2W(Frx::Pmatrix::id, 0);
  skel->ConvRotateW2L(0);
  skel->ConvRotateW2L(0);
  EXPECT_TRUE(SameRotation(k->GetRotate(), AboutZ(20), kTol));
  EXPECT_TRUE(SameRotation(c->GetRotate(), AboutZ(90), kTol));
  // A changed coordinate is still converted from world to local.
  k->SetChanged(1);
  k->SetRotate(AboutZ(110));
  skel->ConvRotateW2L(0);
  EXPECT_TRUE(SameRotation(k->GetRotate(), AboutZ(20), kTol));
}

TEST_F(LocateTest, ArrangeAndRestPose) {
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  VoILocate* l = Make<VoILocate>(skel, "l");
  VoICoordinate* c = Make<VoICoordinate>(skel, "c");
  {
    // A locate fails when a child fails; a coordinate never does.
    VoILocate* inner = Make<VoILocate>(l, "inner");
    inner->SetWPos(Frx::Pvector(1, 1, 1));
    Make<VoIBone>(l, "loose");
    Make<VoIBone>(c, "loose2");
    l->SetWPos(Frx::Pvector(2, 0, 0));
    EXPECT_EQ(l->Arrange(), 0);
    EXPECT_EQ(c->Arrange(), 1);
    EXPECT_EQ(inner->GetLocate(), l);
    EXPECT_TRUE(Near(inner->GetPos(), Frx::Pvector(-1, 1, 1), kTol));
    EXPECT_TRUE(Near(l->spos, Frx::Pvector(2, 0, 0), kTol));
    EXPECT_EQ(l->IsEndSite(), 0);  // c is a sibling coordinate
    EXPECT_EQ(inner->IsEndSite(), 0);  // the loose bone is one
  }
  {
    l->SetPos(Frx::Pvector(9, 9, 9));
    skel->StandardPosition();
    EXPECT_TRUE(Near(l->GetPos(), Frx::Pvector(2, 0, 0), kTol));
  }
  {
    VoICoordinate* k = Make<VoICoordinate>(c, "k");
    k->SetCoordinate(c);
    c->SetStandardRotate(AboutZ(40));
    k->SetStandardRotate(AboutZ(40));
    k->SetRotate(AboutZ(75));
    k->StandardRotate();
    EXPECT_TRUE(SameRotation(k->GetRotate(), Frx::Pquaternion::id, kTol));
    k->SetStandardRotate(AboutZ(10));
    skel->StandardRotate();
    EXPECT_TRUE(SameRotation(k->GetRotate(), AboutZ(30), kTol));
    // The rest position is seen through the inverse rest frame.
    VoILocate* p = Make<VoILocate>(k, "p");
    p->SetCoordinate(k);
    p->SetPos(Frx::Pvector(1, 0, 0));
    EXPECT_TRUE(Near(p->GetSPos(), Frx::Pvector(std::cos(0.17453f), -std::sin(0.17453f), 0), kTol));
  }
}

TEST_F(LocateTest, TextBlocks) {
  VoISkelton* skel = Make<VoISkelton>(nullptr, "s");
  VoICoordinate* c = Make<VoICoordinate>(skel, "joint");
  c->spos = Frx::Pvector(1, 2, 3);
  c->SetPos(Frx::Pvector(4, 5, 6));
  c->SetRotate(Frx::Pquaternion(0, 0, 0.6f, 0.8f));
  c->SetStandardRotate(Frx::Pquaternion(0.6f, 0, 0, 0.8f));
  const std::string text = SaveText(c);
  EXPECT_EQ(text,
            "Coordinate {\n"
            "\tname = \"joint\"\n"
            "\tspos = ( 1.000000, 2.000000, 3.000000)\n"
            "\tpos = ( 4.000000, 5.000000, 6.000000)\n"
            "\tsrot = ( 0.600000, 0.000000, 0.000000, 0.800000)\n"
            "\trot = ( 0.000000, 0.000000, 0.600000, 0.800000)\n"
            "}\n");
  VoICoordinate* back = Make<VoICoordinate>(skel, "other");
  LoadBlock(back,"Coordinate", text);
  EXPECT_STREQ(back->GetName(), "joint");
  EXPECT_TRUE(Near(back->spos, Frx::Pvector(1, 2, 3), kTol));
  EXPECT_TRUE(Near(back->GetPos(), Frx::Pvector(4, 5, 6), kTol));
  EXPECT_TRUE(SameRotation(back->GetRotate(), c->GetRotate(), kTol));
  EXPECT_TRUE(SameRotation(back->GetStandardRotate(), c->GetStandardRotate(), kTol));
  {
    // Lines in any order, later ones win; a non-unit srot is kept as its matrix.
    VoILocate* l = Make<VoILocate>(skel, "l");
    LoadBlock(l, "Locate", "Locate {\n pos = ( 1, 1, 1)\n spos = ( 2, 2, 2)\n pos = ( 3, 0, 0)\n}\n");
    EXPECT_TRUE(Near(l->GetPos(), Frx::Pvector(3, 0, 0), kTol));
    EXPECT_TRUE(Near(l->spos, Frx::Pvector(2, 2, 2), kTol));
    VoICoordinate* k = Make<VoICoordinate>(skel, "k");
    LoadBlock(k, "Coordinate", "Coordinate {\n srot = ( 1, 0, 0, 1)\n}\n");
    EXPECT_FLOAT_EQ(k->S._22, -1.0f);  // 1 - 2(x² + z²) of the values as read
    EXPECT_FLOAT_EQ(k->S._23, 2.0f);
  }
}

}  // namespace
}  // namespace skeltest
