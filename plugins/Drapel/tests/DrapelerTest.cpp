// Drapeler: anchor vertices on member vertices follow the member's coordinate;
// binds start from the rest copy; a failed bind glues nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrapelFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/Near.h"
#include "vocore/item/VoIObject.h"
#include "vocore/scene/VoICharacter.h"

namespace drapeltest {
namespace {

using V = Frx::Pvector;

Frx::Pmatrix Matrix(float m11, float m12, float m21, float m22, float tx, float ty = 0, float tz = 0) {
  Frx::Pmatrix m = Frx::Pmatrix::id;
  m._11 = m11, m._12 = m12, m._21 = m21, m._22 = m22, m._41 = tx, m._42 = ty, m._43 = tz;
  return m;
}

void ExpectPositions(VoIGeometry* g, const std::vector<V>& expected) {
  ASSERT_EQ(g->GetNumVertex(), expected.size());
  for (size_t j = 0; j < expected.size(); ++j) EXPECT_TRUE(FrxTest::Near(g->GetVertexArray(j), expected[j])) << j;
}

// anchor: (1,0,0) on both pieces, (2,0,0) on the lower one (twice), (5,5,5) on none.
class DrapelerTest : public DrapelFixture {
 protected:
  void SetUp() override {
    DrapelFixture::SetUp();
    VoIBranch* root = Make<VoIObject>(nullptr, "root");
    upperBone = Make<VoICoordinate>(root, "upperBone");
    lowerBone = Make<VoICoordinate>(root, "lowerBone");
    arm = NewDrapeler(root);
    anchor = Mesh(arm, "anchor", {{1, 0, 0}, {2, 0, 0}, {5, 5, 5}});
    upper = Mesh(arm, "upper", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    lower = Mesh(arm, "lower", {{1, 0, 0}, {2, 0, 0}, {1, 1, 0}, {2, 0, 0}});
    upper->SetCoordinate(upperBone);
    lower->SetCoordinate(lowerBone);
  }
  Drapeler* arm;
  VoIPolygon *anchor, *upper, *lower;
  VoICoordinate *upperBone, *lowerBone;
};

TEST_F(DrapelerTest, GluedVerticesTurnAndMoveWithTheirMember) {
  EXPECT_EQ(arm->Update(master.GetUpdateCounter()), 1);
  // One link per (anchor vertex, member); every coinciding member vertex a pair.
  const std::vector<Drapeler::Link>& links = arm->GetLinks();
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].member.Get(), upper);
  EXPECT_EQ(links[0].coordinate.Get(), upperBone);
  EXPECT_EQ(links[1].member.Get(), lower);
  ASSERT_EQ(links[2].pairs.size(), 2u);
  EXPECT_EQ(links[2].pairs[1].source, 3u);
  EXPECT_EQ(links[2].pairs[1].destination, 1u);

