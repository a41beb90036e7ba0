// End to end, headless: a motion capture's joints paired with the
// demonstration character's bones from testdata/kvc, its motion converted
// onto the character, played and shot frame by frame through SerialBMP.
// The capture is a CMU file read by the BVH plug-in when it is built, and
// one built here in the shape that plug-in gives otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "TandrelFixture.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Rastel/SerialBMP.h"
#include "plugins/Tandrel/MotionConverter.h"
#include "plugins/testing/FakeHost.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/skeleton/VoISkelton.h"

namespace tandreltest {
namespace {

const std::string kTestdata = SAVORA_TESTDATA_DIR;

// The joints of CMU captures (01_01.bvh): name, parent and offset.
const std::vector<Joint> kCmuJoints = {
    {"Hips", "", {0, 0, 0}},
    {"LHipJoint", "Hips", {0, 0, 0}},
    {"LeftUpLeg", "LHipJoint", {1.36306f, -1.79463f, 0.83929f}},
    {"LeftLeg", "LeftUpLeg", {2.44811f, -6.72613f, 0}},
    {"LeftFoot", "LeftLeg", {2.5622f, -7.03959f, 0}},
    {"RHipJoint", "Hips", {0, 0, 0}},
    {"RightUpLeg", "RHipJoint", {-1.30552f, -1.79463f, 0.83929f}},
    {"RightLeg", "RightUpLeg", {-2.54253f, -6.98555f, 0}},
    {"RightFoot", "RightLeg", {-2.56826f, -7.05623f, 0}},
    {"LowerBack", "Hips", {0, 0, 0}},
    {"Spine", "LowerBack", {0.02827f, 2.03559f, -0.19338f}},
    {"Spine1", "Spine", {0.05672f, 2.04885f, -0.04275f}},
    {"Neck", "Spine1", {0, 0, 0}},
    {"Neck1", "Neck", {-0.05417f, 1.74624f, 0.17202f}},
    {"Head", "Neck1", {0.10407f, 1.76136f, -0.12397f}},
    {"LeftShoulder", "Spine1", {0, 0, 0}},
    {"LeftArm", "LeftShoulder", {3.36241f, 1.20089f, -0.31121f}},
    {"LeftForeArm", "LeftArm", {4.983f, 0, 0}},
    {"LeftHand", "LeftForeArm", {3.48356f, 0, 0}},
    {"RightShoulder", "Spine1", {0, 0, 0}},
    {"RightArm", "RightShoulder", {-3.1366f, 1.37405f, -0.40465f}},
    {"RightForeArm", "RightArm", {-5.2419f, 0, 0}},
    {"RightHand", "RightForeArm", {-3.44417f, 0, 0}},
};

// A capture shaped as the BVH reader builds one: a "hierarchy" of joints at
// rest, a motion "motion" keyed every second frame with a rotation for every
// joint (legs and arms swinging) and the root's position.
VoICharacter* BuildCapture(votest::RenderHarness& h, int bvhFrames) {
  VoICharacter* capture = h.NewCharacter("capture");
  BuildSkeleton(h.Master(), capture, kCmuJoints);
  std::vector<Track> tracks;
  for (const Joint& joint : kCmuJoints) {
    Track track{joint.name};
    for (int i = 0; i < bvhFrames; ++i) {
      const float phase = 6.2831853f * float(i) / float(bvhFrames), s = std::sin(phase);
      const std::string name = joint.name;
      float degrees = 0;
      if (name == "LeftUpLeg" || name == "RightArm") degrees = 30 * s;
      if (name == "RightUpLeg" || name == "LeftArm") degrees = -30 * s;
      if (name == "LeftLeg" || name == "RightLeg") degrees = 20 * (1 - std::cos(phase));
      track.rotations.push_back({2 * i, Turn({1, 0, 0}, degrees)});
      if (name == "Hips") track.positions.push_back({2 * i, Frx::Pvector(0.5f * s, 17.0f, 0.2f * float(i))});
    }
    tracks.push_back(track);
  }
  capture->SetMotion(AddMotion(h.Master(), capture, "motion", 2 * (bvhFrames - 1), tracks));
  return capture;
}

// The demonstration character, with the Quovin and Pelarn plug-ins loaded.
VoICharacter* ImportDemo(votest::RenderHarness& h) {
  if (!h.Master().LoadPlugin("plugins\\pelarn.dll")) return nullptr;
  VoICharacter* demo = h.NewCharacter("demo");
  return h.Master().Import((kTestdata + "/demo/demo.mqo").c_str(), demo, 0) == demo ? demo : nullptr;
}

// Draws the demo character with the harness at every frame the command renders.
class DemoHost : public FakeHost {
 public:
  votest::RenderHarness* harness = nullptr;
  VoICharacter* shown = nullptr;
};

class BmpAsker : public SerialAsker {
 public:
  bool AskBmp(SerialBmpAnswers& a) override {
    a = answers;
    return true;
  }
  SerialBmpAnswers answers;
};

bool Finite(const Frx::Pvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool Finite(const Frx::Pquaternion& q) {
  return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

// Converts the capture onto the demo character through the .kvc pairs,
// shoots the converted motion and checks the shots and the values.
void RetargetAndShoot(votest::RenderHarness& h, VoICharacter* capture, VoICharacter* demo, long last,
                      unsigned step) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  DemoHost host;
  host.master = &h.Master();
  host.draw = &h.Surface();
  host.current = demo;
  host.harness = &h;
  host.shown = demo;
  host.onRender = [](FakeHost& fake, float frame) {
    auto& self = static_cast<DemoHost&>(fake);
    self.harness->Render(self.shown, frame);
  };

  PairingAsker pairs;
  pairs.kvcPath = kTestdata + "/kvc/cmu-to-demo.kvc";
  MotionConverter converter(&pairs);
  ASSERT_EQ(converter.Execute(demo, capture, host.Flags()), 1);
  VoIMotion* made = demo->GetMotion();
  ASSERT_NE(made, nullptr);
  EXPECT_STREQ(made->GetName(), "capture");
  EXPECT_EQ(made->GetControlSize(), 17) << "16 bones and the hips' start";
  for (VoIItem* item = made->GetFirstChild(); item; item = made->GetNextChild(item)) {
    if (auto* q = item->IsControlQuaternion()) {
      for (const auto& key : q->keys) ASSERT_TRUE(Finite(key.value)) << q->name << " " << key.frame;
    }
    if (auto* v = item->IsControlVector()) {
      for (const auto& key : v->keys) ASSERT_TRUE(Finite(key.value)) << v->name << " " << key.frame;
    }
  }

  FrxTest::TempFolder folder;
  BmpAsker shots;
  shots.answers.pattern = folder.System("shots\\%c_%m_%f");
  shots.answers.last = last;
  shots.answers.step = step;
  SerialBMP camera(&shots);
  ASSERT_EQ(camera.Execute(nullptr, nullptr, host.Flags()), 1);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});

