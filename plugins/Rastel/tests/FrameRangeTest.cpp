// The numbered-output commands refuse a frame range longer than the engine
// lets a writer step through, with a message and before a frame is played
// or a file or folder made.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "RastelFixture.h"
#include "plugins/Rastel/FrameRange.h"
#include "plugins/Rastel/SerialBMP.h"
#include "plugins/Rastel/SerialMQO.h"

namespace rasteltest {
namespace {

using FrameRangeTest = RastelFixture;

TEST_F(FrameRangeTest, RangesPastAnHourAreRefusedBeforeAnythingIsWritten) {
  const long hour = VoIMotion::MaxOutputFrames;
  {
    SCOPED_TRACE("the bound");
    const struct {
      long first, end;
      bool fits;
    } ranges[] = {
        {0, hour, true}, {0, hour + 1, false}, {100, hour + 100, true}, {-1, hour, false},
        {10, 0, true},   {LONG_MIN, LONG_MAX, false}, {LONG_MAX, LONG_MIN, true},
    };
    for (const auto& r : ranges) EXPECT_EQ(CheckOutputRange(r.first, r.end), r.fits) << r.first << " " << r.end;
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Texts()[0], "出力するフレームの範囲が長すぎます。(0～216001)\n一度に出力できるのは 216000 フレームまでです。\n");
  }
  const std::string refused = "出力するフレームの範囲が長すぎます。(0～2147483647)\n";
  const struct {
    const char* what;
    bool mqo, allMotions;
    long first, last;
    std::string box;  // what the message starts with
  } cases[] = {
      {"BMP of an endless motion", false, false, 0, LONG_MAX, refused},
      {"BMP of every motion, one endless", false, true, 0, LONG_MAX, refused},
      {"BMP of the dialog's last frame", false, false, 0, 655536, "出力するフレームの範囲が長すぎます。(0～655536)\n"},
      {"MQO of an endless motion", true, false, 0, LONG_MAX, refused},
      {"MQO from a negative first frame", true, false, -1, hour, "出力するフレームの範囲が長すぎます。(-1～216000)\n"},
  };
  AddMotion("short", 10, 0);
  character->SetMotion(AddMotion("endless", 2147483647, 1));
  SerialBMP bmp(&asker);
  SerialMQO mqo(&asker);
  auto refuseEach = [&] {
    host.onRender = [](FakeHost&, float) { std::_Exit(3); };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      boxes.Clear();
      asker.editBmp = [&](SerialBmpAnswers& a) {
        a.pattern = folder.System("shots\\%m\\%f"), a.first = c.first, a.last = c.last, a.allMotions = c.allMotions;
      };
      asker.editMqo = [&](SerialMqoAnswers& a) {
        a.prefix = folder.System("frames\\hero"), a.first = c.first, a.last = c.last;
      };
      EXPECT_EQ((c.mqo ? static_cast<VoClassDescCommand&>(mqo) : bmp).Execute(nullptr, nullptr, host.Flags()), 0);
      ASSERT_EQ(boxes.Count(), 1);
      EXPECT_EQ(boxes.Texts()[0].rfind(c.box, 0), 0u) << boxes.Texts()[0];
      EXPECT_EQ(folder.Count(), 0u) << "no file, no folder";
    }
  };
  // Run apart: a refusal that comes too late plays the frames, and the child
  // ends at the first one.
  EXPECT_EXIT((refuseEach(), std::_Exit(::testing::Test::HasFailure() ? 1 : 0)), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace rasteltest
