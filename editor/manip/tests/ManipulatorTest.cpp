// The manipulator's handles, hit tests and handle drags, through the view's
// headless surface and synthetic mouse records.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/extend/CompanionContext.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/extend/GuiSkeletonItem.h"
#include "editor/manip/BoneGrab.h"
#include "editor/manip/GuiManipulator.h"
#include "editor/manip/ReadOut.h"
#include "editor/manip/Snap.h"
#include "editor/manip/testing/ViewFixture.h"
#include "ferrox/testing/Near.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

using FrxTest::Near;

class ManipulatorTest : public mtest::ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    character = NewCharacter("c");
    skelton = SkeletonOf(character);
    doc->editSpace = 2;  // world
  }
  VoILocate* NewLocate(const char* name, const Frx::Pvector& at) {
    VoILocate* l = Make<VoILocate>(skelton, name);
    l->IKchain = 0;
    l->SetWPos(at);
    return l;
  }
  static GuiManipulator* ManipulatorOf(VoIItem* item) {
    auto* gui = dynamic_cast<GuiSkeletonItem*>(GetItemGui(item));
    return gui ? gui->Manipulator() : nullptr;
  }
  // Selects the item and draws once, so its handles have window positions.
  GuiManipulator* SelectAndDraw(VoIItem* item) {
    host().ClickSelect(item, 0);
    DrawSelected();
    return ManipulatorOf(item);
  }

  VoICharacter* character = nullptr;
  VoISkelton* skelton = nullptr;
};

TEST_F(ManipulatorTest, AxisHandlesSpanAnEighthOfTheWidthAtAnyDepth) {
  VoILocate* l = NewLocate("l", Frx::Pvector(0.0f, 0.0f, 0.0f));
  const Frx::Pvector places[] = {{0.0f, 0.0f, 0.0f}, {50.0f, -30.0f, 0.0f}, {20.0f, 10.0f, -400.0f}};
  for (const Frx::Pvector& at : places) {
    l->SetWPos(at);
    GuiManipulator* m = SelectAndDraw(l);
    ASSERT_NE(m, nullptr);
    const Frx::Pvector centre = m->screen[Handle::Centre];
    EXPECT_TRUE(Near(centre, Frx::Pvector(Window(at).x, Window(at).y, 0.0f), 1e-3f));
    // World edit space: X to the right and Y up by width / 8 pixels.
    EXPECT_NEAR(m->screen[Handle::AxisX].x - centre.x, Width / 8.0f, 1e-3f) << at.z;
    EXPECT_NEAR(m->screen[Handle::AxisX].y, centre.y, 1e-3f);
    EXPECT_NEAR(centre.y - m->screen[Handle::AxisY].y, Width / 8.0f, 1e-3f) << at.z;
    // A locate has no rings: their slots stay out of reach.
    EXPECT_EQ(m->screen[Handle::RingX].x, Handle::OffScreen.x);
  }
}

TEST_F(ManipulatorTest, AxisDragsMoveSnapAndReset) {
  const Frx::Pvector start(40.0f, 30.0f, 0.0f);
  struct Case {
    int handle;
    int key;  // held through the drag (0: none)
    Frx::Pvector expected;
  } cases[] = {
      {Handle::AxisX, 0, {59.0f, 30.0f, 0.0f}},                    // 20 - 10 * 0.1
      {Handle::AxisX, MouseRecord::KeyShift, {65.0f, 30.0f, 0.0f}},  // snapped to 25
      {Handle::AxisY, 0, {40.0f, 49.0f, 0.0f}},
      {Handle::AxisY, MouseRecord::KeyZ, {40.0f, 0.0f, 0.0f}},       // Z zeroes world Y
      {Handle::Centre, MouseRecord::KeyZ, {0.0f, 0.0f, 0.0f}},       // and the centre the position
  };
  for (const Case& k : cases) {
    VoILocate* l = NewLocate("l", start);
    GuiManipulator* m = SelectAndDraw(l);
    ASSERT_NE(m, nullptr);
    const Frx::Pvector at = m->screen[k.handle];
    MouseRecord press = Press(at.x, at.y), move = Move(at.x + 20.0f, at.y - 10.0f, 20.0f, -10.0f);
    if (k.key) press = Holding(press, k.key), move = Holding(move, k.key);
    Dispatch(press);
    EXPECT_EQ(m->active, k.handle);
    Dispatch(move);
    EXPECT_TRUE(Near(l->GetWPos(), k.expected, 1e-3f)) << k.handle << " " << k.key;
    EXPECT_TRUE(Near(l->GetPos(), k.expected, 1e-3f));
    ASSERT_FALSE(doc->deferred.empty());
    EXPECT_EQ(doc->deferred.back().Get(), l);
    host().ClearSelection();
    master.ReleaseItem(l);
  }
}