  // A motion that does not loop is shot every step and at its end.
  const long end = std::min(last, made->endframe);
  const size_t count = size_t(end) / step + (end % step ? 2 : 1);
  ASSERT_EQ(folder.Count("shots"), count);
  std::string before;
  for (size_t n = 0; n < count; ++n) {
    char name[64];
    std::snprintf(name, sizeof name, "shots/demo_capture_%04zu.bmp", n);
    const std::string shot = folder.Get(name);
    ASSERT_EQ(shot.size(), 54 + size_t(h.Width()) * 3 * size_t(h.Height())) << name;
    if (!before.empty()) {
      size_t changed = 0;
      for (size_t i = 54; i < shot.size(); i += 3) changed += shot.compare(i, 3, before, i, 3) != 0;
      EXPECT_GT(changed, 100u) << name << ": the pose changes from shot to shot";
    }
    before = shot;
  }
  // Every joint of the played character stays finite.
  std::list<VoRefer<VoIItem>> locates;
  demo->GetSkelton()->GetGroupList(locates, VoILocate::CLASS_ID);
  for (VoIItem* item : locates) {
    const Frx::Pmatrix& m = item->IsLocate()->GetMatrixL2W();
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) ASSERT_TRUE(std::isfinite(m.m[r][c])) << item->name;
  }
}

void AimAtTheDemo(votest::RenderHarness& h) {
  // The capture's root stands 17 units up (scale 1: its rest is the origin).
  h.camera.eye = Frx::Pvector(-180, 10, -190), h.camera.at = Frx::Pvector(0, 5, 0);
  h.camera.nearZ = 10, h.camera.farZ = 3000;
  h.light.direction = Frx::Pvector(0.7f, -0.2f, 0.7f);
  h.Renderer().ambientR = h.Renderer().ambientG = h.Renderer().ambientB = 0.5f;
}

TEST(RetargetDemo, ACaptureShapedAsTheBvhReaderBuildsItPlaysOnTheDemoCharacter) {
  votest::RenderHarness h(160, 120);
  ASSERT_TRUE(h.Open()) << "no device";
  AimAtTheDemo(h);
  VoICharacter* demo = ImportDemo(h);
  ASSERT_NE(demo, nullptr);
  VoICharacter* capture = BuildCapture(h, 60);
  RetargetAndShoot(h, capture, demo, 200, 20);
}

TEST(RetargetDemo, TheCmuCaptureReadByTheBvhPluginPlaysOnTheDemoCharacter) {
  const std::string sorvel = std::string(SAVORA_PROGRAM_DIR) + "/plugins/sorvel.so";
  const std::string bvh = "/usr/share/assimp/models/BVH/01_01.bvh";
  if (!std::filesystem::exists(sorvel)) GTEST_SKIP() << "the BVH plug-in is not built: " << sorvel;
  if (!std::filesystem::exists(bvh)) GTEST_SKIP() << "assimp-testmodels is not installed: " << bvh;
  votest::RenderHarness h(160, 120);
  ASSERT_TRUE(h.Open()) << "no device";
  AimAtTheDemo(h);
  VoICharacter* demo = ImportDemo(h);
  ASSERT_NE(demo, nullptr);
  ASSERT_EQ(h.Master().LoadPlugin("plugins\\sorvel.dll"), 1);
  VoICharacter* capture = h.NewCharacter("capture");
  ASSERT_EQ(h.Master().Import(bvh.c_str(), capture, 0), capture);
  ASSERT_NE(capture->GetMotion(), nullptr);
  RetargetAndShoot(h, capture, demo, 200, 50);
}

}  // namespace
}  // namespace tandreltest
