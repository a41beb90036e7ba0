// Deformers made from specially named polygons after an import.
#include <gtest/gtest.h>

#include "OsmiraFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoDescent.h"
#include "plugins/Osmira/DeformerConstruction.h"
#include "plugins/Osmira/Osmiraform.h"
#include "plugins/Osmira/SphericalDeform.h"
#include "vocore/scene/VoIMaterial.h"

namespace osmiratest {
namespace {

using Frx::Pvector;

std::vector<std::string> ChildNames(VoIBranch* branch) {
  std::vector<std::string> names;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) names.push_back(c->name);
  return names;
}

TEST(SideName, BracketsTakeTheSideOfTheCentre) {
  const struct {
    const char* material;
    float x;
    const char* expected;
  } cases[] = {
      {"hand[]", -1.0f, "hand[R]"}, {"hand[]", 2.0f, "hand[L]"}, {"hand[]", 0.0f, "hand[]"},
      {"hand[]", -0.0f, "hand[]"},  {"hand[]tip", 1.0f, "hand[L]"}, {"hand", -1.0f, "hand"},
      {"[]", 3.0f, "[L]"},
  };
  for (const auto& c : cases) {
    char out[64];
    EXPECT_STREQ(Osmira::SideName(c.material, c.x, out, sizeof out), c.expected) << c.material << " " << c.x;
  }
}

class ConstructionTest : public OsmiraFixture {
 protected:
  void SetUp() override {
    OsmiraFixture::SetUp();
    // hand[R] left of the middle, mid[] on it, hand[L] right of it.
    rig = MakeRig({{"hand[R]", -1, {-5, 0, 0}, {-5, 10, 0}, {0, 0, -1}},
                   {"mid[]", -1, {0, 0, 0}, {0, 10, 0}, {0, 0, -1}},
                   {"hand[L]", -1, {5, 0, 0}, {5, 10, 0}, {0, 0, -1}}});
    auto material = [this](const char* name) {
      VoIMaterial* m = Make<VoIMaterial>(rig.character, name);
      return m;
    };
    body = MakePolygon(rig.character, "bdef:body", SquareTube({0, 5, 10}, 1));
    // Two boxes in one object split into two anchors, one per side.
    MakePolygon(body, "anchor_hands", Join(Box(Pvector(-6, 0, -1), Pvector(-4, 10, 1)), Box(Pvector(4, 0, -1), Pvector(6, 10, 1))),
                material("hand[]"));
    MakePolygon(body, "anchor_mid", Box(Pvector(-1, 0, -1), Pvector(1, 10, 1)), material("mid[]"));
    MakePolygon(body, "anchorFar", Box(Pvector(-9, 0, -1), Pvector(-7, 2, 1)), material("nothing"));
    MakePolygon(body, "cap", Box(Pvector(-1, 10, -1), Pvector(1, 11, 1)));
    legs = MakePolygon(rig.character, "sdef:legs", SquareTube({0, 5}, 1));
    MakePolygon(legs, "anchor_leg", Box(Pvector(-2, -1, -2), Pvector(2, 6, 2)));
  }
  Rig rig;
  VoIPolygon *body = nullptr, *legs = nullptr;
};

TEST_F(ConstructionTest, NamedPolygonsBecomeDeformedTargets) {
  osmiraformDesc.ImportConstruction(rig.character, nullptr);  // the importer passes no object
  sphericalDesc.ImportConstruction(rig.character, nullptr);

  // The polygon takes the name, the null root as its coordinate, and a
  // deformer of that name bound to the branch's skeleton.
  EXPECT_EQ(body->name, "body");
  EXPECT_EQ(body->GetCoordinate(), master.GetNullCoordinate());
  EXPECT_EQ(ChildNames(body), (std::vector<std::string>{"cap", "body"}));
  auto* deformer = dynamic_cast<Osmiraform*>(body->GetItem("body"));
  ASSERT_NE(deformer, nullptr);
  EXPECT_EQ(deformer->skeleton.Get(), rig.skeleton);
  // The split anchor's parts "<name>00" and "<name>01" replace it; every
  // anchor is disabled.
  EXPECT_EQ(ChildNames(deformer), (std::vector<std::string>{"anchor_hands00", "anchor_hands01", "anchor_mid", "anchorFar"}));
  for (VoIItem* c = deformer->GetFirstChild(); c; c = deformer->GetNextChild(c)) EXPECT_EQ(c->IsHide(), 1) << c->name;
  // "hand[]" by the side of each part's centre; "mid[]" centred on x = 0
  // keeps its name and finds the bone so named; a material naming no
  // coordinate falls back to the nearest bone.
  const std::vector<std::string> coordinates = {"hand[R]", "hand[L]", "mid[]", "hand[R]"};
  int i = 0;
  for (VoIItem* c = deformer->GetFirstChild(); c; c = deformer->GetNextChild(c), ++i) {
    VoICoordinate* coordinate = c->IsPolygon()->GetCoordinate();
    ASSERT_NE(coordinate, nullptr) << c->name;
    EXPECT_EQ(coordinate->name, coordinates[size_t(i)]) << c->name;
  }
  // Each deformer keeps only its own anchors.
  EXPECT_EQ(legs->name, "legs");
  auto* sphere = dynamic_cast<SphericalDeform*>(legs->GetItem("legs"));
  ASSERT_NE(sphere, nullptr);
  EXPECT_EQ(ChildNames(sphere), std::vector<std::string>{"anchor_leg"});

  // Nothing is left to make; a missing branch is no error.
  osmiraformDesc.ImportConstruction(rig.character, nullptr);
  osmiraformDesc.ImportConstruction(nullptr, nullptr);
  sphericalDesc.ImportConstruction(nullptr, rig.character);
  EXPECT_EQ(ChildNames(body), (std::vector<std::string>{"cap", "body"}));

  // Both bind at the next frame.
  Frame(rig.character);
  EXPECT_TRUE(deformer->IsBound());
  EXPECT_TRUE(sphere->IsBound());
}

// At the nesting limit no deformer fits below a "sdef:" polygon, which stays
// as it is; one level up the deformer fits but its anchor cannot follow it
// one level lower, and goes. The scans end, and nothing lies past the limit.
TEST_F(ConstructionTest, NothingIsMadePastTheNestingLimit) {
  VoIBranch* at = rig.character;
  for (int i = Vo::Depth(at); i < VoIBranch::MaxDepth - 2; ++i) at = Make<VoIBranch>(at, "level");
  VoIPolygon* upper = MakePolygon(at, "bdef:upper", SquareTube({0, 5}, 1));
  VoRefer<VoIItem> anchor = MakePolygon(upper, "anchor_low", Box(Pvector(-1, 0, -1), Pvector(1, 10, 1)));
  VoIPolygon* lowest = MakePolygon(upper, "sdef:lowest", SquareTube({0, 5}, 1));
  ASSERT_EQ(Vo::Depth(lowest), VoIBranch::MaxDepth);
  FrxTest::LogCapture log;
  osmiraformDesc.ImportConstruction(rig.character, nullptr);
  sphericalDesc.ImportConstruction(rig.character, nullptr);
  auto* deformer = dynamic_cast<Osmiraform*>(upper->GetItem("upper"));
  ASSERT_NE(deformer, nullptr);
  EXPECT_EQ(ChildNames(deformer), std::vector<std::string>{});
  EXPECT_EQ(anchor.Get(), nullptr) << "released";
  EXPECT_EQ(lowest->name, "sdef:lowest");
  EXPECT_EQ(ChildNames(lowest), std::vector<std::string>{});
  EXPECT_EQ(log.Count("段を超えるためリンクできません"), 1) << log.Text();
  EXPECT_EQ(log.Count("の階層が深すぎるため SphericalDeform を作れません"), 1) << log.Text();
}

}  // namespace
}  // namespace osmiratest
