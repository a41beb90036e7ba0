// Export through the master: the frames sampled at the rate the question
// gives, refusals that leave the target alone, and a round trip through the
// reader. (The exact text, CR LF included, is pinned by the golden folders.)
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "SorvelFixture.h"
#include "ferrox/testing/Near.h"
#include "ferrox/testing/ReadWhole.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace sorveltest {
namespace {

using FrxTest::Near;

class BvhExport : public SorvelFixture {
 protected:
  // A ROOT "Hips" whose x position is keyed to run with the engine frame.
  VoICharacter* Runner(long endframe) {
    VoICharacter* c = NewCharacter();
    VoICoordinate* hips = Make<VoICoordinate>(master.NewItem<VoISkelton>(c), "Hips");
    auto* motion = Make<VoIMotion>(c, "motion");
    motion->SetEndFrame(endframe);
    auto* pos = master.CreateControl(hips, "pos", motion)->IsControlVector();
    pos->SetKey(0, Frx::Pvector(0, 0, 0));
    pos->SetKey(1000, Frx::Pvector(1000, 0, 0));
    c->SetMotion(motion);
    return c;
  }
};

// Samples every 60 / fps engine frames from 0 while they lie within the end
// frame; each frame line starts with the sample's time.
TEST_F(BvhExport, SamplesAtTheAnsweredRate) {
  const struct {
    long endframe;
    float fps;
    const char* frameTime;
    std::vector<float> times;
  } rows[] = {
      {4, 30, "0.033333", {0, 2, 4}},
      {5, 24, "0.041667", {0, 2.5f, 5}},
      {3, 60, "0.016667", {0, 1, 2, 3}},
      {0, 30, "0.033333", {0}},
      {10, 7, "0.142857", {0, 60.0f / 7}},
  };
  const std::string path = Scratch("out.bvh");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fps);
    question.answers = {{true, row.fps}};
    question.asked.clear();
    VoICharacter* c = Runner(row.endframe);
    ASSERT_EQ(master.Export(path.c_str(), c, 0), 1);
    EXPECT_EQ(question.asked, std::vector<float>{30.0f}) << "asked with the dialog's initial value";
    std::istringstream lines(FrxTest::ReadWhole(path));
    std::string line;
    while (std::getline(lines, line) && line != "MOTION\r") {
    }
    int frames = 0;
    std::getline(lines, line);
    EXPECT_EQ(std::sscanf(line.c_str(), "Frames: %d\r", &frames), 1);
    std::getline(lines, line);
    EXPECT_EQ(line, std::string("Frame Time: ") + row.frameTime + "\r");
    std::vector<float> times;
    while (std::getline(lines, line)) times.push_back(std::strtof(line.c_str(), nullptr));
    EXPECT_EQ(size_t(frames), times.size());
    ASSERT_EQ(times.size(), row.times.size());
    for (size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], row.times[i], 1e-5f);
    EXPECT_EQ(c->GetTime(), times.back()) << "the time stays at the last sample";
  }
}

