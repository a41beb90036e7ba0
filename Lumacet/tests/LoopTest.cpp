// The engine loop without windows: the clock and the motion wrap, the camera
// and light of a frame, the background colour and the character in the back
// buffer, paused ticks, the hit test, the sprite background, and the one
// engine its users share.
#include <cmath>
#include <cstring>
#include <memory>

#include "PlayerTesting.h"
#include "Lumacet/PlayerEngine.h"
#include "ferrox/draw/Window.h"
#include "ferrox/testing/Near.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using lumatest::LoopEvents;
using lumatest::TestClock;
using lumatest::TickAfter;

// A loop drawing into a headless window of its own.
struct Rig {
  explicit Rig(int w = 64, int h = 48, int mode = PlayerLoop::ModeFrame) : window(w, h), loop(&events, clock.Function()) {
    loop.mode = mode;
    loop.OpenScreen(&window);
    loop.playing = 1;
  }
  uint32_t Pixel(int x, int y) {
    const std::vector<uint32_t>& f = window.LastFrame();
    return f.empty() ? 0xDEADBEEF : f[static_cast<size_t>(y) * window.LastWidth() + x];
  }
  FrxTest::MessageBoxRecorder boxes{IDOK};
  TestClock clock;
  LoopEvents events;
  Frx::Draw::HeadlessWindow window;
  PlayerLoop loop;
};

TEST(PlayerLoop, TicksTotallingAMotionsLengthFireMotionPeriodOnce) {
  struct Case {
    long endframe;
    std::vector<uint32_t> ticks;  // milliseconds before each tick
    size_t beforeLast;  // events before the last tick
    std::vector<std::string> events;
    float time;  // afterwards
  };
  const std::string wrap = "MotionPeriod wave ";
  const Case cases[] = {
      // 32 ticks of 50 ms are 96 frames: one wrap, at the last tick.
      {96, std::vector<uint32_t>(32, 50), 0, {wrap + "1 0"}, 0.0f},
      {96, std::vector<uint32_t>(31, 50), 0, {}, 93.0f},
      {30, {100, 100, 100, 100, 100}, 0, {wrap + "1 0"}, 0.0f},
      // Two seconds at once are 120 frames, but a tick wraps at most once.
      {10, {2000}, 0, {wrap + "1 0"}, 110.0f},
      // End frame 0 wraps on every tick; isend counts on.
      {0, {50, 50, 50}, 2, {wrap + "1 0", wrap + "2 0", wrap + "3 0"}, 9.0f},
  };
  for (const Case& c : cases) {
    Rig rig;
    lumatest::MakeMotion(rig.loop, "wave", c.endframe);
    rig.loop.SetMotion("WAVE");  // names match in any letter case
    ASSERT_NE(rig.loop.Character()->GetMotion(), nullptr);
    for (size_t i = 0; i + 1 < c.ticks.size(); ++i) TickAfter(rig.loop, rig.clock, c.ticks[i]);
    EXPECT_EQ(rig.events.log.size(), c.beforeLast) << "end frame " << c.endframe;
    TickAfter(rig.loop, rig.clock, c.ticks.back());
    EXPECT_EQ(rig.events.log, c.events) << "end frame " << c.endframe;
    EXPECT_NEAR(rig.loop.time, c.time, 1e-3f) << "end frame " << c.endframe;
  }
}

TEST(PlayerLoop, SetMotionCountsAfreshAndPauseKeepsTheClock) {
  Rig rig;
  lumatest::MakeMotion(rig.loop, "wave", 6);
  lumatest::MakeMotion(rig.loop, "other", 600);
  rig.loop.SetMotion("wave");
  for (int i = 0; i < 3; ++i) TickAfter(rig.loop, rig.clock, 100);  // 6 frames a tick
  rig.loop.SetMotion("missing");  // nothing but the count changes
  EXPECT_EQ(rig.loop.loopCount, 0);
  EXPECT_STREQ(rig.loop.Character()->GetMotion()->GetName(), "wave");
  TickAfter(rig.loop, rig.clock, 100);
  EXPECT_EQ(rig.events.log,
            (std::vector<std::string>{"MotionPeriod wave 1 0", "MotionPeriod wave 2 0", "MotionPeriod wave 3 0",
                                      "MotionPeriod wave 1 0"}));

  rig.loop.SetMotion("other");
  const float before = rig.loop.time;
  rig.loop.playing = 0;
  TickAfter(rig.loop, rig.clock, 2000);
  EXPECT_EQ(rig.loop.time, before) << "paused, nothing advances";
  rig.loop.playing = 1;
  TickAfter(rig.loop, rig.clock, 0);
  EXPECT_NEAR(rig.loop.time, before + 120.0f, 1e-3f) << "the pause's time comes at once";
}

