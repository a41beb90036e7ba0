// Splitting a mesh into its connected parts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MeshBuild.h"
#include "vocore/geometry/VoMeshLabel.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoMaster.h"

using Frx::Pvector;
using geotest::AppendGrid;
using geotest::Fill;

namespace {

std::vector<VoIPolygon*> PolygonsUnder(VoIBranch* parent) {
  std::vector<VoIPolygon*> out;
  for (VoIItem* c = parent->GetFirstChild(); c; c = parent->GetNextChild(c))
    if (VoIPolygon* p = c->IsPolygon()) out.push_back(p);
  return out;
}

int LiveFaces(VoIPolygon* p) {
  int n = 0;
  for (int f = 0; f < p->GetFace()->count; ++f) n += p->GetFace()->array[f].GetCount() != 0;
  return n;
}

using VoIPolygonDevide = votest::MasterFixture;

}  // namespace

TEST_F(VoIPolygonDevide, SeparatePartsBecomeNamedCopies) {
  VoIBranch* home = master.NewItem<VoIBranch>(nullptr);
  VoIBranch* target = master.NewItem<VoIBranch>(nullptr);
  VoIPolygon* source = master.NewItem<VoIPolygon>(home);
  source->SetName("anchor");
  // The part holding vertex 0 comes first although its face is listed second.
  Fill(*source, {{0, 0, 0}, {1, 0, 0}, {5, 0, 0}, {6, 0, 0}, {5, 1, 0}, {0, 1, 0}},
       {{2, 3, 4}, {0, 1, 5}});
  source->CreateNormal();

  EXPECT_EQ(source->CreatePolygon_MeshDevide(target), 2ul);
  const std::vector<VoIPolygon*> parts = PolygonsUnder(target);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_STREQ(parts[0]->GetName(), "anchor00");
  EXPECT_STREQ(parts[1]->GetName(), "anchor01");
  for (VoIPolygon* part : parts) {
    EXPECT_EQ(part->GetNumVertex(), 6ul);  // indices stay valid: whole copies
    EXPECT_EQ(part->GetNormal(), nullptr);
    EXPECT_EQ(LiveFaces(part), 1);
    EXPECT_NE(part->GetVertex(), source->GetVertex());
  }
  EXPECT_EQ(parts[0]->GetFace()->array[1].GetCount(), 3);
  EXPECT_EQ(parts[1]->GetFace()->array[0].GetCount(), 3);
  for (int i : {0, 1, 5}) EXPECT_FALSE(VoVertex::IsDeleted(parts[0]->GetVertex()->Get(i))) << i;
  for (int i : {2, 3, 4}) EXPECT_TRUE(VoVertex::IsDeleted(parts[0]->GetVertex()->Get(i))) << i;
  for (int i : {0, 1, 5}) EXPECT_TRUE(VoVertex::IsDeleted(parts[1]->GetVertex()->Get(i))) << i;

  // The source is left as it was, where it was.
  EXPECT_EQ(source->GetParent(), home);
  EXPECT_EQ(LiveFaces(source), 2);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(VoVertex::IsDeleted(source->GetVertex()->Get(i)));
  master.ReleaseItem(home);
  master.ReleaseItem(target);
}

