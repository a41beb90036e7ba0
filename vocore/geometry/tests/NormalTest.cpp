// Vertex normals, the polygon's update, face fix types and compaction.
#include <gtest/gtest.h>

#include <cmath>

#include "MeshBuild.h"
#include "ferrox/testing/Near.h"
#include "vocore/render/VoRenderState.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

using Frx::Pvector;
using FrxTest::Near;
using geotest::Fill;

namespace {

Pvector Unit(const Pvector& v) { return v * (1.0f / v.GetSize()); }

class CountingRender : public VoRenderGeometry {
 public:
  explicit CountingRender(int* refreshes, int* draws) : refreshes_(refreshes), draws_(draws) {}
  void Refresh() override { ++*refreshes_; }
  void Reset() override {}
  void Draw() override { ++*draws_; }

 private:
  int* refreshes_;
  int* draws_;
};

using VoIPolygonNormal = votest::MasterFixture;
using VoIPolygonFix = votest::MasterFixture;

}  // namespace

TEST_F(VoIPolygonNormal, LargerFacesWeighMore) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  {
    // A triangle of area 8 facing -z and one of area 0.5 facing +x share vertex 0.
    Fill(*polygon, {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {0, 0, 1}, {0, 1, 0}, {9, 9, 9}},
         {{0, 1, 2}, {0, 3, 4}});
    ASSERT_NE(polygon->CreateNormal(), nullptr);
    polygon->SolveNormal_Grow();
    VoVertex* n = polygon->GetNormal();
    ASSERT_EQ(n->GetNum(), 6);
    EXPECT_TRUE(Near(n->Get(0), Unit(Pvector(1, 0, -16))));
    EXPECT_TRUE(Near(n->Get(1), Pvector(0, 0, -1)));
    EXPECT_TRUE(Near(n->Get(3), Pvector(1, 0, 0)));
    EXPECT_TRUE(Near(n->Get(5), Pvector(0, 0, 0)));  // in no face
  }
  {
    // A unit quad weighs as much as the unit right triangle beside it: the
    // quad's two halves are averaged, not summed.
    Fill(*polygon, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, 1, 2, 3}, {0, 4, 1}});
    polygon->CreateNormal();
    polygon->SolveNormal_Grow();
    VoVertex* n = polygon->GetNormal();
    EXPECT_TRUE(Near(n->Get(2), Pvector(0, 0, 1)));
    EXPECT_TRUE(Near(n->Get(4), Pvector(1, 0, 0)));
    EXPECT_TRUE(Near(n->Get(0), Unit(Pvector(1, 0, 1))));
  }
  master.ReleaseItem(polygon);
}

TEST_F(VoIPolygonNormal, QuadIsTheMeanOfItsTriangles) {
  const std::vector<Pvector> bent = {{0, 0, 0}, {0, 2, 0.5f}, {1, 2, -0.3f}, {1.5f, 0, 0.2f}};
  VoIPolygon* quad = master.NewItem<VoIPolygon>(nullptr);
  VoIPolygon* split = master.NewItem<VoIPolygon>(nullptr);
  Fill(*quad, bent, {{0, 1, 2, 3}});
  Fill(*split, bent, {{0, 1, 2}, {0, 2, 3}});
  for (VoIPolygon* p : {quad, split}) {
    p->CreateNormal();
    p->SolveNormal_Grow();
  }
  // Vertex 0 of the split pair sums both triangles; every quad corner gets
  // that same direction.
  const Pvector both = split->GetNormal()->Get(0);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Near(quad->GetNormal()->Get(i), both)) << i;
  EXPECT_FALSE(Near(split->GetNormal()->Get(1), both, 1e-3f));  // the mesh is really bent
  master.ReleaseItem(quad);
  master.ReleaseItem(split);
}

TEST_F(VoIPolygonNormal, DeletedAndShortFacesAddNothing) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  Fill(*polygon, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {5, 5, 5}, {0, 0, 3}},
       {{0, 1, 2}, {0, 3}, {0}, {0, 1, 4}, {0, 1, 3}});
  polygon->DeleteFace(3);
  {
    // A face on a deleted corner would spread inf/NaN into its live corners.
    polygon->DeleteVertex(3);
    polygon->CreateNormal();
    polygon->SolveNormal_Grow();
    VoVertex* n = polygon->GetNormal();
    for (int i : {0, 1, 2}) EXPECT_TRUE(Near(n->Get(i), Pvector(0, 0, 1))) << i;
    EXPECT_TRUE(Near(n->Get(4), Pvector(0, 0, 0)));
  }
  {
    // Without positions there are no normals to make.
    VoIPolygon* empty = master.NewItem<VoIPolygon>(nullptr);
    EXPECT_EQ(empty->CreateNormal(), nullptr);
    empty->SolveNormal_Grow();
    EXPECT_EQ(empty->GetNormal(), nullptr);
    master.ReleaseItem(empty);
  }
  master.ReleaseItem(polygon);
}