TEST(PlayerLoop, CameraAndLightFollowTheSettings) {
  struct Case {
    float p, b, scale, distance;
    D3DXVECTOR3 look;
    // Where the world point -look + offset lands in camera space.
    D3DXVECTOR3 offset, seen;
    D3DXVECTOR3 light;  // before normalising
  };
  const Case cases[] = {
      {0, 0, 1, 600, {0, 0, 0}, {1, 2, 3}, {1, 2, 3 - 600}, {-1, -1, -1}},
      {0, 0, 2, 250, {10, -84, 5}, {0, 0, 0}, {0, 0, -250}, {-1, -1, -1}},
      // b turns about Y: world +x goes to the camera's -z.
      {0, 90, 1, 600, {0, 0, 0}, {1, 0, 0}, {0, 0, -1 - 600}, {1, -1, -1}},
      // p turns about X: world +y goes to the camera's +z.
      {90, 0, 1, 600, {0, 0, 0}, {0, 1, 0}, {0, 0, 1 - 600}, {-1, -1, 1}},
  };
  for (const Case& c : cases) {
    Rig rig(80, 40);
    rig.loop.viewP = c.p, rig.loop.viewB = c.b, rig.loop.viewScale = c.scale, rig.loop.viewDistance = c.distance;
    rig.loop.lookX = c.look.x, rig.loop.lookY = c.look.y, rig.loop.lookZ = c.look.z;
    rig.loop.RenderFrame();
    IDirect3DDevice8* d = rig.loop.Surface().device;
    D3DXMATRIX view, projection;
    ASSERT_EQ(d->GetTransform(D3DTS_VIEW, &view), D3D_OK);
    ASSERT_EQ(d->GetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
    EXPECT_TRUE(FrxTest::Near(view, rig.loop.View()));
    const D3DXVECTOR3 point = c.offset - c.look;
    D3DXVECTOR3 seen;
    D3DXVec3TransformCoord(&seen, &point, &view);
    EXPECT_TRUE(FrxTest::Near(seen, c.seen, 1e-3f)) << "p " << c.p << " b " << c.b;

    // A right-handed 20-degree view of aspect 2, near 100, far 10000, scaled in x and y.
    const float y = 1.0f / std::tan(0.17453294f), zn = 100.0f, zf = 10000.0f;
    D3DXMATRIX want;
    std::memset(&want, 0, sizeof want);
    want.m[0][0] = y / 2.0f * c.scale, want.m[1][1] = y * c.scale;
    want.m[2][2] = zf / (zn - zf), want.m[2][3] = -1.0f, want.m[3][2] = zn * zf / (zn - zf);
    EXPECT_TRUE(FrxTest::Near(projection, want, 1e-3f));

    D3DLIGHT8 light{};
    BOOL on = FALSE;
    ASSERT_EQ(d->GetLight(0, &light), D3D_OK);
    d->GetLightEnable(0, &on);
    EXPECT_TRUE(on);
    EXPECT_EQ(light.Type, static_cast<uint32_t>(D3DLIGHT_DIRECTIONAL));
    D3DXVECTOR3 dir(light.Direction.x, light.Direction.y, light.Direction.z), want3;
    D3DXVec3Normalize(&want3, &c.light);
    EXPECT_TRUE(FrxTest::Near(dir, want3, 1e-5f)) << "p " << c.p << " b " << c.b;
  }
}

TEST(PlayerLoop, DrawsTheBackgroundAndTheCharacterAndNothingWhilePaused) {
  Rig rig(96, 96);
  EXPECT_NE(rig.loop.celTexture, nullptr) << "the cel ramp from the program folder";
  rig.loop.background = 0x336699;
  TickAfter(rig.loop, rig.clock, 50);
  EXPECT_EQ(rig.window.PresentedFrames(), 1);
  EXPECT_EQ(rig.Pixel(0, 0), 0x336699u);
  EXPECT_EQ(rig.Pixel(48, 48), 0x336699u) << "no character yet";

  rig.loop.Import(lumatest::DemoFile("demo.mqo").c_str());
  ASSERT_NE(rig.loop.Character()->GetFirstChild(), nullptr) << "needs plugins/pelarn.so";
  rig.loop.lookY = -84.0f, rig.loop.viewB = 180.0f, rig.loop.celMode = 1, rig.loop.celEdgeSize = 1.0f;
  TickAfter(rig.loop, rig.clock, 50);
  int covered = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) covered += rig.Pixel(x, y) != 0x336699u;
  EXPECT_NE(rig.Pixel(48, 33), 0x336699u) << "the chest in the middle";
  EXPECT_GT(covered, 96 * 96 / 20);
  EXPECT_EQ(rig.Pixel(1, 1), 0x336699u);
  EXPECT_EQ(rig.loop.celShading, 1);
  EXPECT_EQ(rig.loop.outline, 1);

  const int frames = rig.window.PresentedFrames(), ticks = rig.loop.RenderedTicks();
  rig.loop.playing = 0;
  for (int i = 0; i < 3; ++i) TickAfter(rig.loop, rig.clock, 50);
  EXPECT_EQ(rig.window.PresentedFrames(), frames);
  EXPECT_EQ(rig.loop.RenderedTicks(), ticks);
}

