#include <gtest/gtest.h>

#include "editor/document/CommandIds.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/testing/EditorFixture.h"
#include "editor/view/CTireloView.h"
#include "editor/view/VirtualKeys.h"
#include "ferrox/draw/Window.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

// Counts the records the time bar receives.
class CountingBar : public TimeBar {
 public:
  using TimeBar::TimeBar;
  void Drag(MouseRecord r) override { ++drags, last = r; }
  int drags = 0;
  MouseRecord last;
};

class ViewInputTest : public edtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    BuildScene();
    bar = new CountingBar(doc.get());
    master.timeBar = bar;
  }
  Frx::Draw::HeadlessWindow window{320, 240};
  CTireloView view{&window};
  CountingBar* bar = nullptr;
};

TEST_F(ViewInputTest, DragsZoomOrbitAndPanAndLeaveTheCameraItem) {
  VoIItem* cameraItem = doc->general->GetItem("camera");
  ASSERT_NE(cameraItem, nullptr);
  struct Case {
    uint32_t buttons;
    bool zoom, turn, pan;
  } cases[] = {{MouseRecord::LeftDown | MouseRecord::RightDown, true, false, false},
               {MouseRecord::RightDown, false, true, false},
               {MouseRecord::MiddleDown, false, false, true},
               {0, false, false, false}};
  for (const Case& k : cases) {
    host().SetViewCamera(cameraItem);
    const OrbitCamera before = view.camera;
    view.OnMouseMove(view.input.lastX + 10, view.input.lastY + 30, k.buttons);
    EXPECT_EQ(view.camera.zoom != before.zoom, k.zoom) << k.buttons;
    EXPECT_EQ(view.camera.yaw != before.yaw, k.turn) << k.buttons;
    EXPECT_EQ(view.camera.target.x != before.target.x, k.pan) << k.buttons;
    EXPECT_EQ(host().GetViewCamera() == nullptr, k.zoom || k.turn || k.pan) << k.buttons;
  }
  EXPECT_EQ(bar->drags, 4);
}

TEST_F(ViewInputTest, WheelZoomsUnlessAnItemOtherThanACharacterIsSelected) {
  VoIBone* bone = Make<VoIBone>(doc->current.Get(), "bone");
  struct Case {
    VoIItem* selected;
    bool zooms;
  } cases[] = {{nullptr, true}, {doc->current.Get(), true}, {bone, false}};
  for (const Case& k : cases) {
    host().ClearSelection();
    if (k.selected) host().SelectItem(k.selected, 0);
    const float zoom = view.camera.zoom;
    view.OnWheel(5, 5, 120);
    EXPECT_EQ(view.camera.zoom != zoom, k.zooms);
    EXPECT_EQ(bar->last.wheel, 120.0f);  // the manipulators see the wheel either way
  }
}

TEST_F(ViewInputTest, ClickingEmptySpaceSelectsTheSelectionsCharacterOrNothing) {
  view.OnLeftDown(50, 50);  // nothing selected: nothing happens
  EXPECT_EQ(host().GetSelectedItem(), nullptr);
  VoISkelton* s = Make<VoISkelton>(doc->current.Get(), "s");
  VoILocate* l = Make<VoILocate>(s, "l");
  host().ClickSelect(l, 0);
  view.OnLeftUp(50, 50);
  view.OnLeftDown(60, 60);
  EXPECT_EQ(host().GetSelectedItem(), doc->current.Get());
}

TEST_F(ViewInputTest, KeysMoveTheCameraAndSwitchSettings) {
  VoISkelton* s = Make<VoISkelton>(doc->current.Get(), "s");
  VoILocate* l = Make<VoILocate>(s, "l");
  l->SetWPos(Frx::Pvector(1.0f, 2.0f, 3.0f));
  host().ClickSelect(l, 0);
  view.OnKeyDown('W');
  EXPECT_FLOAT_EQ(view.camera.target.y, -2.0f);
  view.OnKeyDown('T');
  EXPECT_EQ(doc->editSpace, 2);
  view.OnKeyDown(VKey::F6);
  EXPECT_EQ(doc->editSpace, 1);
  view.OnKeyDown(VKey::F4);
  EXPECT_EQ(doc->projection, 1);
  view.OnKeyDown(VKey::F4);
  EXPECT_EQ(doc->projection, 0);
  view.OnKeyDown(VKey::PageDown);
  EXPECT_EQ(bar->last.wheel, 100.0f);
  view.OnKeyDown(VKey::Shift);
  EXPECT_TRUE(bar->last.buttons & MouseRecord::ShiftChanged);
  EXPECT_EQ(bar->last.keys[VKey::Shift], 1);
  view.OnKeyUp(VKey::Shift);
  EXPECT_EQ(bar->last.buttons & MouseRecord::ShiftDown, 0u);
  EXPECT_EQ(bar->last.keys[VKey::Shift], 0);
}

}  // namespace
