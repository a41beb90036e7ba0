// The anchor deformer on the demonstration character: its body held by an
// ellipsoid anchor round every bone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "OsmiraFixture.h"
#include "ferrox/testing/Near.h"
#include "plugins/Osmira/AnchorAnalysis.h"
#include "plugins/Osmira/DeformerInputs.h"
#include "plugins/Osmira/Osmiraform.h"
#include "plugins/Osmira/SphericalDeform.h"
#include "plugins/Osmira/testing/DemoAnchors.h"

namespace osmiratest {
namespace {

using Frx::Pvector;
using FrxTest::Near;

class DemoAnchors : public OsmiraFixture {
 protected:
  void SetUp() override {
    OsmiraFixture::SetUp();
    ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
    demo = Make<VoICharacter>(nullptr, "demo");
    ASSERT_EQ(master.Import((std::string(SAVORA_TESTDATA_DIR) + "/demo/demo.mqo").c_str(), demo, 0), demo);
    body = dynamic_cast<VoIPolygon*>(demo->GetItem("body"));
    ASSERT_NE(body, nullptr);
    // The import made the bone deformer (these descriptors are registered).
    ASSERT_NE(dynamic_cast<Osmiraform*>(body->GetItem("body")), nullptr);
    master.ReleaseItem(body->GetItem("body"));
  }
  VoICharacter* demo = nullptr;
  VoIPolygon* body = nullptr;
};

TEST_F(DemoAnchors, PreparedAnalysisGivesThePlainResult) {
  const Osmira::BoneSet bones = Osmira::AnchorBones(demo->GetSkelton());
  VoIPolygon* holder = Make<VoIPolygon>(nullptr, "holder");
  MakeBoneAnchors(master, holder, demo->GetSkelton(), 12, 6);
  const std::vector<Osmira::AnchorInput> anchors = Osmira::GatherAnchors(holder, bones.bones);
  ASSERT_EQ(anchors.size(), 16u);
  Osmira::AnchorAnalysis prepared, plain;
  std::string preparedMessage, plainMessage;
  ASSERT_EQ((Osmira::AnchorAnalysisJob{body->GetVertex(), body->GetFace(), bones.segments, anchors, true, &prepared,
                                       &preparedMessage}
                 .Run()),
            1);
  ASSERT_EQ((Osmira::AnchorAnalysisJob{body->GetVertex(), body->GetFace(), bones.segments, anchors, false, &plain,
                                       &plainMessage}
                 .Run()),
            1);
  EXPECT_EQ(preparedMessage, plainMessage);
  ASSERT_EQ(prepared.anchors.size(), plain.anchors.size());
  for (size_t a = 0; a < plain.anchors.size(); ++a) {
    EXPECT_EQ(prepared.anchors[a].holds, plain.anchors[a].holds) << a;
    EXPECT_EQ(prepared.anchors[a].distance, plain.anchors[a].distance) << a;
    ASSERT_EQ(prepared.anchors[a].boundary.size(), plain.anchors[a].boundary.size()) << a;
    EXPECT_EQ(std::memcmp(prepared.anchors[a].boundary.data(), plain.anchors[a].boundary.data(),
                          plain.anchors[a].boundary.size() * sizeof(Pvector)),
              0);
  }
  ASSERT_EQ(prepared.overlaps.size(), plain.overlaps.size());
  EXPECT_GT(plain.overlaps.size(), 10u) << "neighbouring anchors overlap at the joints";
  for (size_t o = 0; o < plain.overlaps.size(); ++o) {
    EXPECT_EQ(prepared.overlaps[o].blend, plain.overlaps[o].blend) << o;
    EXPECT_EQ(prepared.overlaps[o].mode, plain.overlaps[o].mode) << o;
  }
  ASSERT_EQ(prepared.groups.size(), plain.groups.size());
  for (size_t g = 0; g < plain.groups.size(); ++g) EXPECT_EQ(prepared.groups[g].vertices, plain.groups[g].vertices);
}

TEST_F(DemoAnchors, SphericalDeformBendsTheBodyAtItsJoints) {
  auto* deformer = static_cast<SphericalDeform*>(master.CreateItem("SphericalDeform", body));
  deformer->skeleton = demo->GetSkelton();
  MakeBoneAnchors(master, deformer, demo->GetSkelton());
  const std::vector<Pvector> rest(body->GetVertex()->Get(), body->GetVertex()->Get() + body->GetVertex()->GetNum());
  Frame(demo);
  ASSERT_TRUE(deformer->IsBound());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  EXPECT_EQ(deformer->records.size(), rest.size()) << "every vertex has a record";
  VoIBone* shin = dynamic_cast<VoIBone*>(demo->GetSkelton()->GetBone("shin[L]"));
  ASSERT_NE(shin, nullptr);
  TurnBone(shin, Pvector(1, 0, 0), 60.0f);
  Frame(demo);
  // Every vertex finite; the vertices of the shin's anchor alone go rigidly
  // with it, those shared with the thigh's by a blend of both.
  const Frx::Pmatrix m = shin->GetMatrixS2W();
  int rigid = 0, blended = 0;
  for (const Osmira::SphereRecord& r : deformer->records) {
    const Pvector& p = body->GetVertex()->Get(r.vertex);
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << r.vertex;
    VoIBone* single = r.single >= 0 ? deformer->bones[size_t(r.single)].Get() : nullptr;
    if (single == shin) {
      ASSERT_TRUE(Near(p, m * rest[size_t(r.vertex)], 2e-3f)) << r.vertex;
      ++rigid;
    }
    if (r.mode == 1) ++blended;
  }
  EXPECT_GT(rigid, 100);
  EXPECT_GT(blended, 100);
}

}  // namespace
}  // namespace osmiratest