TEST(PlayerLoop, TheDemonstrationWalkMovesAndWrapsAfterNinetySixFrames) {
  Rig rig(96, 96);
  rig.loop.Import(lumatest::DemoFile("demo.mqo").c_str());
  VoIMotion* walk = lumatest::LoadWalk(rig.loop);
  ASSERT_EQ(walk->endframe, 96);
  rig.loop.SetMotion("walk");
  ASSERT_EQ(rig.loop.Character()->GetMotion(), walk);
  rig.loop.lookY = -84.0f;
  std::vector<std::vector<uint32_t>> frames;
  for (int i = 0; i < 32; ++i) {  // 32 ticks of 50 ms: 96 frames
    TickAfter(rig.loop, rig.clock, 50);
    if (i % 8 == 0) frames.push_back(rig.window.LastFrame());
    EXPECT_EQ(rig.events.log.size(), i == 31 ? 1u : 0u) << "tick " << i;
  }
  EXPECT_EQ(rig.events.log, std::vector<std::string>{"MotionPeriod walk 1 0"});
  EXPECT_NE(frames[0], frames[1]) << "a quarter stride on, the pose has changed";
  EXPECT_NE(frames[1], frames[2]);
}

TEST(PlayerLoop, HitTestIsTheMiddleQuarterOfTheArea) {
  struct Case {
    int width, height, x, y;
    bool hit;
  };
  const Case cases[] = {
      {200, 100, 100, 50, true},  {200, 100, 75, 50, false}, {200, 100, 76, 50, true},
      {200, 100, 125, 50, false}, {200, 100, 124, 50, true}, {200, 100, 100, 37, false},
      {200, 100, 100, 38, true},  {200, 100, 100, 62, false}, {200, 100, 100, 61, true},
      // -1 takes the client size, 80 x 40.
      {-1, -1, 40, 20, true},     {-1, -1, 30, 20, false},   {-1, -1, 31, 16, true},
      {-1, 100, 40, 50, true},    {-1, 100, 40, 20, false},
  };
  LoopEvents events;
  PlayerLoop loop(&events);
  loop.SetClientSize(80, 40);
  for (const Case& c : cases) {
    loop.width = c.width, loop.height = c.height;
    EXPECT_EQ(loop.HitTest(c.x, c.y), c.hit) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
  }
  loop.Click(70000, 5);
  EXPECT_EQ(events.log, std::vector<std::string>{"ClickIn 4464 5"}) << "16 bits unsigned";
}

TEST(PlayerLoop, SpriteDrawsOverItsCapturedBackground) {
  EXPECT_EQ(PlayerLoop::BackgroundTexel(0x000000), 0u) << "pure black is transparent";
  EXPECT_EQ(PlayerLoop::BackgroundTexel(0x010000), 0xFF010000u);
  EXPECT_EQ(PlayerLoop::BackgroundTexel(0xFF000000u), 0u);
  EXPECT_EQ(PlayerLoop::BackgroundTexel(0x00FFFFFF), 0xFFFFFFFFu);

  Rig rig(32, 16, PlayerLoop::ModeSprite);
  ASSERT_TRUE(rig.loop.HasBackground());
  std::vector<uint32_t> parent(40 * 16, 0x000000);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) parent[static_cast<size_t>(y) * 40 + x] = 0xCC2211;
  rig.loop.SetBackground(parent.data(), 40, 16, 40);
  rig.loop.background = 0x0000FF;
  TickAfter(rig.loop, rig.clock, 50);
  EXPECT_EQ(rig.Pixel(3, 3), 0xCC2211u);
  EXPECT_EQ(rig.Pixel(20, 3), 0x000000u) << "the copy covers the clear colour";

  Rig frame(32, 16, PlayerLoop::ModeFrame);
  EXPECT_FALSE(frame.loop.HasBackground());
}

TEST(PlayerLoop, OneEngineServesEveryLoopUntilTheLastGoes) {
  FrxTest::MessageBoxRecorder boxes{IDOK};
  ASSERT_EQ(PlayerEngine::Users(), 0);
  auto first = std::make_unique<PlayerLoop>(nullptr);
  auto second = std::make_unique<PlayerLoop>(nullptr);
  EXPECT_EQ(PlayerEngine::Users(), 2);
  VoMaster* master = VoMaster::This();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(&first->Master(), master);
  EXPECT_NE(first->Character(), second->Character());
  const size_t plugins = master->GetModuleList().size();
  EXPECT_GE(plugins, 1u) << "Pelarn at least";

  first.reset();
  EXPECT_EQ(PlayerEngine::Users(), 1);
  EXPECT_EQ(VoMaster::This(), master);
  EXPECT_EQ(master->GetModuleList().size(), plugins) << "the plug-ins stay for the other user";
  second->Import(lumatest::DemoFile("demo.mqo").c_str());
  EXPECT_NE(second->Character()->GetFirstChild(), nullptr);
  second.reset();
  EXPECT_EQ(PlayerEngine::Users(), 0);
  EXPECT_EQ(VoMaster::This(), nullptr);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

}  // namespace
