// SerialBMP through a fake host whose frames are cleared to a colour naming
// the frame on a real headless device: which frames play, which are shot,
// the files' names, folders, headers and sizes, and the refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RastelFixture.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/Near.h"
#include "plugins/Rastel/SerialBMP.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace rasteltest {
namespace {

class SerialBmpTest : public RastelFixture {
 protected:
  int Run() { return command.Execute(nullptr, nullptr, host.Flags()); }
  SerialBMP command{&asker};
};

std::vector<long> Range(long from, long to) {
  std::vector<long> frames;
  for (long f = from; f <= to; ++f) frames.push_back(f);
  return frames;
}

std::string Number(size_t n) {
  char text[32];
  std::snprintf(text, sizeof text, "%04zu", n);
  return text;
}

TEST_F(SerialBmpTest, PlaysFromTheFirstFrameAndShootsEveryStepAndTheEnd) {
  struct Case {
    const char* what;
    long end;
    int loop;
    long first, last;
    unsigned step;
    std::vector<long> rendered, shot;
  };
  const Case cases[] = {
      {"end 10, step 5", 10, 0, 0, 655536, 5, Range(0, 10), {0, 5, 10}},
      {"first 3, end 12", 12, 0, 3, 655536, 5, Range(3, 12), {3, 8, 12}},
      {"the end shot as well", 12, 0, 0, 655536, 5, Range(0, 12), {0, 5, 10, 12}},
      {"a loop stops before its end", 12, 1, 0, 655536, 5, Range(0, 11), {0, 5, 10}},
      {"the last frame before the end", 12, 0, 0, 7, 5, Range(0, 7), {0, 5, 7}},
      {"a first frame past the end", 12, 0, 20, 655536, 5, {}, {}},
      {"a loop from its end", 12, 1, 12, 655536, 5, {12}, {12}},
      {"step 0 is taken as 1", 3, 0, 0, 655536, 0, Range(0, 3), {0, 1, 2, 3}},
  };
  VoIMotion* walk = AddMotion("walk", 0, 0);
  character->SetMotion(walk);
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string sub = "case" + std::to_string(n++);
    walk->SetEndFrame(c.end);
    walk->loop = c.loop;
    host.renderedFrames.clear();
    asker.editBmp = [&](SerialBmpAnswers& a) {
      a.pattern = folder.System(sub + "\\out\\%m\\%c_%f");
      a.first = c.first, a.last = c.last, a.step = c.step;
    };
    EXPECT_EQ(Run(), 1);
    std::vector<long> rendered(host.renderedFrames.begin(), host.renderedFrames.end());
    EXPECT_EQ(rendered, c.rendered);
    if (c.shot.empty()) {
      EXPECT_FALSE(folder.Exists(sub)) << "no file, no folder";
      continue;
    }
    ASSERT_EQ(folder.Count(sub + "/out/walk"), c.shot.size());
    for (size_t i = 0; i < c.shot.size(); ++i) {
      const BmpFacts facts = ReadBmpFacts(folder.Get(sub + "/out/walk/hero_" + Number(i) + ".bmp"));
      EXPECT_EQ(facts.width, Width) << i;
      EXPECT_EQ(facts.height, Height) << i;
      EXPECT_EQ(facts.colour, FrameColour(c.shot[i])) << "file " << i << " is frame " << c.shot[i];
    }
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  EXPECT_EQ(host.plays, int(std::size(cases)));
}

TEST_F(SerialBmpTest, WritesBottomUpBmpFilesSizedByTheMode) {
  struct Case {
    int mode;
    unsigned height, width;
    int wantWidth, wantHeight;
  };
  // 96 x 64: height 32 gives 48 wide; width 40 gives 26.67 high, truncated.
  const Case cases[] = {{0, 32, 40, 96, 64}, {1, 32, 40, 48, 32}, {2, 32, 40, 40, 26},
                        {1, 16, 16, 24, 16}, {2, 2048, 16, 16, 10}, {7, 32, 40, 96, 64}};
  character->SetMotion(AddMotion("walk", 0, 0));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.height << " " << c.width);
    const std::string name = "m" + std::to_string(c.mode) + "_" + std::to_string(c.height) + "_" + std::to_string(c.width);
    asker.editBmp = [&](SerialBmpAnswers& a) {
      a.pattern = folder.System(name);
      a.sizeMode = c.mode, a.height = c.height, a.width = c.width;
    };
    ASSERT_EQ(Run(), 1);
    const std::string bytes = folder.Get(name + ".bmp");
    const size_t stride = size_t(24 * c.wantWidth + 31) / 32 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * size_t(c.wantHeight));
    EXPECT_EQ(bytes.substr(0, 54), BmpHeader(c.wantWidth, c.wantHeight));
    // A plain frame stays its colour through the resampling.
    EXPECT_EQ(ReadBmpFacts(bytes).colour, FrameColour(0));
  }
}

