#include <gtest/gtest.h>

#include "editor/app/FrameLoop.h"
#include "editor/testing/EditorFixture.h"
#include "editor/view/CTireloView.h"
#include "ferrox/ferrox/MessageBox.h"
#include "ferrox/draw/Window.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/Renddx/testing/SceneBuild.h"
#include "vocore/scene/VoILight.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class FrameLoopTest : public edtest::EditorFixture {
 protected:
  VoRenderer* Renderer() override { return &renderer; }
  void SetUp() override {
    EditorFixture::SetUp();
    BuildScene();
  }
  void TearDown() override {
    Platform::ResetD3DFaults();
    FrameLoop::SetScreenFailureHandler({});
    EditorFixture::TearDown();
  }
  // A scoped character with a skeleton, a coordinate and (when asked) a motion.
  VoICharacter* Scoped(bool withMotion) {
    VoICharacter* c = doc->NewCharacter(doc->project);
    VoISkelton* s = Make<VoISkelton>(c, "s");
    Make<VoICoordinate>(s, "hip");
    if (withMotion) c->SetMotion(doc->NewMotion(c));
    host().SetCurrentCharacter(c);
    return c;
  }
  VoDirectX7 renderer;
};

TEST_F(FrameLoopTest, FramesAdvanceByStepsOrByTheClock) {
  struct Case {
    uint8_t paused, realTime;
    float clock, expected;
  } cases[] = {{0, 0, 1000.0f, 11.0f}, {0, 1, 1000.0f, 10.0f + 500.0f * 0.06f}, {1, 1, 1000.0f, 10.0f}};
  for (const Case& k : cases) {
    doc->paused = k.paused, doc->realTime = k.realTime;
    doc->currentFrame = 10.0f, doc->lastClock = 500.0f;
    doc->QueueDeferred(doc->general);
    FrameLoop::Advance(*doc, k.clock);
    EXPECT_FLOAT_EQ(doc->currentFrame, k.expected);
    EXPECT_EQ(doc->previousFrame, 10.0f);
    EXPECT_EQ(doc->lastClock, k.clock);
    EXPECT_TRUE(doc->deferred.empty());
  }
}

TEST_F(FrameLoopTest, EditsOfTheScopedCharacterAreKeyedAndPause) {
  VoICharacter* c = Scoped(true);
  auto* hip = c->GetSkelton()->GetItem("hip")->IsCoordinate();
  VoIMotion* m = c->GetMotion();
  m->SetFrame(7.6f);
  doc->paused = 0;
  // Motions, controls, characters and items outside the scope are not keyed.
  doc->QueueDeferred(m);
  doc->QueueDeferred(c);
  doc->QueueDeferred(doc->general->GetItem("light"));
  FrameLoop::DeferredPass(*doc, c);
  EXPECT_EQ(m->GetControlSize(), 0);
  EXPECT_EQ(doc->paused, 0);
  doc->QueueDeferred(hip);
  FrameLoop::DeferredPass(*doc, c);
  EXPECT_GT(m->GetControlSize(), 0);
  EXPECT_EQ(m->ExistKeyframe(7), VoIMotion::KEY_ALL);
  EXPECT_EQ(doc->paused, 1);
  EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(FrameLoopTest, AMotionIsMadeOnceWhenTheCharacterHasNone) {
  VoICharacter* c = Scoped(false);
  VoIItem* hip = c->GetSkelton()->GetItem("hip");
  doc->QueueDeferred(hip);
  FrameLoop::DeferredPass(*doc, c);
  ASSERT_NE(c->GetMotion(), nullptr);
  EXPECT_STREQ(c->GetMotion()->GetName(), "motion");
  doc->QueueDeferred(hip);
  FrameLoop::DeferredPass(*doc, c);
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_TRUE(boxes.Saw("にはモーションが存在しません。"));
}

class RenderFrameTest : public FrameLoopTest {
 protected:
  Frx::Draw::HeadlessWindow window{160, 120};
  CTireloView view{&window};
};

TEST_F(RenderFrameTest, DrawsPresentsAndSwitchesOffLightsNoLongerUsed) {
  VoICharacter* c = Scoped(false);
  view.waitForFrame = false;
  std::vector<VoILight*> lights;
  for (int i = 0; i < 3; ++i) {
    VoILight* l = Make<VoILight>(c, "l");
    l->SetType(1);
    lights.push_back(l);
  }
  view.RenderFrame(0.0f);
  ASSERT_NE(view.draw.device, nullptr);
  ASSERT_EQ(window.PresentedFrames(), 1);
  EXPECT_EQ(window.LastFrame()[0], 0x1D4059u);  // the editor's clear colour
  BOOL on = FALSE;
  view.draw.device->GetLightEnable(2, &on);
  EXPECT_TRUE(on);
  lights[2]->SwHide(1);
  view.RenderFrame(1.0f);
  view.draw.device->GetLightEnable(2, &on);
  EXPECT_FALSE(on);
  // The hidden-interface mode clears to the document's background.
  doc->displayMode = 2;
  doc->backgroundColor[0] = 1.0f;
  view.RenderFrame(2.0f);
  EXPECT_EQ(window.LastFrame()[0], 0xFF0000u);
  EXPECT_EQ(view.frameCount, 3);
}

TEST_F(RenderFrameTest, AScreenThatCannotBeMadeIsReported) {
  int failures = 0;
  FrameLoop::SetScreenFailureHandler([&] { ++failures; });
  Platform::SetD3DFault(Platform::D3DFault::Create, true);
  view.waitForFrame = false;
  view.RenderFrame(0.0f);
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(view.draw.device, nullptr);
}

TEST_F(RenderFrameTest, WithoutAScreenTheProgramSaysSoAndEnds) {
  view.waitForFrame = false;
  EXPECT_EXIT(
      {
        Frx::SetMessageBoxHandler({});  // the text goes to standard error
        Platform::SetD3DFault(Platform::D3DFault::Create, true);
        view.RenderFrame(0.0f);
      },
      ::testing::ExitedWithCode(1), "Direct3D");
}

}  // namespace
