// Anchors: the prepared meshes against the polygon's own tests, the anchor
// analysis step by step on a tube held by two overlapping boxes, and the
// spherical deformer that binds from it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "OsmiraFixture.h"
#include "ferrox/testing/Near.h"
#include "plugins/Osmira/AnchorAnalysis.h"
#include "plugins/Osmira/AnchorShape.h"
#include "plugins/Osmira/AnchorWeightJob.h"
#include "plugins/Osmira/Osmiraform.h"
#include "plugins/Osmira/SphericalDeform.h"

namespace osmiratest {
namespace {

using Frx::Pvector;
using FrxTest::Near;

TEST_F(OsmiraFixture, PreparedAnchorsAnswerAsThePolygonDoes) {
  const Mesh shapes[] = {Box(Pvector(-2, -1, -3), Pvector(2, 13, 3)), Ellipsoid(Pvector(1, 2, 3), Pvector(4, 6, 3), 12, 8),
                         Join(Box(Pvector(0, 0, 0), Pvector(1, 1, 1)), Box(Pvector(0.5f, 0.5f, 0.5f), Pvector(3, 3, 3)))};
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-8.0f, 14.0f);
  for (const Mesh& mesh : shapes) {
    VoIPolygon* anchor = MakePolygon(nullptr, "anchor", mesh);
    const Osmira::AnchorShape fast(anchor->GetVertex(), anchor->GetFace(), true);
    const Osmira::AnchorShape plain(anchor->GetVertex(), anchor->GetFace(), false);
    std::vector<Pvector> points = mesh.positions;  // corners and edges: the delicate cases
    for (int i = 0; i < 3000; ++i) points.emplace_back(coordinate(random), coordinate(random), coordinate(random));
    for (int i = 0; i < 400; ++i) points.emplace_back(std::round(coordinate(random)), 1.0f, std::round(coordinate(random)));
    int inside = 0;
    for (const Pvector& p : points) {
      const bool expected = anchor->IsInnerVertex(p) == 1;
      ASSERT_EQ(fast.Inside(p), expected) << p.x << " " << p.y << " " << p.z;
      ASSERT_EQ(plain.Inside(p), expected);
      inside += expected;
      ASSERT_EQ(fast.Distance(p), plain.Distance(p));
      const Pvector to = p + Pvector(7.0f, -3.0f, 2.0f);
      Pvector a(0, 0, 0), b(0, 0, 0), c(0, 0, 0);
      const bool hit = anchor->GetPointIntersection(a, p, to) == 1;
      ASSERT_EQ(fast.FirstHit(p, to, b), hit);
      ASSERT_EQ(plain.FirstHit(p, to, c), hit);
      if (hit) {
        ASSERT_TRUE(a == b && a == c);
      }
    }
    EXPECT_GT(inside, 10);
  }
  // Inside the box of side 4 x 14 x 6 at its centre, distances to its faces.
  VoIPolygon* boxPolygon = MakePolygon(nullptr, "box", shapes[0]);
  const Osmira::AnchorShape box(boxPolygon->GetVertex(), boxPolygon->GetFace());
  EXPECT_FLOAT_EQ(box.Distance(Pvector(0, 6, 0)), 2.0f);
  EXPECT_FLOAT_EQ(box.Distance(Pvector(5, 6, 0)), 3.0f);
  EXPECT_FLOAT_EQ(box.Distance(Pvector(5, 17, 7)), std::sqrt(9.0f + 16.0f + 16.0f));
}

// A square tube up the y axis (rings at y = 0, 5, 10, 15, 20) on the bones
// upper (0..10) and lower (10..20); anchor A (y -1..13) on upper and anchor
// B (y 8..21) on lower: the ring at y = 10 lies in both.
class TubeTest : public OsmiraFixture {
 protected:
  void SetUp() override {
    OsmiraFixture::SetUp();
    rig = MakeRig({{"upper", -1, {0, 0, 0}, {0, 10, 0}, {0, 0, -4}}, {"lower", 0, {0, 10, 0}, {0, 20, 0}, {0, 0, -4}}});
    tube = MakePolygon(rig.character, "tube", SquareTube({0, 5, 10, 15, 20}, 1));
  }
  void AddAnchors(VoIBranch* deformer) {
    VoIPolygon* a = MakePolygon(deformer, "anchorA", Box(Pvector(-2, -1, -2), Pvector(2, 13, 2)));
    VoIPolygon* b = MakePolygon(deformer, "anchorB", Box(Pvector(-2, 8, -2), Pvector(2, 21, 2)));
    a->SetCoordinate(rig.bones[0]);
    b->SetCoordinate(rig.bones[1]);
  }
  Rig rig;
  VoIPolygon* tube = nullptr;
};

TEST_F(TubeTest, AnalysisStepByStep) {
  VoIPolygon* holder = Make<VoIPolygon>(nullptr, "holder");
  AddAnchors(holder);
  std::vector<Osmira::AnchorInput> anchors;
  for (VoIItem* c = holder->GetFirstChild(); c; c = holder->GetNextChild(c)) {
    VoIPolygon* p = c->IsPolygon();
    anchors.push_back({p->GetName(), p->GetVertex(), p->GetFace(), p->GetCoordinate() == rig.bones[0] ? 0 : 1});
  }
  const std::vector<Osmira::Segment> bones = {{{0, 0, 0}, {0, 10, 0}}, {{0, 10, 0}, {0, 20, 0}}};
  for (bool accelerate : {true, false}) {
    SCOPED_TRACE(accelerate ? "prepared" : "plain");
    Osmira::AnchorAnalysis result;
    std::string message;
    Osmira::AnchorAnalysisJob job{tube->GetVertex(), tube->GetFace(), bones, anchors, accelerate, &result, &message};
    ASSERT_EQ(job.Run(), 1) << message;
    EXPECT_EQ(message, "");
    // Rings 0, 5, 10 in A; 10, 15, 20 in B.
    for (int v = 0; v < 20; ++v) {
      EXPECT_EQ(result.anchors[0].holds[size_t(v)], v < 12) << v;
      EXPECT_EQ(result.anchors[1].holds[size_t(v)], v >= 8) << v;
    }
    // Boundary points: the four vertical edges 10-15 cross A's top (y 13),
    // each listed by both its quads, and the edges 5-10 B's bottom (y 8); the
    // bones add (0, 13, 0) and (0, 8, 0).
    EXPECT_EQ(result.anchors[0].boundary.size(), 9u);
    EXPECT_EQ(result.anchors[1].boundary.size(), 9u);
    EXPECT_FLOAT_EQ(result.anchors[0].distance[8], 3.0f) << "ring 10 lies 3 below A's top";
    EXPECT_FLOAT_EQ(result.anchors[1].distance[8], 2.0f) << "and 2 above B's bottom";
    EXPECT_FLOAT_EQ(result.anchors[0].distance[0], 13.0f) << "ring 0 straight below the crossing (1, 13, 1)";
    // One overlap about the joint (0, 10, 0): its blend 3 / 5 = 0.6 leans on
    // the joint ratio J = 3 / (3 + 2) = 0.6 and becomes 0.5.
    ASSERT_EQ(result.overlaps.size(), 1u);
    const Osmira::AnchorAnalysis::Overlap& o = result.overlaps[0];
    EXPECT_EQ(o.mode, 1);
    EXPECT_TRUE(Near(o.joint, Pvector(0, 10, 0)));
    EXPECT_TRUE(Near(o.firstCrossing, Pvector(0, 13, 0)));
    EXPECT_TRUE(Near(o.secondCrossing, Pvector(0, 8, 0)));
    EXPECT_EQ(o.vertices, (std::vector<int>{8, 9, 10, 11}));
    for (float b : o.blend) EXPECT_NEAR(b, 0.5f, 1e-6f);
    EXPECT_FLOAT_EQ(o.BlendOf(0), 0.5f) << "a vertex outside the overlap";
    ASSERT_EQ(result.groups.size(), 3u);
    EXPECT_EQ(result.groups[0].anchors, std::vector<int>{0});
    EXPECT_EQ(result.groups[1].anchors, (std::vector<int>{0, 1}));
    EXPECT_EQ(result.groups[1].overlaps, std::vector<int>{0});
    EXPECT_EQ(result.groups[2].vertices, (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19}));
  }
}