TEST_F(VoIPolygonNormal, UpdateKeepsNormalsInStepWithPositions) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  int refreshes = 0, draws = 0;
  polygon->SetRender(new CountingRender(&refreshes, &draws));
  Fill(*polygon, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}, {{0, 1, 2}});
  {
    polygon->ExecUpdate();
    ASSERT_NE(polygon->GetNormal(), nullptr);
    EXPECT_TRUE(Near(polygon->GetNormal()->Get(1), Pvector(0, 0, 1)));
    EXPECT_EQ(refreshes, 1);
  }
  {
    // No flag set: normals are solved again, the device data is not rebuilt.
    polygon->SetVertex(2, Pvector(0, 0, 1));
    polygon->ExecUpdate();
    EXPECT_TRUE(Near(polygon->GetNormal()->Get(0), Pvector(-1, 0, 0)));
    EXPECT_EQ(refreshes, 1);
  }
  {
    const unsigned long v = polygon->AddVertex(Pvector(1, 1, 1));
    const unsigned long tri[] = {0, 1, v};
    polygon->AddFace(3, tri);
    polygon->ExecUpdate();
    ASSERT_EQ(polygon->GetNormal()->GetNum(), 4);
    EXPECT_NEAR(polygon->GetNormal()->Get(3).GetSize(), 1.0f, 1e-5f);
    EXPECT_EQ(refreshes, 2);
  }
  EXPECT_EQ(polygon->Redraw(), 1);
  EXPECT_EQ(draws, 1);
  master.ReleaseItem(polygon);
}

TEST_F(VoIPolygonFix, OnePassDemotionAndRigidBits) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  Fill(*polygon, std::vector<Pvector>(7, Pvector(0, 0, 0)),
       {{0, 1, 2}, {1, 3, 4}, {3, 4, 5}, {3, 4, 5}, {5, 6}}, VoVertex::FIX_RIGID);
  VoVertex* v = polygon->GetVertex();
  v->SetFix(2, VoVertex::FIX_MOVED);
  v->SetFix(6, VoVertex::FIX_MOVED);
  polygon->DeleteFace(3);
  VoFace* f = polygon->GetFace();
  f->array[0].type |= VoFaceElement::ALL_RIGID;  // stale bit is cleared

  polygon->OptimizeFaceFix();
  EXPECT_EQ(v->GetFix(0), VoVertex::FIX_SHARED);
  EXPECT_EQ(v->GetFix(1), VoVertex::FIX_SHARED);
  EXPECT_EQ(v->GetFix(2), VoVertex::FIX_MOVED);
  EXPECT_EQ(v->GetFix(3), VoVertex::FIX_RIGID);  // face 1's corners are all fixed
  EXPECT_EQ(v->GetFix(5), VoVertex::FIX_SHARED);
  EXPECT_EQ(f->array[0].type & 0x10u, 0u);
  EXPECT_EQ(f->array[1].type & 0x10u, 0u);
  // Face 2 was judged before face 4 demoted vertex 5.
  EXPECT_NE(f->array[2].type & 0x10u, 0u);
  EXPECT_NE(f->array[3].type & 0x10u, 0u);  // deleted: no corners
  EXPECT_EQ(f->array[4].type & 0x10u, 0u);
  master.ReleaseItem(polygon);
}

TEST_F(VoIPolygonFix, CompactDropsUnusedPositions) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  Fill(*polygon, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}},
       {{0, 1, 2}, {2, 3}, {4, 1, 0}});
  polygon->DeleteFace(2);
  polygon->OptimizeCompact();
  VoVertex* v = polygon->GetVertex();
  for (int i : {0, 1, 2, 3}) EXPECT_FALSE(VoVertex::IsDeleted(v->Get(i))) << i;
  EXPECT_TRUE(VoVertex::IsDeleted(v->Get(4)));
  EXPECT_TRUE(VoVertex::IsDeleted(v->Get(5)));
  EXPECT_TRUE(Near(v->Get(3), Pvector(2, 2, 2)));
  master.ReleaseItem(polygon);
}
