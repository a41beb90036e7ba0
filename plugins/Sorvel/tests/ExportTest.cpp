// Export through the master: the exact text written, the frames sampled at
// the rate the question gives, refusals that leave the target alone, and a
// round trip through the reader.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "SorvelFixture.h"
#include "ferrox/math/tests/MathNear.h"
#include "plugins/Sorvel/BvhWriter.h"
#include "plugins/testing/GoldenCases.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace sorveltest {
namespace {

class BvhExport : public SorvelFixture {
 protected:
  // Hips (at 0 10 0) > Chest (0 5 0) > an End Site (0 3 0), and a second
  // ROOT Prop (2 0 0). Hips' keyed position runs along x with the frame
  // (1000 at 1000); Chest is keyed unturned at 0, turned about Z at 2 and
  // about X at 4, by 2 atan(0.75) = 73.739795 degrees (73.739799 as near as
  // a float holds it).
  VoICharacter* SmallCharacter(long endframe) {
    VoICharacter* c = NewCharacter();
    auto* skeleton = master.NewItem<VoISkelton>(c);
    auto* hips = Make<VoICoordinate>(skeleton, "Hips");
    hips->SetPos(Frx::Pvector(0, 10, 0));
    auto* chest = Make<VoICoordinate>(hips, "Chest");
    chest->SetPos(Frx::Pvector(0, 5, 0));
    Make<VoILocate>(chest, "tip")->SetPos(Frx::Pvector(0, 3, 0));
    Make<VoICoordinate>(skeleton, "Prop")->SetPos(Frx::Pvector(2, 0, 0));
    auto* motion = Make<VoIMotion>(c, "motion");
    motion->SetEndFrame(endframe);
    auto* pos = master.CreateControl(hips, "pos", motion)->IsControlVector();
    pos->SetKey(0, Frx::Pvector(0, 0, 0));
    pos->SetKey(1000, Frx::Pvector(1000, 0, 0));
    auto* rot = master.CreateControl(chest, "rot", motion)->IsControlQuaternion();
    rot->SetKey(0, Frx::Pquaternion::id);
    rot->SetKey(2, Frx::Pquaternion(0, 0, 0.6f, 0.8f));
    rot->SetKey(4, Frx::Pquaternion(0.6f, 0, 0, 0.8f));
    c->SetMotion(motion);
    return c;
  }
  std::string Export(VoICharacter* c, int* result = nullptr) {
    const std::string path = Scratch("out.bvh");
    const int r = master.Export(path.c_str(), c, 0);
    if (result) *result = r;
    return plugtest::ReadWhole(path);
  }
};

std::string CrLf(const std::string& text) {
  std::string out;
  for (char ch : text) out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  return out;
}

TEST_F(BvhExport, WritesTheExactText) {
  int result = 0;
  const std::string written = Export(SmallCharacter(4), &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(question.asked, std::vector<float>{30.0f});
  const char* expected =
      "HIERARCHY\n"
      "ROOT Hips\n"
      "{\n"
      "\tOFFSET 0.000000 10.000000 0.000000\n"
      "\tCHANNELS 6 Xposition Yposition Zposition Zrotation Yrotation Xrotation\n"
      "\tJOINT Chest\n"
      "\t{\n"
      "\t\tOFFSET 0.000000 5.000000 0.000000\n"
      "\t\tCHANNELS 3 Zrotation Yrotation Xrotation\n"
      "\t\tEnd Site\n"
      "\t\t{\n"
      "\t\t\tOFFSET 0.000000 3.000000 0.000000\n"
      "\t\t}\n"
      "\t}\n"
      "}\n"
      "ROOT Prop\n"
      "{\n"
      "\tOFFSET 2.000000 0.000000 0.000000\n"
      "\tCHANNELS 6 Xposition Yposition Zposition Zrotation Yrotation Xrotation\n"
      "}\n"
      "MOTION\n"
      "Frames: 3\n"
      "Frame Time: 0.033333\n"
      "0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t"
      "2.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t\n"
      "2.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t73.739799\t0.000000\t0.000000\t"
      "2.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t\n"
      "4.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t73.739799\t"
      "2.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t\n";
  EXPECT_EQ(written, CrLf(expected));
}

// Samples every 60 / fps engine frames from 0 while they lie within the end
// frame; Hips' x position shows each sample time.
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
      {59, 30, "0.033333", {}},  // 30 frames, 0 to 58
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fps);
    question.answers = {{true, row.fps}};
    VoICharacter* c = SmallCharacter(row.endframe);
    std::istringstream lines(Export(c));
    std::string line;
    while (std::getline(lines, line) && line.rfind("MOTION", 0) != 0) {
    }
    int frames = 0;
    std::getline(lines, line);
    ASSERT_EQ(std::sscanf(line.c_str(), "Frames: %d", &frames), 1);
    std::getline(lines, line);
    EXPECT_EQ(line, std::string("Frame Time: ") + row.frameTime + "\r");
    std::vector<float> times;
    while (std::getline(lines, line)) times.push_back(std::strtof(line.c_str(), nullptr));
    EXPECT_EQ(int(times.size()), frames);
    if (row.times.empty()) {
      EXPECT_EQ(frames, 30);
      EXPECT_EQ(times.back(), 58.0f);
    } else {
      ASSERT_EQ(times.size(), row.times.size());
      for (size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], row.times[i], 1e-5f);
    }
    EXPECT_EQ(c->GetTime(), times.back()) << "the time stays at the last sample";
  }
}