// Nothing is asked or written for a character that cannot be written or
// whose motion runs past the frames a writer steps through; a cancelled or
// refused rate leaves the target as it was too.
TEST_F(BvhExport, RefusalsLeaveTheTargetAlone) {
  enum Make { NO_CHARACTER, NO_SKELETON, NO_JOINT, NO_MOTION, RELEASED_MOTION, WRITABLE, LONGEST, TOO_LONG, ENDLESS };
  const std::string rate = "出力間隔には", range = "出力するフレームの範囲が長すぎます。(0～";
  const struct {
    const char* label;
    Make make;
    std::deque<ScriptedQuestion::Answer> answers;
    int result;
    size_t asked;
    std::string box;  // what the one message starts with; empty for none
  } cases[] = {
      {"not a character", NO_CHARACTER, {}, 0, 0, ""},
      {"no skeleton", NO_SKELETON, {}, 0, 0, ""},
      {"a skeleton without joints", NO_JOINT, {}, 0, 0, ""},
      {"no motion", NO_MOTION, {}, 0, 0, ""},
      {"a released motion", RELEASED_MOTION, {}, 0, 0, ""},
      {"cancelled", WRITABLE, {{false, 30}}, 1, 1, ""},
      {"a rate of 0", WRITABLE, {{true, 0}}, 0, 1, rate},
      {"a rate above 60", WRITABLE, {{true, 60.5f}}, 0, 1, rate},
      {"a negative rate", WRITABLE, {{true, -30}}, 0, 1, rate},
      {"no number", WRITABLE, {{true, std::nanf("")}}, 0, 1, rate},
      {"an hour of frames is asked for", LONGEST, {{false, 30}}, 1, 1, ""},
      // Were they asked, Cancel would keep a late refusal from writing.
      {"an hour and a frame", TOO_LONG, {{false, 30}}, 0, 0, range + "216001)"},
      {"an end frame of 2147483647", ENDLESS, {{false, 30}}, 0, 0, range + "2147483647)"},
  };
  const std::string target = Scratch("keep.bvh");
  for (const auto& row : cases) {
    SCOPED_TRACE(row.label);
    scratch.Put("keep.bvh", "kept");
    question.asked.clear();
    question.answers = row.answers;
    boxes.Clear();
    const long hour = VoIMotion::MaxOutputFrames;
    const long end = row.make == LONGEST ? hour : row.make == TOO_LONG ? hour + 1 : row.make == ENDLESS ? 2147483647 : 4;
    VoICharacter* c = Runner(end);
    VoIBranch* branch = c;
    if (row.make == NO_CHARACTER) branch = c->GetSkelton();
    if (row.make == NO_SKELETON) master.ReleaseItem(c->GetSkelton());
    if (row.make == NO_JOINT) master.ReleaseItem(c->GetSkelton()->GetFirstChild());
    if (row.make == NO_MOTION) c->SetMotion(nullptr);
    if (row.make == RELEASED_MOTION) master.ReleaseItem(c->GetMotion());
    EXPECT_EQ(master.Export(target.c_str(), branch, 0), row.result);
    EXPECT_EQ(FrxTest::ReadWhole(target), "kept");
    EXPECT_EQ(question.asked.size(), row.asked);
    ASSERT_EQ(boxes.Count(), row.box.empty() ? 0 : 1);
    if (!row.box.empty()) {
      EXPECT_EQ(boxes.Texts()[0].rfind(row.box, 0), 0u) << boxes.Texts()[0];
    }
    EXPECT_EQ(scratch.Count(), 1u) << "no temporary file is left";
  }
}

// Written and read again: the same joints and world positions at every key,
// End Sites included, whatever order the rotations were read in.
TEST_F(BvhExport, ReadsBackTheSamePoses) {
  VoICharacter* a = NewCharacter("a");
  ASSERT_EQ(ImportText(FixtureText("two-roots"), a, "a.bvh"), a);
  const std::string path = Scratch("again.bvh");
  ASSERT_EQ(master.Export(path.c_str(), a, 0), 1);
  VoICharacter* b = NewCharacter("b");
  ASSERT_EQ(master.Import(path.c_str(), b, 0), b);
  EXPECT_EQ(b->GetMotion()->endframe, a->GetMotion()->endframe);
  auto chestEnd = [](VoICharacter* c) { return Find(c, "Chest")->IsBranch()->GetFirstChild()->IsLocate()->GetWPos(); };
  for (int key = 0; key <= 4; key += 2) {
    SCOPED_TRACE(key);
    PoseAt(a, float(key));
    PoseAt(b, float(key));
    const std::vector<Frx::Pvector> wa = JointWorldPositions(a), wb = JointWorldPositions(b);
    ASSERT_EQ(wa.size(), 3u);
    ASSERT_EQ(wb.size(), wa.size());
    for (size_t j = 0; j < wa.size(); ++j) EXPECT_TRUE(Near(wa[j], wb[j], 1e-4f)) << j;
    EXPECT_TRUE(Near(chestEnd(a), chestEnd(b), 1e-4f));
  }
}

}  // namespace
}  // namespace sorveltest
