// Face elements and tables, and the polygon's face and vertex editing.
#include <gtest/gtest.h>

#include <cstdint>

#include "MeshBuild.h"
#include "ferrox/testing/Near.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

using Frx::Pvector;
using FrxTest::Near;
using geotest::Fill;

using VoFaceElementTest = votest::MasterFixture;
using VoIPolygonTest = votest::MasterFixture;
using VoIGeometryTest = votest::MasterFixture;

TEST_F(VoFaceElementTest, CopyAndGroupKey) {
  VoIMaterial* material = master.NewItem<VoIMaterial>(nullptr);

  VoFaceElement fresh;
  EXPECT_EQ(fresh.type, 0x20u);
  EXPECT_EQ(fresh.material.Get(), nullptr);
  EXPECT_EQ(fresh.GetGroupID(), 0x80ul);

  VoFaceElement e;
  e.type = 0x20 | 0x10 | 0x40 | 3;
  e.index[2] = 9;
  e.uv[3][1] = 0.5f;
  e.material = material;
  const unsigned long address = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(material));
  EXPECT_EQ(e.GetGroupID(), ((address / 4) << 8) | 3 | 0x20 | 0x40 | 0x80);

  VoFaceElement copy;
  copy.Copy(e);
  EXPECT_EQ(copy.type, e.type);
  EXPECT_EQ(copy.index[2], 9u);
  EXPECT_EQ(copy.uv[3][1], 0.5f);
  EXPECT_EQ(copy.material.Get(), material);

  VoFace table;
  table.resize(2);
  table.array[1] = e;
  VoFace other(&table);
  ASSERT_EQ(other.GetNum(), 2);
  EXPECT_EQ(other.GetMaterial(1), material);
  EXPECT_EQ(other.GetMaterial(0), nullptr);
  EXPECT_EQ(other.GetMaterial(2), nullptr);
  EXPECT_EQ(other.GetMaterial(-1), nullptr);

  // A released material reads as none, and as address 0 in the key.
  master.ReleaseItem(material);
  EXPECT_EQ(other.GetMaterial(1), nullptr);
  e.type = 4;
  EXPECT_EQ(e.GetGroupID(), 4ul);
}

TEST_F(VoIPolygonTest, FacesAreValidatedAndReused) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  const unsigned long tri[] = {0, 1, 2};
  {
    EXPECT_EQ(polygon->AddFace(3, tri), 0ul);  // no table
    EXPECT_EQ(polygon->GetNumFace(), 0ul);
  }
  Fill(*polygon, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2}});
  {
    const unsigned long outside[] = {0, 1, 4};
    EXPECT_EQ(polygon->AddFace(3, outside), VoIPolygon::NO_FACE);
    EXPECT_EQ(polygon->AddFace(5, tri), VoIPolygon::NO_FACE);
    EXPECT_EQ(polygon->AddFace(1, tri), VoIPolygon::NO_FACE);
    EXPECT_EQ(polygon->AddFace(3, nullptr), VoIPolygon::NO_FACE);
    EXPECT_EQ(polygon->GetNumFace(), 1ul);
  }
  {
    const unsigned long quad[] = {0, 1, 3, 2};
    polygon->updateFlag = 0;
    EXPECT_EQ(polygon->AddFace(4, quad), 1ul);
    EXPECT_NE(polygon->GetUpdateFlag() & VoIPolygon::UPDATE_FACE, 0);
    EXPECT_EQ(polygon->GetFace()->array[1].type, 0x24u);
  }
  {
    polygon->GetFace()->array[0].type |= VoFaceElement::MARK40;
    polygon->updateFlag = 0;
    EXPECT_EQ(polygon->DeleteFace(0), 1);
    EXPECT_EQ(polygon->GetUpdateFlag(), VoIPolygon::UPDATE_FACE);
    EXPECT_EQ(polygon->DeleteFace(0), 0);  // already deleted
    EXPECT_EQ(polygon->DeleteFace(2), 0);
    // The deleted slot comes back with its type bits and new corners.
    const unsigned long line[] = {3, 2};
    EXPECT_EQ(polygon->AddFace(2, line), 0ul);
    EXPECT_EQ(polygon->GetFace()->array[0].type, 0x20u | 0x40u | 2u);
    EXPECT_EQ(polygon->GetFace()->array[0].index[0], 3u);
  }
  {
    unsigned long idx[4] = {7, 7, 7, 7};
    Pvector pts[4];
    EXPECT_EQ(polygon->GetFaceIndexArray(idx, 1) & 0x0F, 4u);
    EXPECT_EQ(idx[2], 3ul);
    EXPECT_EQ(polygon->GetFacePointArray(pts, 1) & 0x0F, 4u);
    EXPECT_TRUE(Near(pts[2], Pvector(1, 1, 0)));
    EXPECT_EQ(polygon->GetFaceIndexArray(idx, 2) & 0x0F, 0u);
    EXPECT_EQ(polygon->GetMaterialFace(5), nullptr);
  }
  {
    // Faces written directly with bad corners are never walked.
    polygon->GetFace()->resize(4);
    VoFaceElement& wild = polygon->GetFace()->array[2];
    wild.SetCount(3);
    wild.index[0] = 3;
    wild.index[1] = 1000;
    polygon->GetFace()->array[3].type = 0x20 | 0x0F;  // 15 corners claimed
    unsigned long faces[4];
    EXPECT_EQ(polygon->GetFIndexArray(faces, 3), 2ul);
    EXPECT_EQ(faces[0], 0ul);
    EXPECT_EQ(faces[1], 1ul);
    EXPECT_EQ(polygon->GetFIndexArray(nullptr, 0), 1ul);
    EXPECT_EQ(polygon->GetFIndexArray(nullptr, 99), 0ul);
    // Read back, they look deleted: a caller looping over the count stays
    // inside its four entries and the positions. Other type bits are kept.
    unsigned long idx[4] = {7, 7, 7, 7};
    Pvector pts[4] = {Pvector(9, 9, 9), Pvector(9, 9, 9), Pvector(9, 9, 9), Pvector(9, 9, 9)};
    EXPECT_EQ(polygon->GetFaceIndexArray(idx, 3), 0x20u);
    EXPECT_EQ(polygon->GetFacePointArray(pts, 2), wild.type & ~0x0Fu);
    EXPECT_EQ(idx[0], 7ul);
    EXPECT_TRUE(Near(pts[0], Pvector(9, 9, 9)));
  }
  {
    // Validation deletes exactly the two wild faces and flags the change.
    polygon->updateFlag = 0;
    EXPECT_EQ(polygon->ValidateFaces(), 2ul);
    EXPECT_EQ(polygon->GetUpdateFlag(), VoIPolygon::UPDATE_FACE);
    EXPECT_EQ(polygon->GetFace()->array[2].GetCount(), 0);
    EXPECT_EQ(polygon->GetFace()->array[3].GetCount(), 0);
    EXPECT_EQ(polygon->GetFace()->array[1].GetCount(), 4);
    EXPECT_EQ(polygon->ValidateFaces(), 0ul);
  }
  master.ReleaseItem(polygon);
}

