// The geometry items: copies, modifier updates, saving and the nearest bone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "MeshBuild.h"
#include "ferrox/testing/Near.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

using Frx::Pvector;
using FrxTest::Near;
using geotest::Fill;

namespace {

class CountingModifier : public VoIModifier {
 public:
  using VoIModifier::VoIModifier;
  int Update(unsigned long) override {
    ++updates;
    flagsSeen = GetUpdateFlag();
    return 1;
  }
  int updates = 0;
  unsigned short flagsSeen = 0;
};

class CountingItem : public VoIItem {
 public:
  using VoIItem::VoIItem;
  int Update(unsigned long) override {
    ++updates;
    return 1;
  }
  int updates = 0;
};

using VoIPolygonItem = votest::MasterFixture;
using VoIGeometryItem = votest::MasterFixture;

}  // namespace

TEST_F(VoIPolygonItem, CopyMakesIndependentArrays) {
  VoIPolygon* source = master.NewItem<VoIPolygon>(nullptr);
  source->SetName("src");
  Fill(*source, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}, VoVertex::FIX_RIGID);
  source->CreateNormal();
  source->SolveNormal_Grow();

  VoIPolygon* copy = master.NewItem<VoIPolygon>(nullptr, source);
  EXPECT_STREQ(copy->GetName(), "src");
  ASSERT_NE(copy->GetVertex(), nullptr);
  ASSERT_NE(copy->GetFace(), nullptr);
  ASSERT_NE(copy->GetNormal(), nullptr);
  EXPECT_NE(copy->GetVertex(), source->GetVertex());
  EXPECT_NE(copy->GetFace(), source->GetFace());
  EXPECT_NE(copy->GetNormal(), source->GetNormal());
  EXPECT_EQ(copy->GetVertex()->GetFix(2), VoVertex::FIX_RIGID);
  EXPECT_EQ(copy->GetFace()->array[0].index[2], 2u);
  EXPECT_TRUE(Near(copy->GetNormal()->Get(0), Pvector(0, 0, -1)));
  copy->SetVertex(1, Pvector(4, 4, 4));
  copy->DeleteFace(0);
  EXPECT_TRUE(Near(source->GetVertexArray(1), Pvector(1, 0, 0)));
  EXPECT_EQ(source->GetFace()->array[0].GetCount(), 3);

  // A geometry copied from a polygon takes only the positions.
  VoIGeometry* plain = master.NewItem<VoIGeometry>(nullptr, source);
  EXPECT_EQ(plain->GetNumVertex(), 3ul);
  EXPECT_NE(plain->GetVertex(), source->GetVertex());
  master.ReleaseItem(plain);
  master.ReleaseItem(copy);
  master.ReleaseItem(source);
}

TEST_F(VoIPolygonItem, UpdateRunsModifiersOnly) {
  master.CountUpdate();
  VoIPolygon* polygon = master.NewItem<VoIPolygon>(nullptr);
  Fill(*polygon, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  auto* deformer = new CountingModifier(polygon);
  auto* other = new CountingItem(polygon);
  deformer->updateFlag = 0x8;

  polygon->ExecUpdate();
  EXPECT_EQ(deformer->updates, 1);
  EXPECT_EQ(deformer->flagsSeen, 0x8);
  EXPECT_EQ(deformer->GetUpdateFlag(), 0);
  EXPECT_EQ(deformer->GetUpdatedFlag(), 0x8);
  EXPECT_EQ(deformer->GetUpdateStamp(), master.GetUpdateCounter());
  EXPECT_EQ(other->updates, 0);
  master.ReleaseItem(polygon);
}

TEST_F(VoIPolygonItem, SaveWritesNameThenChildren) {
  VoIPolygon* outer = master.NewItem<VoIPolygon>(nullptr);
  outer->SetName("outer");
  Fill(*outer, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  VoIPolygon* inner = master.NewItem<VoIPolygon>(outer);
  inner->SetName("inner");

  FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  VoSave save(file);
  EXPECT_EQ(outer->Save(save), 1);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  std::fclose(file);
  const size_t own = text.find("name = \"outer\"");
  const size_t block = text.find("Polygon {");
  const size_t child = text.find("name = \"inner\"");
  ASSERT_NE(own, std::string::npos) << text;
  ASSERT_NE(block, std::string::npos) << text;
  ASSERT_NE(child, std::string::npos) << text;
  EXPECT_LT(own, block);
  EXPECT_LT(block, child);
  EXPECT_EQ(text.find("0.0"), std::string::npos) << "positions are not written";
  master.ReleaseItem(outer);
}

TEST_F(VoIGeometryItem, NearestBoneByMidpoint) {
  VoISkelton* skeleton = master.NewItem<VoISkelton>(nullptr);
  VoICoordinate* plain = master.NewItem<VoICoordinate>(skeleton);
  auto bone = [&](const Pvector& a, const Pvector& b) {
    VoILocate* s = master.NewItem<VoILocate>(skeleton);
    VoILocate* e = master.NewItem<VoILocate>(skeleton);
    s->SetWPos(a);
    e->SetWPos(b);
    VoIBone* made = master.NewItem<VoIBone>(skeleton);
    made->SetStartLocate(s);
    made->SetEndLocate(e);
    return made;
  };
  // Bone `far` starts nearer the mesh, but `near`'s midpoint is closer.
  VoIBone* far = bone(Pvector(0, 0, 0), Pvector(20, 0, 0));
  VoIBone* near = bone(Pvector(4, 4, 0), Pvector(6, 4, 0));
  VoIBone* lost = master.NewItem<VoIBone>(skeleton);  // no locates

  VoIPolygon* mesh = master.NewItem<VoIPolygon>(nullptr);
  EXPECT_EQ(mesh->GetNearCoordinate(nullptr), nullptr);
  EXPECT_EQ(mesh->GetNearCoordinate(skeleton), plain);  // no positions: first coordinate
  Fill(*mesh, {{4, 2, 0}, {6, 2, 0}, {5, 3, 0}, {100, 100, 100}}, {{0, 1, 2}});
  mesh->DeleteVertex(3);
  EXPECT_EQ(mesh->GetNearCoordinate(skeleton), near);
  mesh->SetVertex(0, Pvector(10, -6, 0));
  mesh->SetVertex(1, Pvector(10, -6, 0));
  mesh->SetVertex(2, Pvector(10, -6, 0));
  EXPECT_EQ(mesh->GetNearCoordinate(skeleton), far);
  (void)lost;
  master.ReleaseItem(mesh);
  master.ReleaseItem(skeleton);
}
