// Segment intersection and the inside test.
#include <gtest/gtest.h>

#include "MeshBuild.h"
#include "ferrox/testing/Near.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

using Frx::Pvector;
using FrxTest::Near;
using geotest::Fill;
using geotest::FillBox;

using VoIPolygonHit = votest::MasterFixture;

TEST_F(VoIPolygonHit, SegmentFindsTheFirstFaceCrossed) {
  VoIPolygon* box = master.NewItem<VoIPolygon>(nullptr);
  FillBox(*box, Pvector(0, 0, 0), Pvector(2, 2, 2));
  Pvector hit(7, 7, 7);
  {
    EXPECT_EQ(box->GetPointIntersection(hit, Pvector(1, 1, -1), Pvector(1, 1, 3)), 1);
    EXPECT_TRUE(Near(hit, Pvector(1, 1, 0)));  // the z = 0 face is listed first
  }
  {
    // Only the quad's second triangle (0, 2, 3) holds this point.
    EXPECT_EQ(box->GetPointIntersection(hit, Pvector(1.5f, 0.5f, -1), Pvector(1.5f, 0.5f, 1)), 1);
    EXPECT_TRUE(Near(hit, Pvector(1.5f, 0.5f, 0)));
    EXPECT_EQ(box->GetPointIntersection(hit, Pvector(0.5f, 1.5f, 1), Pvector(0.5f, 1.5f, -1)), 1);
    EXPECT_TRUE(Near(hit, Pvector(0.5f, 1.5f, 0)));
  }
  {
    hit = Pvector(7, 7, 7);
    // Both ends outside on one side, short of every face, or beside the box.
    EXPECT_EQ(box->GetPointIntersection(hit, Pvector(1, 1, -3), Pvector(1, 1, -1)), 0);
    EXPECT_EQ(box->GetPointIntersection(hit, Pvector(5, 1, -1), Pvector(5, 1, 3)), 0);
    EXPECT_EQ(box->GetPointIntersection(hit, Pvector(1, 1, 1), Pvector(1, 1, 1)), 0);
    EXPECT_TRUE(Near(hit, Pvector(7, 7, 7)));
  }
  {
    // Degenerate faces and faces with wild corners are skipped.
    VoIPolygon* odd = master.NewItem<VoIPolygon>(nullptr);
    Fill(*odd, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 0, 0}, {0, 3, 9}, {1, 3}});
    hit = Pvector(7, 7, 7);
    EXPECT_EQ(odd->GetPointIntersection(hit, Pvector(0.2f, 0.2f, -1), Pvector(0.2f, 0.2f, 1)), 0);
    EXPECT_TRUE(Near(hit, Pvector(7, 7, 7)));
    master.ReleaseItem(odd);
  }
  master.ReleaseItem(box);
}

TEST_F(VoIPolygonHit, InsideByParityAlongX) {
  VoIPolygon* box = master.NewItem<VoIPolygon>(nullptr);
  FillBox(*box, Pvector(0, 0, 0), Pvector(2, 2, 2));
  {
    // (1, 1, 1) looks down the diagonal of the x = 0 quad: the crossing is
    // found by both of its triangles and counts once.
    EXPECT_EQ(box->IsInnerVertex(Pvector(1, 1, 1)), 1);
    EXPECT_EQ(box->IsInnerVertex(Pvector(1.3f, 0.7f, 1.6f)), 1);
    EXPECT_EQ(box->IsInnerVertex(Pvector(3, 1, 1)), 0);   // beyond the far side
    EXPECT_EQ(box->IsInnerVertex(Pvector(-1, 1, 1)), 0);  // before the near side
    EXPECT_EQ(box->IsInnerVertex(Pvector(1, 3, 1)), 0);   // beside it
  }
  {
    // Zero-area triangles have no plane; they must not feed the count.
    VoFace* f = box->GetFace();
    VoVertex* v = box->GetVertex();
    const int base = v->GetNum();
    v->Alloc(base + 6);
    v->Set(base + 0, Pvector(0.5f, 1, 1));
    v->Set(base + 1, Pvector(1.5f, 1, 1));
    v->Set(base + 2, Pvector(0.7f, 1, 1));  // on the ray itself
    for (int i = 3; i < 6; ++i) v->Set(base + i, Pvector(0.25f, 1.1f, 0.9f));  // one point thrice
    const int first = f->count;
    f->resize(first + 2);
    for (int t = 0; t < 2; ++t) {
      f->array[first + t].SetCount(3);
      for (int k = 0; k < 3; ++k) f->array[first + t].index[k] = static_cast<uint32_t>(base + 3 * t + k);
    }
    EXPECT_EQ(box->IsInnerVertex(Pvector(1, 1, 1)), 1);
    EXPECT_EQ(box->IsInnerVertex(Pvector(3, 1, 1)), 0);
    EXPECT_EQ(box->IsInnerVertex(Pvector(0.6f, 1.1f, 0.9f)), 1);
  }
  {
    VoIPolygon* none = master.NewItem<VoIPolygon>(nullptr);
    EXPECT_EQ(none->IsInnerVertex(Pvector(0, 0, 0)), 0);
    master.ReleaseItem(none);
  }
  master.ReleaseItem(box);
}