TEST_F(SerialBmpTest, TheCameraLooksFromTheSideTheMotionsNameGives) {
  VoICamera* camera = Make<VoICamera>(nullptr, "camera");
  VoICoordinate* place = Make<VoICoordinate>(nullptr, "place");
  camera->SetCoordinate(place);
  host.viewCamera = camera;
  const struct {
    const char* motion;
    float x, turn;
  } cases[] = {{"walk", 1440, 90},   {"run[R]", -1440, 270}, {"run[Right]", -1440, 270},
               {"run[L]", 1440, 90}, {"[R]", -1440, 270},    {"R", 1440, 90}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.motion);
    character->SetMotion(AddMotion(c.motion, 0, 0));
    asker.editBmp = [&](SerialBmpAnswers& a) { a.pattern = folder.System("side%f"); };
    ASSERT_EQ(Run(), 1);
    EXPECT_TRUE(FrxTest::Near(place->GetPos(), Frx::Pvector(c.x, 288, 0)));
    Frx::Pquaternion want;
    want.SetEulerXYZ(Frx::Pvector(-10, c.turn, 0));
    EXPECT_TRUE(FrxTest::Near(place->GetRotate(), want));
  }
}

TEST_F(SerialBmpTest, EveryMotionGoesToItsOwnFilesFromTheStandardPose) {
  VoISkelton* skeleton = Make<VoISkelton>(character, "skelton");
  VoILocate* hip = Make<VoILocate>(skeleton, "hip");
  hip->spos = Frx::Pvector(0, 10, 0);
  AddMotion("walk", 5, 0);
  AddMotion("run[R]", 2, 0);
  for (bool standard : {false, true}) {
    SCOPED_TRACE(standard ? "with a standard motion" : "without");
    if (standard) {
      VoIMotion* pose = AddMotion("standard", 0, 0);
      VoIControlVector* key = Make<VoIControlVector>(pose, "hip");
      ASSERT_EQ(key->SetOutClassAndMember("Locate", "pos"), 1);
      key->SetKey(0, Frx::Pvector(0, 20, 0));
    }
    hip->SetPos(Frx::Pvector(5, 5, 5));
    character->SetMotion(nullptr);
    asker.editBmp = [&](SerialBmpAnswers& a) {
      a.pattern = folder.System(std::string(standard ? "b" : "a") + "\\%m\\%f");
      a.allMotions = true;
    };
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(folder.Count(standard ? "b/walk" : "a/walk"), 2u);      // 0 and 5
    EXPECT_EQ(folder.Count(standard ? "b/run[R]" : "a/run[R]"), 2u);  // 0 and 2
    EXPECT_TRUE(FrxTest::Near(hip->GetPos(), Frx::Pvector(0, standard ? 20.0f : 10.0f, 0)));
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(SerialBmpTest, OffersItsInitialValuesAndRefusesWhatItCannotDo) {
  {
    SCOPED_TRACE("initial values");
    asker.ok = false;
    EXPECT_EQ(Run(), 0);
    const SerialBmpAnswers& a = asker.shownBmp;
    EXPECT_EQ(a.pattern, std::string(Frx::theFerrox.systemPath.Get()) + "ScreenShots\\%m\\%f");
    EXPECT_EQ(a.first, 0);
    EXPECT_EQ(a.last, 655536);
    EXPECT_EQ(a.step, 5u);
    EXPECT_EQ(a.sizeMode, 0);
    EXPECT_EQ(a.height, 256u);
    EXPECT_EQ(a.width, 256u);
    EXPECT_FALSE(a.allMotions);
    EXPECT_TRUE(host.renderedFrames.empty()) << "Cancel plays nothing";
    asker.ok = true;
  }
  {
    SCOPED_TRACE("no motion");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"再生中のモーションが存在しません。\n"});
    EXPECT_TRUE(host.renderedFrames.empty());
  }
  {
    SCOPED_TRACE("no host");
    boxes.Clear();
    EXPECT_EQ(command.Execute(nullptr, nullptr, 0), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"このツールは Savora.exe からの呼び出しにしか対応していません。\n"});
  }
  {
    SCOPED_TRACE("no back buffer");
    boxes.Clear();
    character->SetMotion(AddMotion("walk", 10, 0));
    host.draw = nullptr;
    asker.editBmp = [&](SerialBmpAnswers& a) { a.pattern = folder.System("none\\%f"); };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"バックバッファの取得に失敗しました。\n"});
    EXPECT_EQ(host.renderedFrames, std::vector<float>{0.0f}) << "the command stops at the first shot";
    EXPECT_FALSE(folder.Exists("none"));
  }
}

}  // namespace
}  // namespace rasteltest