TEST_F(VoIPolygonDevide, OnePartRelinksAndNonePartsNothing) {
  VoIBranch* home = master.NewItem<VoIBranch>(nullptr);
  VoIBranch* target = master.NewItem<VoIBranch>(nullptr);
  {
    VoIPolygon* empty = master.NewItem<VoIPolygon>(home);
    EXPECT_EQ(empty->CreatePolygon_MeshDevide(target), 0ul);
    EXPECT_EQ(empty->GetParent(), home);
  }
  {
    VoIPolygon* strip = master.NewItem<VoIPolygon>(home);
    Fill(*strip, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 1, 0}}, {{0, 1, 2}, {2, 3}, {3, 4, 1}});
    EXPECT_EQ(strip->CreatePolygon_MeshDevide(target), 1ul);
    EXPECT_EQ(strip->GetParent(), target);
    EXPECT_EQ(PolygonsUnder(target).size(), 1u);
    // Relinking under itself or its own child would close a loop.
    VoIBranch* inside = master.NewItem<VoIBranch>(strip);
    EXPECT_EQ(strip->CreatePolygon_MeshDevide(inside), 1ul);
    EXPECT_EQ(strip->CreatePolygon_MeshDevide(strip), 1ul);
    EXPECT_EQ(strip->GetParent(), target);
    EXPECT_EQ(inside->GetParent(), strip);
  }
  {
    // A vertex of no face is a part of its own; a face with a corner out of
    // range joins nothing and belongs to no part.
    VoIPolygon* loose = master.NewItem<VoIPolygon>(home);
    loose->SetName("m");
    Fill(*loose, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {9, 9, 9}}, {{0, 1, 2}, {3, 2, 40}});
    VoIBranch* pieces = master.NewItem<VoIBranch>(nullptr);
    EXPECT_EQ(loose->CreatePolygon_MeshDevide(pieces), 2ul);
    const std::vector<VoIPolygon*> parts = PolygonsUnder(pieces);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(LiveFaces(parts[0]), 1);
    EXPECT_EQ(LiveFaces(parts[1]), 0);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(VoVertex::IsDeleted(parts[1]->GetVertex()->Get(i))) << i;
    master.ReleaseItem(pieces);
  }
  master.ReleaseItem(home);
  master.ReleaseItem(target);
}

// Under a branch at the nesting limit there is no room for parts: nothing is
// made or moved, and the answer is 0.
TEST_F(VoIPolygonDevide, NoPartsGoPastTheNestingLimit) {
  VoIBranch* home = master.NewItem<VoIBranch>(nullptr);
  VoIBranch* root = master.NewItem<VoIBranch>(nullptr);
  VoIBranch* deep = root;
  for (int i = 0; i < VoIBranch::MaxDepth; ++i) deep = master.NewItem<VoIBranch>(deep);
  const std::vector<Pvector> points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 0, 0}, {6, 0, 0}, {5, 1, 0}};
  for (size_t parts : {1, 2}) {
    VoIPolygon* mesh = master.NewItem<VoIPolygon>(home);
    if (parts == 1) Fill(*mesh, {points.begin(), points.begin() + 3}, {{0, 1, 2}});
    else Fill(*mesh, points, {{0, 1, 2}, {3, 4, 5}});
    EXPECT_EQ(mesh->CreatePolygon_MeshDevide(root), parts) << "room below the root";
    EXPECT_EQ(mesh->CreatePolygon_MeshDevide(deep), 0ul) << parts;
    EXPECT_EQ(mesh->GetParent(), parts == 1 ? root : home);
    EXPECT_EQ(deep->GetFirstChild(), nullptr);
  }
  master.ReleaseItem(home);
  master.ReleaseItem(root);
}

TEST_F(VoIPolygonDevide, LargeMeshesNeedNoDeepStack) {
  {
    // A million-vertex strip: one spread from vertex 0 reaches every vertex.
    VoIBranch* target = master.NewItem<VoIBranch>(nullptr);
    VoIPolygon* grid = master.NewItem<VoIPolygon>(nullptr);
    AppendGrid(*grid, 1000, 1000, Pvector(0, 0, 0));
    EXPECT_EQ(grid->CreatePolygon_MeshDevide(target), 1ul);
    EXPECT_EQ(grid->GetParent(), target);
    master.ReleaseItem(target);
  }
  {
    VoIPolygon* two = master.NewItem<VoIPolygon>(nullptr);
    AppendGrid(*two, 300, 200, Pvector(0, 0, 0));
    AppendGrid(*two, 200, 300, Pvector(500, 0, 0));
    std::vector<uint32_t> labels;
    EXPECT_EQ(VoLabelMeshParts(two->GetVertex()->GetNum(), two->GetFace(), labels), 2ul);
    const size_t first = 301 * 201;
    ASSERT_EQ(labels.size(), first + 201 * 301);
    EXPECT_EQ(labels[0], 1u);
    EXPECT_EQ(labels[first - 1], 1u);
    EXPECT_EQ(labels[first], 2u);
    EXPECT_EQ(labels.back(), 2u);
    master.ReleaseItem(two);
  }
}