TEST_F(ManipulatorTest, TheViewDragsItemsOfGeneralOnce) {
  // Through the view's own messages: a press picks the handle, a move drags it.
  VoILocate* l = Make<VoILocate>(doc->general->GetSkelton(), "g");
  l->IKchain = 0;
  l->SetWPos(Frx::Pvector(0.0f, 0.0f, 0.0f));
  GuiManipulator* m = SelectAndDraw(l);
  ASSERT_EQ(host().GetSelectedCharacter(), doc->general.Get());
  const Frx::Pvector at = m->screen[Handle::AxisX];
  view->OnMouseMove(static_cast<int>(at.x), static_cast<int>(at.y), 0);
  view->OnLeftDown(static_cast<int>(at.x), static_cast<int>(at.y));
  EXPECT_EQ(m->active, Handle::AxisX);
  view->OnMouseMove(static_cast<int>(at.x) + 20, static_cast<int>(at.y), MouseRecord::LeftDown);
  view->OnLeftUp(static_cast<int>(at.x) + 20, static_cast<int>(at.y));
  EXPECT_TRUE(Near(l->GetWPos(), Frx::Pvector(20.0f, 0.0f, 0.0f), 1e-3f));
}

TEST_F(ManipulatorTest, SnapsCutTowardZero) {
  struct Case {
    float in, translation, rotation;
  } cases[] = {{30.0f, 25.0f, 30.0f}, {40.0f, 50.0f, 45.0f}, {-30.0f, 0.0f, -15.0f}, {8.0f, 0.0f, 15.0f},
               {12.4f, 0.0f, 15.0f}, {12.5f, 25.0f, 15.0f}};
  for (const Case& k : cases) {
    EXPECT_FLOAT_EQ(SnapTranslation(k.in), k.translation) << k.in;
    EXPECT_FLOAT_EQ(SnapRotation(k.in), k.rotation) << k.in;
  }
}

TEST_F(ManipulatorTest, HandlesThatCannotBeSeenCannotBeTaken) {
  VoILocate* l = NewLocate("l", Frx::Pvector(60.0f, 60.0f, 0.0f));
  {
    // Selected but never drawn: a press at the window's corner takes nothing.
    host().ClickSelect(l, 0);
    GuiManipulator* m = ManipulatorOf(l);
    ASSERT_NE(m, nullptr);
    Dispatch(Press(0.0f, 0.0f));
    EXPECT_EQ(m->active, Handle::None);
    Dispatch(Move(20.0f, 0.0f, 20.0f, 0.0f));
    EXPECT_TRUE(Near(l->GetWPos(), Frx::Pvector(60.0f, 60.0f, 0.0f)));
  }
  {
    // Behind the camera: nothing is laid out, nothing is hit, nothing is NaN.
    l->SetWPos(Frx::Pvector(0.0f, 0.0f, 1500.0f));
    GuiManipulator* m = SelectAndDraw(l);
    for (int h = 1; h < Handle::Slots; ++h) {
      EXPECT_TRUE(std::isfinite(m->screen[h].x) && std::isfinite(m->screen[h].y));
      EXPECT_FLOAT_EQ(m->screen[h].x, Handle::OffScreen.x);
    }
    EXPECT_EQ(m->HitTest(l, Companion::CurrentScreen(), 6.0f, Width / 2.0f, Height / 2.0f), ItemGui::NoHit);
  }
  {
    // A press with both buttons down is no press.
    l->SetWPos(Frx::Pvector(0.0f, 0.0f, 0.0f));
    GuiManipulator* m = SelectAndDraw(l);
    MouseRecord both = Press(m->screen[Handle::AxisX].x, m->screen[Handle::AxisX].y);
    both.buttons |= MouseRecord::RightDown;
    Dispatch(both);
    EXPECT_EQ(m->active, Handle::None);
  }
  {
    // Without a view nothing has a window position: the bone at the origin,
    // which the identity would put under the corner, is not hit there.
    VoIBone* bone = Make<VoIBone>(skelton, "end on");
    const ScreenMap none;
    Frx::Pvector window, world;
    EXPECT_EQ(BoneGrab::HitTest(bone, none, 6.0f, 1.0f, 1.0f), ItemGui::NoHit);
    EXPECT_FALSE(BoneGrab::Grab(bone, none, 1.0f, 1.0f, &window, &world));
    EXPECT_FALSE(none.Unproject(Frx::Pvector(1.0f, 1.0f, 0.5f), &world));
  }
}

