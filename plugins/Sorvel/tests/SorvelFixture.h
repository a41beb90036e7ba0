// The headless master with the Sorvel descriptors registered, message boxes
// answered and recorded, the frame-rate question answered by the test, a
// scratch folder of the test's own, and small BVH texts.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ferrox/math/Pvector.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Sorvel/ExportBVH.h"
#include "plugins/Sorvel/FrameRateQuestion.h"
#include "plugins/Sorvel/ImportBVH.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"

namespace sorveltest {

// Answers the export's question from a script: each answer is OK with a rate
// or Cancel; with none left it takes the initial value.
class ScriptedQuestion : public Bvh::FrameRateQuestion {
 public:
  struct Answer {
    bool ok;
    float fps;
  };
  bool Ask(float& fps) override;

  std::deque<Answer> answers;
  std::vector<float> asked;  // the initial value of every question
};

class SorvelFixture : public votest::MasterFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Scratch(const std::string& name) const { return scratch.Native(name); }
  // Writes text as a scratch file and imports it into `into` through the master.
  VoIItem* ImportText(const std::string& text, VoIBranch* into, const std::string& name = "motion.bvh");
  // A character named `name` made through the master and released at tear-down.
  VoICharacter* NewCharacter(const char* name = "actor") { return Make<VoICharacter>(nullptr, name); }
  // Poses the character at an engine frame through VoMaster::Animation.
  void PoseAt(VoICharacter* character, float frame);
  // World positions of the character's coordinates, depth first.
  static std::vector<Frx::Pvector> JointWorldPositions(VoICharacter* character);
  // The first item named `name` anywhere under branch.
  static VoIItem* Find(VoIBranch* branch, const char* name);
  static std::vector<VoIItem*> Children(VoIBranch* branch);

  ImportBVH importer;
  ExportBVH exporter;
  ScriptedQuestion question;
  FrxTest::MessageBoxRecorder boxes{IDOK};
  FrxTest::TempFolder scratch;

 private:
  Bvh::FrameRateQuestion* previousQuestion_ = nullptr;
};

// A hierarchy and motion text: `hierarchy` goes between "HIERARCHY" and
// "MOTION", the frame lines follow the header.
std::string BvhText(const std::string& hierarchy, int frames, const std::string& frameLines,
                    const char* frameTime = "0.033333");

// The message a refused file shows, for any reader line.
bool IsStructureError(const std::string& box);

// The input of a golden case, testdata/bvh/<name>/<name>.bvh. "two-roots"
// has two ROOTs: Hips (positions first, Z X Y) with Chest and an End Site,
// and Prop (positions after its Z Y X rotations) with an End Site; 15
// values a frame, 3 frames.
std::string FixtureText(const std::string& name);

// The motion of a character as text: per control its class, name, driven
// member, curve, end frame and keys, values rounded to four decimals.
std::string DumpMotion(VoICharacter* character);

}  // namespace sorveltest
