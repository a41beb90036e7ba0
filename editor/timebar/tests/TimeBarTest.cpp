// The time bar: frames and pixels, scrolling, the marker, picking, drawing.
#include <gtest/gtest.h>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/draw/Colours.h"
#include "editor/manip/testing/ViewFixture.h"
#include "editor/timebar/TimeBar.h"
#include "editor/timebar/TimeMath.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class TimeBarTest : public mtest::ViewFixture {
 protected:
  // The ruler's row: the bottom 16 pixels.
  static constexpr float Ruler = Height - 10.0f;
};

TEST_F(TimeBarTest, FramesAndPixels) {
  struct At {
    float x;
    int scroll, ppf;
    long frame;
  } at[] = {{14.0f, -10, 8, 1}, {13.0f, -10, 8, 0}, {13.9f, -10, 8, 0}, {90.0f, -10, 8, 10},
            {-100.0f, -10, 8, -13}, {50.0f, 30, 4, 20}, {50.0f, -10, 0, 0}};
  for (const At& k : at) EXPECT_EQ(TimeMath::FrameAt(k.x, k.scroll, k.ppf), k.frame) << k.x;
  EXPECT_FLOAT_EQ(TimeMath::FrameX(10.9f, -10, 8, 0.0f), 90.0f);
  EXPECT_FLOAT_EQ(TimeMath::FrameX(10.0f, 30, 4, 5.0f), 15.0f);

  VoIMotion& motion = *Make<VoIMotion>(NewCharacter("c"), "m");
  struct Shown {
    long end;
    float current, shown;
  } shown[] = {{60, 130.5f, 10.5f}, {60, 30.0f, 30.0f}, {60, 60.0f, 60.0f}, {0, 5.0f, 0.0f}, {0, 0.0f, 0.0f}};
  for (const Shown& k : shown) {
    motion.endframe = k.end;
    EXPECT_FLOAT_EQ(TimeMath::DisplayedFrame(k.current, &motion), k.shown) << k.end << " " << k.current;
  }
  EXPECT_FLOAT_EQ(TimeMath::DisplayedFrame(130.5f, nullptr), 130.5f);

  struct Entry {
    long entry, frame;
    bool all;
  } entries[] = {{0, 0, true}, {1, 0, false}, {20, 10, true}, {21, 10, false}, {-2, -1, true}, {-3, -2, false}};
  for (const Entry& k : entries) {
    EXPECT_EQ(TimeMath::EntryFrame(k.entry), k.frame) << k.entry;
    EXPECT_EQ(TimeMath::EntryAll(k.entry), k.all) << k.entry;
  }
}

TEST_F(TimeBarTest, TheMarkerSetsTheFrameAndTheRulerScrolls) {
  TimeBar* bar = master.GetTimeBar();
  ASSERT_NE(bar, nullptr);
  {
    // The marker of frame 0 sits 10 pixels in; dragging it to x 90 is frame 10.
    Dispatch(Press(10.0f, Height - 10.0f));
    Dispatch(Move(90.0f, Height - 10.0f, 80.0f, 0.0f));
    EXPECT_FLOAT_EQ(doc->currentFrame, 10.0f);
    Dispatch(Move(-200.0f, Height - 10.0f, -290.0f, 0.0f));
    EXPECT_FLOAT_EQ(doc->currentFrame, 0.0f);  // never left of frame 0
    Dispatch(Release(-200.0f, Height - 10.0f));
  }
  {
    // Elsewhere on the ruler: 30 pixels to the right scroll it by -30.
    Dispatch(Press(300.0f, Height - 8.0f));
    Dispatch(Move(330.0f, Height - 8.0f, 30.0f, 0.0f));
    EXPECT_EQ(doc->TimeScroll, -40);
    Dispatch(Release(330.0f, Height - 8.0f));
    Dispatch(Move(400.0f, Height - 8.0f, 70.0f, 0.0f, 0));
    EXPECT_EQ(doc->TimeScroll, -40);  // released: no more scrolling
    EXPECT_FLOAT_EQ(doc->currentFrame, 0.0f);
  }
  struct Hit {
    float x, y;
    bool hit;
  } hits[] = {{0.0f, Height - 16.0f, true}, {Width - 1.0f, Height - 1.0f, true}, {300.0f, Height - 17.0f, false}};
  for (const Hit& k : hits) EXPECT_EQ(bar->HitTest(k.x, k.y, 0) == 0.0f, k.hit) << k.x << "," << k.y;
}

TEST_F(TimeBarTest, PickingOnTheRulerTakesTheSelectedCharacter) {
  VoICharacter* c = NewCharacter("c");
  VoISkelton* skelton = SkeletonOf(c);
  Chain chain = MakeChain(skelton);
  // A locate right under the pointer on the ruler.
  const Frx::Pvector pointer(200.0f, Height - 8.0f, Window(Frx::Pvector(0.0f, 0.0f, 0.0f)).z);
  Frx::Pvector under;
  ASSERT_TRUE(Companion::CurrentScreen().Unproject(pointer, &under));
  VoILocate* l = Make<VoILocate>(skelton, "under");
  l->SetWPos(under);
  {
    // Nothing selected: nothing is picked, not even on the ruler.
    VoMaster::ItemList picked;
    host().PickItems(picked, pointer.x, pointer.y, 0.0f);
    EXPECT_TRUE(picked.empty());
  }
  host().ClickSelect(chain.b1, 0);
  VoMaster::ItemList nearest, picked;
  master.PickNearest(nearest, c, pointer.x, pointer.y, 0);
  ASSERT_EQ(nearest.size(), 1u);
  EXPECT_EQ(nearest.front().Get(), l);
  host().PickItems(picked, pointer.x, pointer.y, 0.0f);
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked.front().Get(), c);
}

TEST_F(TimeBarTest, TheMarkerShowsTheFrameWithinTheMotion) {
  VoICharacter* c = NewCharacter("c");
  VoIMotion* motion = Make<VoIMotion>(c, "walk");
  c->SetMotion(motion);
  doc->currentFrame = 70.5f;
  const uint32_t marker = ColourFromFractions(0.7f, 0.9f, 1.0f) & 0xFFFFFFu;
  struct Case {
    long end;
    int x;  // frame x: whole frame × 8 + 10
  } cases[] = {{60, 90}, {100, 570}};
  for (const Case& k : cases) {
    motion->SetEndFrame(k.end);
    Clear();
    master.GetTimeBar()->Draw();
    EXPECT_EQ(Pixel(k.x, Height - 12), marker) << k.end;
    EXPECT_NE(Pixel(k.x == 90 ? 570 : 90, Height - 12), marker) << k.end;
  }
}

}  // namespace