// Nothing is asked or written for a character that cannot be written; a
// cancelled or refused rate leaves the target as it was too.
TEST_F(BvhExport, RefusalsLeaveTheTargetAlone) {
  enum Make { NO_CHARACTER, NO_SKELETON, NO_JOINT, NO_MOTION, RELEASED_MOTION, WRITABLE };
  const float nan = std::nanf("");
  const struct {
    const char* label;
    Make make;
    std::deque<ScriptedQuestion::Answer> answers;
    int result;
    size_t asked;
    bool message;
  } cases[] = {
      {"not a character", NO_CHARACTER, {}, 0, 0, false},
      {"no skeleton", NO_SKELETON, {}, 0, 0, false},
      {"a skeleton without joints", NO_JOINT, {}, 0, 0, false},
      {"no motion", NO_MOTION, {}, 0, 0, false},
      {"a released motion", RELEASED_MOTION, {}, 0, 0, false},
      {"cancelled", WRITABLE, {{false, 30}}, 1, 1, false},
      {"a rate of 0", WRITABLE, {{true, 0}}, 0, 1, true},
      {"a rate above 60", WRITABLE, {{true, 60.5f}}, 0, 1, true},
      {"a negative rate", WRITABLE, {{true, -30}}, 0, 1, true},
      {"no number", WRITABLE, {{true, nan}}, 0, 1, true},
  };
  const std::string target = Scratch("keep.bvh");
  for (const auto& row : cases) {
    SCOPED_TRACE(row.label);
    WriteScratch("keep.bvh", "kept");
    question.asked.clear();
    question.answers = row.answers;
    boxes.clear();
    VoICharacter* c = SmallCharacter(4);
    VoIBranch* branch = c;
    if (row.make == NO_CHARACTER) branch = c->GetSkelton();
    if (row.make == NO_SKELETON) master.ReleaseItem(c->GetSkelton());
    if (row.make == NO_JOINT)
      for (VoIItem* j : Children(c->GetSkelton())) master.ReleaseItem(j);
    if (row.make == NO_MOTION) c->SetMotion(nullptr);
    if (row.make == RELEASED_MOTION) master.ReleaseItem(c->GetMotion());
    EXPECT_EQ(master.Export(target.c_str(), branch, 0), row.result);
    EXPECT_EQ(plugtest::ReadWhole(target), "kept");
    EXPECT_EQ(question.asked.size(), row.asked);
    EXPECT_EQ(boxes.size(), row.message ? 1u : 0u);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u) << "no temporary file is left";
  }
}

// Written and read again: the same joints, offsets and world positions at
// every key, whatever order the rotations were read in.
TEST_F(BvhExport, ReadsBackTheSamePoses) {
  VoICharacter* a = NewCharacter("a");
  ASSERT_EQ(ImportText(BvhText(kTwoRoots, 4, TwoRootsFrames(4)), a, "a.bvh"), a);
  const std::string path = Scratch("again.bvh");
  ASSERT_EQ(master.Export(path.c_str(), a, 0), 1);
  VoICharacter* b = NewCharacter("b");
  ASSERT_EQ(master.Import(path.c_str(), b, 0), b);
  EXPECT_EQ(b->GetMotion()->endframe, a->GetMotion()->endframe);
  for (int key = 0; key <= 6; key += 2) {
    SCOPED_TRACE(key);
    PoseAt(a, float(key));
    PoseAt(b, float(key));
    const std::vector<Frx::Pvector> wa = JointWorldPositions(a), wb = JointWorldPositions(b);
    ASSERT_EQ(wa.size(), 3u);
    ASSERT_EQ(wb.size(), wa.size());
    for (size_t j = 0; j < wa.size(); ++j) EXPECT_TRUE(Near(wa[j], wb[j], 1e-3f)) << j;
    // The End Sites follow too: they are the children of the joints.
    EXPECT_TRUE(Near(static_cast<VoILocate*>(Find(b, "Chest")->IsBranch()->GetFirstChild())->GetWPos(),
                     static_cast<VoILocate*>(Find(a, "Chest")->IsBranch()->GetFirstChild())->GetWPos(), 1e-3f));
  }
}

}  // namespace
}  // namespace sorveltest