TEST_F(ManipulatorTest, RingsTurnAboutTheEditSpaceAxes) {
  // An oblique camera, so no ring handle hides behind the centre.
  LookFrom(1000.0f, 0.5f, -0.6f);
  VoICoordinate* parent = Make<VoICoordinate>(skelton, "parent");
  VoICoordinate* c = Make<VoICoordinate>(parent, "c");
  Frx::Pquaternion turned;
  turned.SetEulerXYZ(Frx::Pvector(0.0f, 0.0f, 90.0f));
  parent->SetRotate(turned);
  c->SetPos(Frx::Pvector(20.0f, 0.0f, 0.0f));
  Frx::Pquaternion tilted;
  tilted.SetEulerXYZ(Frx::Pvector(30.0f, 0.0f, 30.0f));
  c->SetRotate(tilted);
  skelton->InitialUpdate();
  // The X axis of each edit space, by hand: local is the frame of the
  // coordinate c hangs from, its parent turned 90° about z, so (0, 1, 0), and
  // parent the same; world (1, 0, 0). c's own X axis, turned 30° further
  // about z, is neither.
  const Frx::Pvector xAxes[] = {{0.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}};
  for (int space : {0, 1, 2}) {
    doc->editSpace = static_cast<uint8_t>(space);
    Frx::Pquaternion before;
    before.SetMatrix(c->GetMatrixL2W());
    GuiManipulator* m = SelectAndDraw(c);
    const Frx::Pvector at = m->screen[Handle::RingX];
    Dispatch(Press(at.x, at.y));
    ASSERT_EQ(m->active, Handle::RingX) << space;
    Dispatch(Move(at.x + 90.0f, at.y, 90.0f, 0.0f));
    Frx::Pquaternion after;
    after.SetMatrix(c->GetMatrixL2W());
    // The turn made: 90 degrees about the edit space's X axis.
    const Frx::Pquaternion turn = after * before.GetInverse();
    const Frx::Pvector axis = Frx::Pvector(turn.x, turn.y, turn.z).GetUnit();
    EXPECT_NEAR(std::fabs(axis.GetDotProduct(xAxes[space])), 1.0f, 1e-3f) << space;
    EXPECT_NEAR(2.0f * std::acos(std::fmin(1.0f, std::fabs(turn.w))), 3.14159265f / 2.0f, 1e-3f) << space;
    // Put it back for the next space.
    c->SetRotate(before);
    c->VoICoordinate::ConvRotateW2L(0);
    host().ClearSelection();
  }
}

TEST(ReadOutTest, BoxFollowsTheTextAndTheHandles) {
  struct Case {
    const char *className, *name;
    int mask;
    float width, height;
  } cases[] = {{"", "", 1, 56.0f, 72.0f},
               {"Locate", "a", 0, 72.0f, 24.0f},
               {"Coordinate", "shoulder", 3, 160.0f, 120.0f},
               {"Bone", "b", 2, 56.0f, 72.0f}};
  Frx::Pquaternion q;
  q.SetEulerXYZ(Frx::Pvector(0.0f, 45.5f, 0.0f));
  for (const Case& k : cases) {
    const ReadOut r = LayoutReadOut(k.className, k.name, Frx::Pvector(100.0f, 50.0f, 0.0f), k.mask,
                                    Frx::Pvector(12.0f, -3.0f, 7.0f), q);
    EXPECT_FLOAT_EQ(r.x, 188.0f);
    EXPECT_FLOAT_EQ(r.y, 46.0f);
    EXPECT_FLOAT_EQ(r.width, k.width) << k.name;
    EXPECT_FLOAT_EQ(r.height, k.height) << k.name;
    EXPECT_EQ(r.text.find("WX:   +12") != std::string::npos, (k.mask & 1) != 0) << r.text;
    EXPECT_EQ(r.text.find("P:  +45") != std::string::npos, (k.mask & 2) != 0) << r.text;
  }
}

}  // namespace
