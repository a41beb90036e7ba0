// Deformed meshes drawn headless: a rigid mesh moved by a deformer is drawn
// where it went, and the demonstration character's skin follows its bones.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "OsmiraFixture.h"
#include "ferrox/testing/Near.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/Osmira/DistanceWeightJob.h"
#include "plugins/Osmira/Osmiraform.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/Renddx/testing/SceneBuild.h"

namespace osmiratest {
namespace {

using Frx::Pvector;
using FrxTest::Near;

constexpr uint32_t kBackground = 0x203040;

// The pixel a world point lands on in the harness's next frame.
std::pair<int, int> PixelOf(const votest::RenderHarness& h, const Pvector& p) {
  const votest::Camera& c = h.camera;
  D3DXMATRIX view, projection, both;
  const D3DXVECTOR3 eye(c.eye.x, c.eye.y, c.eye.z), at(c.at.x, c.at.y, c.at.z), up(c.up.x, c.up.y, c.up.z);
  D3DXMatrixLookAtRH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovRH(&projection, c.fovDegrees * 3.1415927f / 180.0f, float(h.Width()) / float(h.Height()),
                             c.nearZ, c.farZ);
  D3DXMatrixMultiply(&both, &view, &projection);
  D3DXVECTOR3 ndc;
  D3DXVec3TransformCoord(&ndc, &p, &both);
  return {int((ndc.x + 1.0f) * 0.5f * float(h.Width())), int((1.0f - ndc.y) * 0.5f * float(h.Height()))};
}

bool Drawn(const votest::Image& frame, const std::pair<int, int>& at) { return frame.At(at.first, at.second) != kBackground; }

TEST(DeformedDraw, RigidMeshMovedByADeformerIsDrawnWhereItWent) {
  OsmiraformDesc desc;
  votest::RenderHarness h;
  ASSERT_TRUE(h.Open()) << "no device";
  h.background = kBackground;
  h.Master().RegistClassDesc(&desc);
  VoICharacter* holder = h.NewCharacter("holder");
  Rig rig = BuildRig(h.Master(), holder, {{"arm", -1, {0, 0, 0}, {0, 1, 0}, {0, 0, -0.5f}}});
  // A quad around (1, 0, 0) inside one anchor: every vertex is held by one
  // anchor alone, so all are rigid (fix type 2) and the mesh is drawn from
  // a static buffer.
  Mesh quad;
  quad.positions = {{0.75f, -0.25f, 0}, {0.75f, 0.25f, 0}, {1.25f, 0.25f, 0}, {1.25f, -0.25f, 0}};
  quad.faces = {{0, 1, 2, 3}};
  VoIPolygon* p = BuildPolygon(h.Master(), rig.character, "quad", quad, votest::AddMaterial(h.Master(), rig.character, {}));
  auto* deformer = static_cast<Osmiraform*>(h.Master().CreateItem("Osmiraform", p));
  deformer->skeleton = rig.skeleton;
  VoIPolygon* anchor = BuildPolygon(h.Master(), deformer, "anchor", Box(Pvector(0.5f, -0.5f, -1), Pvector(1.5f, 0.5f, 1)));
  anchor->SetCoordinate(rig.bones[0]);
  anchor->SwHide(1);

  const auto right = PixelOf(h, Pvector(1, 0, 0)), above = PixelOf(h, Pvector(0, 1, 0));
  const votest::Image rest = h.Render(rig.character);
  ASSERT_TRUE(deformer->IsBound());
  for (int i = 0; i < 4; ++i) ASSERT_EQ(p->GetVertex()->GetFix(i), VoVertex::FIX_RIGID);
  EXPECT_TRUE(Drawn(rest, right));
  EXPECT_FALSE(Drawn(rest, above));
  // The arm turns 90° about z: the quad goes to (0, 1, 0); no flag tells
  // the renderer, which finds the positions moved.
  TurnBone(rig.bones[0], Pvector(0, 0, 1), 90.0f);
  const votest::Image turned = h.Render(rig.character);
  EXPECT_TRUE(Near(p->GetVertex()->Get(0), Pvector(0.25f, 0.75f, 0), 1e-4f));
  EXPECT_FALSE(Drawn(turned, right));
  EXPECT_TRUE(Drawn(turned, above));
}

// The demonstration character through the loaded modules.
class DemoDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Open()) << "no device";
    h.background = kBackground;
    h.camera.nearZ = 10.0f;
    h.camera.farZ = 1000.0f;
    VoMaster& master = h.Master();
    ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
    ASSERT_EQ(master.LoadPlugin("plugins\\osmira.dll"), 1);
    demo = h.NewCharacter("demo");
    ASSERT_EQ(master.Import((std::string(SAVORA_TESTDATA_DIR) + "/demo/demo.mqo").c_str(), demo, 0), demo);
    body = dynamic_cast<VoIPolygon*>(demo->GetItem("body"));
    ASSERT_NE(body, nullptr);
    rest.assign(body->GetVertex()->Get(), body->GetVertex()->Get() + body->GetVertex()->GetNum());
    VoIBranch::ItemList items;
    demo->GetSkelton()->GetGroupList(items, VoIBone::CLASS_ID);
    for (VoIItem* item : items) bones[item->name] = item->IsBone();
    VoIBranch::ItemList locates;
    demo->GetSkelton()->GetGroupList(locates, VoILocate::CLASS_ID);
    for (VoIItem* item : locates) this->locates[item->name] = item->IsLocate();
  }
  // The body vertices that bone alone reaches, measured at rest.
  std::vector<int> OnlyReachedBy(const std::string& name) {
    std::vector<int> only;
    for (size_t i = 0; i < rest.size(); ++i) {
      std::vector<std::string> reached;
      for (const auto& [other, bone] : bones)
        if (Osmira::PointSegmentDistance(rest[i], bone->GetSPosStart(), bone->GetSPosEnd()) < bone->GetHeadLength())
          reached.push_back(other);
      if (reached.size() == 1 && reached[0] == name) only.push_back(int(i));
    }
    return only;
  }
  // Every vertex of `vertices` is its rest position carried by the bone;
  // their mean, posed and at rest.
  std::pair<Pvector, Pvector> ExpectCarried(const std::vector<int>& vertices, VoIBone* bone) {
    const Frx::Pmatrix m = bone->GetMatrixS2W();
    Pvector posed(0, 0, 0), atRest(0, 0, 0);
    for (int v : vertices) {
      EXPECT_TRUE(Near(body->GetVertex()->Get(v), m * rest[size_t(v)], 2e-3f)) << bone->name << " " << v;
      posed += body->GetVertex()->Get(v) / float(vertices.size());
      atRest += rest[size_t(v)] / float(vertices.size());
    }
    return {posed, atRest};
  }

  FrxTest::MessageBoxRecorder boxes{IDOK};
  votest::RenderHarness h{160, 240};
  VoICharacter* demo = nullptr;
  VoIPolygon* body = nullptr;
  std::vector<Pvector> rest;
  std::map<std::string, VoIBone*> bones;
  std::map<std::string, VoILocate*> locates;
};