TEST_F(TubeTest, SphericalDeformTurnsTheOverlapAboutTheJoint) {
  auto* deformer = static_cast<SphericalDeform*>(master.CreateItem("SphericalDeform", tube));
  deformer->skeleton = rig.skeleton;
  AddAnchors(deformer);
  Frame(rig.character);
  ASSERT_TRUE(deformer->IsBound());
  ASSERT_EQ(deformer->records.size(), 20u);
  // Vertex 8 at (1, 10, 1): entries upper (0.5, offset (0, 9, 0)) and
  // lower (0.5, offset (0, 11.5, 0)).
  const Osmira::SphereRecord& joint = deformer->records[8];
  ASSERT_EQ(joint.entries.size(), 2u);
  EXPECT_EQ(joint.mode, 1);
  EXPECT_TRUE(Near(joint.entries[0].offset, Pvector(0, 9, 0)));
  EXPECT_TRUE(Near(joint.entries[1].offset, Pvector(0, 11.5f, 0)));
  EXPECT_TRUE(Near(At(tube, 8), Pvector(1, 10, 1), 1e-4f));

  TurnBone(rig.bones[1], Pvector(0, 0, 1), 90.0f);
  Frame(rig.character);
  // Held by B alone: rigid with lower. (1, 20, 1) turns about (0, 10, 0).
  EXPECT_TRUE(Near(At(tube, 16), Pvector(-10, 11, 1), 1e-3f));
  // Held by A alone: unmoved.
  EXPECT_TRUE(Near(At(tube, 4), Pvector(1, 5, 1), 1e-3f));
  // In both: turned 45° about the centre (0, 10.25, 0) of the offsets and
  // carried to their carried mean (-0.75, 9.5, 0).
  const float c = std::sqrt(0.5f);
  EXPECT_TRUE(Near(At(tube, 8), Pvector(c * 1.25f - 0.75f, c * 0.75f + 9.5f, 1), 1e-3f));

  // Lower released: every vertex it carried goes back to rest.
  master.ReleaseItem(rig.bones[1]);
  Frame(rig.character);
  for (int v : {8, 12, 16}) EXPECT_TRUE(Near(At(tube, v), deformer->binding.Rest()->Get(v), 1e-4f)) << v;
}

