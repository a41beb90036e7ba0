// The bone deformer as an item: binding by distance, the deform pass, its
// "Weight" blocks, and what it does when binding cannot or should not run.
#include <gtest/gtest.h>

#include "OsmiraFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/Near.h"
#include "plugins/Osmira/Osmiraform.h"
#include "vocore/testing/TextStreams.h"

namespace osmiratest {
namespace {

using Frx::Pvector;
using FrxTest::Near;

// Upper from (0, 0, 0) to (0, 10, 0) and lower on to (0, 20, 0), each with
// reach 4; the vertices: on upper's reach only, on lower's only, at the
// joint (d = 1 to both), beyond every reach, exactly on upper.
class OsmiraformTest : public OsmiraFixture {
 protected:
  void SetUp() override {
    OsmiraFixture::SetUp();
    rig = MakeRig({{"upper", -1, {0, 0, 0}, {0, 10, 0}, {0, 0, -4}}, {"lower", 0, {0, 10, 0}, {0, 20, 0}, {0, 0, -4}}});
    Mesh mesh;
    mesh.positions = {{1, 5, 0}, {1, 15, 0}, {1, 10, 0}, {30, 0, 0}, {0, 5, 0}};
    mesh.faces = {{0, 2, 4}, {2, 1, 3}};
    body = MakePolygon(rig.character, "body", mesh);
    deformer = static_cast<Osmiraform*>(master.CreateItem("Osmiraform", body));
    deformer->SetName("body");
    deformer->skeleton = rig.skeleton;
  }
  Rig rig;
  VoIPolygon* body = nullptr;
  Osmiraform* deformer = nullptr;
};

TEST_F(OsmiraformTest, BindsByDistanceAndMovesVerticesWithTheirBones) {
  FrxTest::LogCapture log;
  Frame(rig.character);
  ASSERT_TRUE(deformer->IsBound());
  EXPECT_TRUE(log.Contains("ボーンディフォームの初期更新 ターゲット:body\n"));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(body->GetVertex()->GetFix(i), VoVertex::FIX_MOVED) << i;
  // At rest every bone's deform matrix is the identity: nothing moves.
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Near(At(body, i), deformer->binding.Rest()->Get(i), 1e-4f)) << i;

  // One "Weight" block per bone with weights, in skeleton order, then the
  // vertices that follow nothing, under the null root's name.
  EXPECT_EQ(votest::SaveText(deformer),
            "Osmiraform {\n\tname = \"body\"\n"
            "\tWeight {\n\t\tcooridnate = \"upper\"\n\t\t0 ( 1.000000 )\n\t\t2 ( 0.500000 )\n\t\t4 ( 1.000000 )\n\t}\n"
            "\tWeight {\n\t\tcooridnate = \"lower\"\n\t\t1 ( 1.000000 )\n\t\t2 ( 0.500000 )\n\t}\n"
            "\tWeight {\n\t\tcooridnate = \"null\"\n\t\t3 ( 1.000000 )\n\t}\n"
            "}\n");