TEST_F(DemoDraw, SkinFollowsARaisedArm) {
  // The body became the deformer's target, at the null root.
  EXPECT_EQ(body->GetCoordinate(), h.Master().GetNullCoordinate());
  VoIItem* deformer = body->GetItem("body");
  ASSERT_NE(deformer, nullptr);
  EXPECT_STREQ(deformer->GetClassNameA(), "Osmiraform");
  EXPECT_EQ(body->GetNumFace(), 20896u);

  h.camera.eye = Pvector(0, 100, -400);
  h.camera.at = Pvector(0, 100, 0);
  const votest::Image still = h.Render(demo);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  for (size_t i = 0; i < rest.size(); i += 97) ASSERT_TRUE(Near(body->GetVertex()->Get(int(i)), rest[i], 2e-3f)) << i;

  // The left arm swings up to the side, 90° about z at the shoulder.
  const std::vector<int> hand = OnlyReachedBy("hand[L]");
  ASSERT_GT(hand.size(), 20u);
  TurnBone(bones.at("upperarm[L]"), Pvector(0, 0, 1), 90.0f);
  const votest::Image raised = h.Render(demo);
  const auto [posed, atRest] = ExpectCarried(hand, bones.at("hand[L]"));
  EXPECT_GT(posed.x, 65.0f) << "the hand is out to the side";
  EXPECT_GT(posed.y, 130.0f);
  EXPECT_TRUE(Drawn(still, PixelOf(h, atRest)));
  EXPECT_FALSE(Drawn(still, PixelOf(h, posed)));
  EXPECT_FALSE(Drawn(raised, PixelOf(h, atRest)));
  EXPECT_TRUE(Drawn(raised, PixelOf(h, posed)));
  // The right arm, not turned, is where it was.
  const std::vector<int> other = OnlyReachedBy("hand[R]");
  const auto [right, rightRest] = ExpectCarried(other, bones.at("hand[R]"));
  EXPECT_TRUE(Near(right, rightRest, 2e-3f));
}

TEST_F(DemoDraw, SkinFollowsAFrameOfTheWalk) {
  // Frame 24 of walk.kvm keyed onto the skeleton: rotations of the bones and
  // the position of the hips.
  std::istringstream lines(FrxTest::ReadWhole(std::string(SAVORA_TESTDATA_DIR) + "/demo/walk.kvm"));
  std::string line, control;
  int keyed = 0;
  while (std::getline(lines, line)) {
    char name[256];
    int frame = 0;
    float v[4] = {0, 0, 0, 0};
    if (std::sscanf(line.c_str(), " name = \"%255[^\"]\"", name) == 1) control = name;
    const int n = std::sscanf(line.c_str(), " %d (%f %f %f %f)", &frame, &v[0], &v[1], &v[2], &v[3]);
    if (frame != 24 || n < 4) continue;
    if (n == 5) bones.at(control)->SetRotate(Frx::Pquaternion(v[0], v[1], v[2], v[3]));
    if (n == 4) locates.at(control)->SetPos(Pvector(v[0], v[1], v[2]));
    ++keyed;
  }
  ASSERT_EQ(keyed, 17);
  h.camera.eye = Pvector(400, 90, 0);
  h.camera.at = Pvector(0, 90, 0);
  const std::vector<int> left = OnlyReachedBy("foot[L]"), right = OnlyReachedBy("foot[R]");
  ASSERT_GT(left.size(), 20u);
  ASSERT_GT(right.size(), 20u);
  const votest::Image walking = h.Render(demo);
  const auto [posed, atRest] = ExpectCarried(left, bones.at("foot[L]"));
  const auto [behind, behindAtRest] = ExpectCarried(right, bones.at("foot[R]"));
  // A quarter stride on, the left foot is forward (-z), the right one back.
  EXPECT_LT(posed.z, atRest.z - 5.0f);
  EXPECT_GT(behind.z, behindAtRest.z + 5.0f);
  EXPECT_LT(posed.z, behind.z - 20.0f);
  EXPECT_TRUE(Drawn(walking, PixelOf(h, posed)));
  EXPECT_TRUE(Drawn(walking, PixelOf(h, behind)));
}

}  // namespace
}  // namespace osmiratest