TEST_F(TubeTest, AnchorsWithoutBoundaryShareEvenly) {
  // Both anchors hold the one vertex; no edge or bone crosses either: the
  // depths are both the largest float, and the weights halves, not NaN.
  Mesh one;
  one.positions = {{0, 50, 0}};
  VoIPolygon* dot = MakePolygon(nullptr, "dot", one);
  VoIPolygon* a = MakePolygon(nullptr, "a", Box(Pvector(-1, 49, -1), Pvector(1, 51, 1)));
  VoIPolygon* b = MakePolygon(nullptr, "b", Box(Pvector(-2, 48, -2), Pvector(2, 52, 2)));
  const std::vector<Osmira::AnchorInput> anchors = {{"a", a->GetVertex(), a->GetFace(), 0},
                                                    {"b", b->GetVertex(), b->GetFace(), 0}};
  const std::vector<Osmira::Segment> bones = {{{0, 0, 0}, {0, 10, 0}}};
  Osmira::AnchorAnalysis result;
  std::string message;
  Osmira::AnchorAnalysisJob job{dot->GetVertex(), dot->GetFace(), bones, anchors, true, &result, &message};
  ASSERT_EQ(job.Run(), 1);
  EXPECT_EQ(message,
            "Warrning: アンカー a にターゲットの頂点がすべて内包されました。\n"
            "Warrning: アンカー b にターゲットの頂点がすべて内包されました。\n"
            "Warrning: アンカー:aと交差するターゲットのポリゴンエッジ又はスケルトンボーンが存在しません。\n"
            "Warrning: アンカー:bと交差するターゲットのポリゴンエッジ又はスケルトンボーンが存在しません。\n");
  ASSERT_EQ(result.overlaps.size(), 1u);
  EXPECT_EQ(result.overlaps[0].mode, 0);
  EXPECT_FLOAT_EQ(result.overlaps[0].blend[0], 0.5f);
  std::vector<std::vector<Osmira::WeightPair>> perAnchor;
  std::vector<int> unheld;
  std::vector<unsigned char> rigid;
  ASSERT_TRUE((Osmira::AnchorWeightJob{&result, 1, &perAnchor, &unheld, &rigid}.Run()));
  EXPECT_FLOAT_EQ(perAnchor[0][0].weight, 0.5f);
  EXPECT_FLOAT_EQ(perAnchor[1][0].weight, 0.5f);
  EXPECT_EQ(rigid[0], 0);
}

TEST_F(TubeTest, BoneDeformerByAnchorsWeighsByDepth) {
  auto* deformer = static_cast<Osmiraform*>(master.CreateItem("Osmiraform", tube));
  deformer->skeleton = rig.skeleton;
  AddAnchors(deformer);
  Frame(rig.character);
  ASSERT_TRUE(deformer->IsBound());
  ASSERT_EQ(deformer->records.size(), 2u);
  // Ring 10 lies 3 deep in A and 2 in B: 0.6 and 0.4; single-anchor
  // vertices weigh 1 and are rigid.
  EXPECT_EQ(deformer->records[0].pairs.size(), 12u);
  EXPECT_FLOAT_EQ(deformer->records[0].pairs[8].weight, 0.6f);
  EXPECT_FLOAT_EQ(deformer->records[1].pairs[0].weight, 0.4f);
  EXPECT_FLOAT_EQ(deformer->records[0].pairs[0].weight, 1.0f);
  for (int v = 0; v < 20; ++v)
    EXPECT_EQ(tube->GetVertex()->GetFix(v), v >= 8 && v < 12 ? VoVertex::FIX_MOVED : VoVertex::FIX_RIGID) << v;
}

}  // namespace
}  // namespace osmiratest