TEST_F(VoIGeometryTest, VerticesAreReusedWithDefinedFixTypes) {
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  {
    EXPECT_EQ(polygon->AddVertex(Pvector(1, 1, 1)), 0ul);
    EXPECT_EQ(polygon->GetNumVertex(), 0ul);
    EXPECT_EQ(polygon->SetVertex(0, Pvector(1, 1, 1)), 0);
    EXPECT_EQ(polygon->DeleteVertex(0), 0);
    EXPECT_TRUE(Near(polygon->GetVertexArray(0), Pvector(0, 0, 0)));
  }
  Fill(*polygon, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {}, VoVertex::FIX_RIGID);
  VoVertex* v = polygon->GetVertex();
  {
    EXPECT_EQ(polygon->SetVertex(1, Pvector(5, 5, 5)), 1);
    EXPECT_TRUE(Near(polygon->GetVertexArray(1), Pvector(5, 5, 5)));
    EXPECT_EQ(polygon->SetVertex(3, Pvector(5, 5, 5)), 0);
    EXPECT_TRUE(Near(polygon->GetVertexArray(3), Pvector(0, 0, 0)));
  }
  {
    EXPECT_EQ(polygon->DeleteVertex(1), 1);
    EXPECT_TRUE(VoVertex::IsDeleted(v->Get(1)));
    EXPECT_EQ(polygon->AddVertex(Pvector(7, 8, 9)), 1ul);
    EXPECT_TRUE(Near(v->Get(1), Pvector(7, 8, 9)));
    EXPECT_EQ(v->GetFix(1), VoVertex::FIX_MOVED);
    EXPECT_EQ(v->GetFix(0), VoVertex::FIX_RIGID);
  }
  {
    EXPECT_EQ(polygon->AddVertex(Pvector(3, 3, 3)), 3ul);
    ASSERT_EQ(v->GetNum(), 4);
    ASSERT_EQ(v->GetNumFix(), 4);
    EXPECT_TRUE(Near(v->Get(2), Pvector(2, 0, 0)));
    EXPECT_EQ(v->GetFix(2), VoVertex::FIX_RIGID);
    EXPECT_EQ(v->GetFix(3), VoVertex::FIX_MOVED);
  }
  {
    // A fix array left short by Alloc(0) history still covers a reused slot.
    v->fix.resize(1);
    polygon->DeleteVertex(2);
    EXPECT_EQ(polygon->AddVertex(Pvector(1, 2, 3)), 2ul);
    EXPECT_GE(v->GetNumFix(), 3);
    EXPECT_EQ(v->GetFix(2), VoVertex::FIX_MOVED);
  }
  master.ReleaseItem(polygon);
}