  // Lower turns 90° about z at the joint: its vertex (weight 1) turns with
  // it, the joint vertex goes half way, the others stay.
  TurnBone(rig.bones[1], Pvector(0, 0, 1), 90.0f);
  Frame(rig.character);
  EXPECT_TRUE(Near(rig.bones[1]->GetWPosEnd(), Pvector(-10, 10, 0), 1e-3f));
  EXPECT_TRUE(Near(At(body, 1), Pvector(-5, 11, 0), 1e-3f));
  EXPECT_TRUE(Near(At(body, 1), rig.bones[1]->GetMatrixS2W() * Pvector(1, 15, 0), 1e-4f));
  EXPECT_TRUE(Near(At(body, 2), Pvector(0.5f, 10.5f, 0), 1e-3f));
  EXPECT_TRUE(Near(At(body, 0), Pvector(1, 5, 0), 1e-3f));
  EXPECT_TRUE(Near(At(body, 3), Pvector(30, 0, 0)));
  // The whole chain turns: every bound vertex goes with it.
  TurnBone(rig.bones[1], Pvector(0, 0, 1), -90.0f);
  TurnBone(rig.bones[0], Pvector(1, 0, 0), 90.0f);
  Frame(rig.character);
  EXPECT_TRUE(Near(At(body, 0), Pvector(1, 0, 5), 1e-3f));
  EXPECT_TRUE(Near(At(body, 1), Pvector(1, 0, 15), 1e-3f));
  EXPECT_TRUE(Near(At(body, 2), Pvector(1, 0, 10), 1e-3f));
  EXPECT_TRUE(Near(At(body, 3), Pvector(30, 0, 0)));
}

TEST_F(OsmiraformTest, RebindingStartsFromTheRestCopy) {
  Frame(rig.character);
  TurnBone(rig.bones[1], Pvector(0, 0, 1), 90.0f);
  Frame(rig.character);
  ASSERT_TRUE(Near(At(body, 1), Pvector(-5, 11, 0), 1e-3f));
  // A rebind while posed (flags set, as a changed child sets them): the
  // weights come from the rest shape, and the pose is applied once.
  for (int round = 0; round < 2; ++round) {
    deformer->SetUpdateFlag(VoIBranch::UPDATE_CHILD);
    Frame(rig.character);
    EXPECT_TRUE(Near(At(body, 1), Pvector(-5, 11, 0), 1e-3f)) << round;
    EXPECT_TRUE(Near(At(body, 2), Pvector(0.5f, 10.5f, 0), 1e-3f)) << round;
    EXPECT_TRUE(Near(deformer->binding.Rest()->Get(1), Pvector(1, 15, 0), 1e-4f)) << round;
  }
  ASSERT_EQ(deformer->records.size(), 3u);
  EXPECT_EQ(deformer->records[1].pairs.size(), 2u);

  // Moved under another polygon: that one is bound and the old target gets
  // its rest shape back.
  Mesh other;
  other.positions = {{-1, 15, 0}};
  VoIPolygon* second = MakePolygon(rig.character, "second", other);
  deformer->Link(second);
  Frame(rig.character);
  EXPECT_EQ(deformer->binding.Target(), second);
  EXPECT_TRUE(Near(At(body, 1), Pvector(1, 15, 0), 1e-5f));
  EXPECT_TRUE(Near(At(body, 2), Pvector(1, 10, 0), 1e-5f));

  // The target's positions replaced by a new array (an edit of the mesh):
  // bound again, that array taken as the rest shape.
  VoVertex* fresh = master.CreateVertex();
  fresh->Alloc(1);
  fresh->Set(0, Pvector(-1, 16, 0));
  second->AttachVertex(fresh);
  Frame(rig.character);
  EXPECT_EQ(deformer->binding.Rest()->Get(0), Pvector(-1, 16, 0));
  EXPECT_EQ(deformer->binding.Positions(), fresh);
}

TEST_F(OsmiraformTest, ReleasedBonesAndMissingInputsLeaveVerticesFinite) {
  {
    SCOPED_TRACE("a released bone: its vertices keep the rest position");
    Frame(rig.character);
    TurnBone(rig.bones[1], Pvector(0, 0, 1), 90.0f);
    Frame(rig.character);
    master.ReleaseItem(rig.bones[1]);
    Frame(rig.character);
    EXPECT_TRUE(Near(At(body, 1), Pvector(1, 15, 0), 1e-4f));
    EXPECT_TRUE(Near(At(body, 2), Pvector(1, 10, 0), 1e-4f));
    EXPECT_TRUE(Near(At(body, 0), Pvector(1, 5, 0), 1e-4f));
  }
  {
    SCOPED_TRACE("no skeleton: Update gives 0 and moves nothing");
    auto* lone = MakePolygon(nullptr, "lone", SquareTube({0, 1}, 1));
    auto* d = static_cast<Osmiraform*>(master.CreateItem("Osmiraform", lone));
    for (int update = 0; update < 2; ++update) EXPECT_EQ(d->Update(0), 0) << update;
    EXPECT_FALSE(d->IsBound());
    EXPECT_TRUE(Near(At(lone, 0), Pvector(1, 0, 1)));
    EXPECT_TRUE(d->records.empty());
  }
  {
    SCOPED_TRACE("a deformer under no polygon");
    auto* d = static_cast<Osmiraform*>(master.CreateItem("Osmiraform", rig.character));
    d->skeleton = rig.skeleton;
    EXPECT_EQ(d->Update(0), 0);
    master.ReleaseItem(d);
  }
}

TEST_F(OsmiraformTest, AnUpdateAfterAFailedBindingDoesNothing) {
  // An anchor tied to no bone fails the analysis: one message box, no
  // binding, and later updates leave the positions alone (not cleared).
  Mesh anchorMesh = Box(Pvector(-2, -1, -2), Pvector(2, 21, 2));
  VoIPolygon* anchor = MakePolygon(deformer, "anchor", anchorMesh);
  anchor->SetCoordinate(master.GetNullCoordinate());
  Frame(rig.character);
  EXPECT_FALSE(deformer->IsBound());
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_NE(boxes.Texts()[0].find("ボーンとの関連付けが不完全なアンカーがあります。"), std::string::npos);
  for (int frame = 0; frame < 3; ++frame) {
    TurnBone(rig.bones[0], Pvector(0, 0, 1), 30.0f);
    Frame(rig.character);
    EXPECT_EQ(deformer->Update(master.GetUpdateCounter()), 0);
  }
  EXPECT_EQ(boxes.Count(), 1) << "a failed binding is not tried again every frame";
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Near(At(body, i), deformer->binding.Rest()->Get(i))) << i;
  // Tied to a bone, the next binding (flags set) succeeds.
  anchor->SetCoordinate(rig.bones[0]);
  deformer->SetUpdateFlag(VoIBranch::UPDATE_CHILD);
  Frame(rig.character);
  EXPECT_TRUE(deformer->IsBound());
}

}  // namespace
}  // namespace osmiratest