  const struct {
    const char* name;
    Frx::Pmatrix upperS, upperL2W, lowerS, lowerL2W;
    std::vector<V> expected;
  } poses[] = {
      // The shared vertex follows the later link, the lower piece.
      {"lower turns a quarter about z", Frx::Pmatrix::id, Matrix(1, 0, 0, 1, 0, 7), Frx::Pmatrix::id,
       Matrix(0, 1, -1, 0, 0), {{0, 1, 0}, {0, 2, 0}, {5, 5, 5}}},
      {"lower moves by (10, 0, 0)", Frx::Pmatrix::id, Frx::Pmatrix::id, Frx::Pmatrix::id, Matrix(1, 0, 0, 1, 10),
       {{11, 0, 0}, {12, 0, 0}, {5, 5, 5}}},
      {"from its standard pose: S first", Frx::Pmatrix::id, Frx::Pmatrix::id, Matrix(1, 0, 0, 1, -1),
       Matrix(1, 0, 0, 1, 1, 3), {{1, 3, 0}, {2, 3, 0}, {5, 5, 5}}},
  };
  for (const auto& p : poses) {
    SCOPED_TRACE(p.name);
    upperBone->S = p.upperS, upperBone->L2W = p.upperL2W;
    lowerBone->S = p.lowerS, lowerBone->L2W = p.lowerL2W;
    arm->ExecUpdate();
    ExpectPositions(anchor, p.expected);
  }
  // A released coordinate: its vertices follow the world root.
  master.GetWorldCoordinate()->L2W = Matrix(1, 0, 0, 1, 0, 0, 4);
  master.ReleaseItem(lowerBone);
  arm->ExecUpdate();
  ExpectPositions(anchor, {{1, 0, 4}, {2, 0, 4}, {5, 5, 5}});
  master.GetWorldCoordinate()->L2W = Frx::Pmatrix::id;
}

TEST_F(DrapelerTest, ABindStartsFromTheRestCopySoMovesNeverCompound) {
  arm->ExecUpdate();
  lowerBone->L2W = Matrix(1, 0, 0, 1, 10);
  // Bound again while moved (a piece re-parented, say): the moved anchor would
  // match nothing, its rest copy matches as at first.
  for (int bind = 0; bind < 3; ++bind) {
    arm->SetUpdateFlag(VoIBranch::UPDATE_CHILD);
    arm->ExecUpdate();
    EXPECT_EQ(arm->GetLinks().size(), 3u);
    ExpectPositions(anchor, {{11, 0, 0}, {12, 0, 0}, {5, 5, 5}});
  }
  // Arrays that grow (and move in memory) are read by index; a vertex added
  // to the anchor rests where it was added.
  for (int k = 0; k < 20; ++k) lower->AddVertex(V(50, 0, 0));
  anchor->AddVertex(V(50, 0, 0));
  arm->SetUpdateFlag(VoIBranch::UPDATE_CHILD);
  arm->ExecUpdate();
  ExpectPositions(anchor, {{11, 0, 0}, {12, 0, 0}, {5, 5, 5}, {60, 0, 0}});
  // A member released: its pairs put their vertices back at rest, and the
  // next bind leaves it out.
  master.ReleaseItem(lower);
  for (const Drapeler::Link& link : arm->GetLinks()) arm->TransformLinks(link);
  ExpectPositions(anchor, {{1, 0, 0}, {2, 0, 0}, {5, 5, 5}, {50, 0, 0}});
  arm->ExecUpdate();
  EXPECT_EQ(arm->GetLinks().size(), 1u);
}

TEST_F(DrapelerTest, WithoutAnAnchorNothingIsGlued) {
  FrxTest::LogCapture log;
  anchor->SetName("skin");
  lowerBone->L2W = Matrix(1, 0, 0, 1, 10);
  EXPECT_EQ(arm->Update(master.GetUpdateCounter()), 0);
  arm->ExecUpdate();
  arm->ExecUpdate();
  EXPECT_EQ(log.Count("VoIDrapeler::アンカーが見つかりませんでした。\n"), 2) << "tried while flags are pending";
  EXPECT_TRUE(arm->GetLinks().empty());
  ExpectPositions(anchor, {{1, 0, 0}, {2, 0, 0}, {5, 5, 5}});
  // Named "anchor" and linked again (the link flags the change): bound then.
  anchor->SetName("anchor");
  anchor->Link(arm);
  EXPECT_EQ(arm->Update(master.GetUpdateCounter()), 1);
  ExpectPositions(anchor, {{11, 0, 0}, {12, 0, 0}, {5, 5, 5}});
}

using SkinImport = DrapelFixture;

TEST_F(SkinImport, SkinMeshesAndTheirPiecesBecomeDrapelers) {
  VoICharacter* chara = Make<VoICharacter>(nullptr, "c");
  // A name with the scanner's "%" and "\" is matched as plain text.
  VoIPolygon* skin = Mesh(chara, "skin:a%d\\", {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}});
  Mesh(skin, "nested", {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}});  // as the MQO importer nests "nested|a%d\\"
  Mesh(chara, "beside|a%d\\", {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}});
  Mesh(chara, "other|a%d\\x", {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}});
  desc.ImportConstruction(chara, nullptr);  // the MQO importer passes no object: the branch holds them
  VoIItem* made = chara->GetItem("a%d\\");
  ASSERT_TRUE(made && made->IsModifier());
  std::vector<std::string> names;
  for (VoIItem* c = made->IsBranch()->GetFirstChild(); c; c = made->IsBranch()->GetNextChild(c)) names.push_back(c->GetName());
  EXPECT_EQ(names, (std::vector<std::string>{"anchor", "nested", "beside"}));
  EXPECT_EQ(skin->GetCoordinate(), master.GetWorldCoordinate());
  EXPECT_NE(chara->GetItem("other|a%d\\x"), nullptr);
}

}  // namespace
}  // namespace drapeltest
