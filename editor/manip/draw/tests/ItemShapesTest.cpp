// Marks, bone shapes, axes and manipulator handles on the headless surface.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/manip/GuiManipulator.h"
#include "editor/manip/draw/HandlesDraw.h"
#include "editor/manip/draw/ItemShapes.h"
#include "editor/manip/draw/OverlayBatch.h"
#include "editor/manip/testing/ViewFixture.h"
#include "ferrox/testing/Near.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

class ItemShapesTest : public mtest::ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    character = NewCharacter("c");
    skelton = SkeletonOf(character);
  }
  // Pixels of exactly `rgb` within `radius` of the window point of `world`.
  int CountNear(const Frx::Pvector& world, uint32_t rgb, int radius) {
    const Frx::Pvector p = Window(world);
    const std::vector<uint32_t> f = Frame();
    int n = 0;
    for (int y = static_cast<int>(p.y) - radius; y <= static_cast<int>(p.y) + radius; ++y)
      for (int x = static_cast<int>(p.x) - radius; x <= static_cast<int>(p.x) + radius; ++x)
        if (x >= 0 && y >= 0 && x < Width && y < Height) n += f[static_cast<size_t>(y) * Width + x] == rgb;
    return n;
  }
  int CountAll(uint32_t rgb) {
    int n = 0;
    for (uint32_t p : Frame()) n += p == rgb;
    return n;
  }

  VoICharacter* character = nullptr;
  VoISkelton* skelton = nullptr;
};

TEST_F(ItemShapesTest, MarkColoursFollowChainKindAndLock) {
  struct Case {
    bool world;
    int ikchain, ktype, lock;
    uint32_t rgb;
  } cases[] = {
      {false, 1, 0, 0, 0xB2FFB2}, {false, 0, 0, 0, 0xFFCC66}, {false, 1, 0, 1, 0xFF7F7F},
      {true, 1, 0, 0, 0xB2FFFF},  {true, 1, 1, 0, 0xFFB2FF},  {true, 0, 1, 1, 0xFF7F7F},
  };
  const Frx::Pvector at(30.0f, -20.0f, 0.0f);
  for (const Case& k : cases) {
    Clear();
    Canvas canvas = MakeCanvas();
    VoILocate* l = k.world ? static_cast<VoILocate*>(Make<VoIWLocate>(skelton, "w")) : Make<VoILocate>(skelton, "l");
    l->IKchain = k.ikchain;
    l->SetKType(static_cast<VoILocate::KType>(k.ktype));
    l->SwLock(k.lock);
    l->SetWPos(at);
    if (k.world)
      DrawWLocateMark(canvas, l->IsWLocate());
    else
      DrawLocateMark(canvas, l);
    const Frx::Pvector p = Window(at);
    EXPECT_EQ(Pixel(static_cast<int>(p.x), static_cast<int>(p.y)), k.rgb) << k.world << k.ikchain << k.ktype << k.lock;
    {
      // With another item selected the mark is drawn faint (its alpha counts).
      Clear();
      canvas.selected = character;
      if (k.world)
        DrawWLocateMark(canvas, l->IsWLocate());
      else
        DrawLocateMark(canvas, l);
      const uint32_t faint = Pixel(static_cast<int>(p.x), static_cast<int>(p.y));
      EXPECT_NE(faint, k.rgb);
      EXPECT_NE(faint, 0u);
    }
    master.ReleaseItem(l);
  }
}

TEST_F(ItemShapesTest, BonesAreDrawnFromStartToTipAndCollapseWhenEmpty) {
  Chain c = MakeChain(skelton);
  Clear();
  Canvas canvas = MakeCanvas();
  DrawBoneShape(canvas, c.b1);  // from (0, 0, 0) up to (0, 100, 0)
  EXPECT_GT(CountNear(Frx::Pvector(0.0f, 50.0f, 0.0f), 0xFFFFB2, 12), 10);
  {
    // Lines to the up side's corner shade towards its green.
    int green = 0;
    for (uint32_t px : Frame()) green += static_cast<int>((px >> 8) & 0xFF) - static_cast<int>(px >> 16 & 0xFF) > 60;
    EXPECT_GT(green, 0);
  }
  EXPECT_EQ(CountNear(Frx::Pvector(0.0f, 200.0f, 0.0f), 0xFFFFB2, 20), 0);
  {
    // A bone of length 0 draws nothing away from its start.
    Clear();
    c.b2->length = 0.0f;
    DrawSiblingBoneShape(canvas, c.b2);
    const int all = static_cast<int>(Frame().size()) - CountAll(0x000000);
    EXPECT_EQ(all, CountNear(Frx::Pvector(0.0f, 100.0f, 0.0f), 0xB2FFFF, 2) + CountNear(Frx::Pvector(0.0f, 100.0f, 0.0f), 0x7FFF7F, 2) +
                       CountNear(Frx::Pvector(0.0f, 100.0f, 0.0f), 0xFFFFB2, 2));
  }
}

TEST_F(ItemShapesTest, BatchedShapesAndMarksMatchSingleDraws) {
  LookFrom(800.0f, 0.3f, -0.4f);
  Chain c = MakeChain(skelton);
  VoIWLocate* w = Make<VoIWLocate>(skelton, "w");
  w->SetWPos(Frx::Pvector(-80.0f, 40.0f, 20.0f));
  w->SetFix(1);
  struct Pass {
    bool marks;
    bool selected;
  } passes[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const Pass& p : passes) {
    auto draw = [&](Canvas& canvas) {
      if (p.marks) {
        for (VoILocate* l : {c.root, c.middle, c.tip}) DrawLocateMark(canvas, l);
        DrawWLocateMark(canvas, w);
      } else {
        DrawBoneShape(canvas, c.b1);
        DrawSiblingBoneShape(canvas, c.b2);
      }
    };
    Clear(0x102030);
    Canvas single = MakeCanvas();
    if (p.selected) single.selected = c.b1;
    draw(single);
    const std::vector<uint32_t> one = Frame();
    Clear(0x102030);
    OverlayBatch batch;
    Canvas batched = MakeCanvas();
    batched.selected = single.selected;
    batched.batch = &batch;
    draw(batched);
    EXPECT_FALSE(batch.Empty());
    batch.Flush(view->draw);
    const std::vector<uint32_t> many = Frame();
    ASSERT_EQ(one.size(), many.size());
    int differing = 0, drawn = 0;
    for (size_t i = 0; i < one.size(); ++i) differing += one[i] != many[i], drawn += one[i] != 0x102030;
    EXPECT_GT(drawn, 20) << p.marks;
    EXPECT_EQ(differing, 0) << p.marks << p.selected;
  }
}

TEST_F(ItemShapesTest, HandlesAreDrawnWhereTheyAreHit) {
  LookFrom(1000.0f, 0.4f, -0.5f);
  VoICoordinate* c = Make<VoICoordinate>(skelton, "c");
  c->SetWPos(Frx::Pvector(10.0f, 20.0f, 0.0f));
  Clear();
  Canvas canvas = MakeCanvas();
  VoRefer<GuiManipulator> m = new GuiManipulator(Handle::Translate | Handle::Rotate);
  const Frx::Pmatrix orientation = Frx::Pmatrix::id;
  DrawHandles(canvas, *m, &orientation, c->GetWPos());
  for (int handle = Handle::AxisX; handle <= Handle::RingZ; ++handle) {
    const Frx::Pvector p = m->screen[handle];
    EXPECT_EQ(Pixel(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))),
              canvas.HandleColour(handle) & 0xFFFFFFu)
        << handle;
    EXPECT_EQ(m->HitTest(c, canvas.Screen(), 6.0f, p.x + 5.0f, p.y - 5.0f), 0.0f);
    EXPECT_EQ(m->active, handle);
  }
  // The rings are drawn: pixels of each ring colour well away from the sprites.
  for (int slot = 4; slot < 7; ++slot) EXPECT_GT(CountAll(canvas.colours[slot] & 0xFFFFFFu), 20) << slot;
  // The device's transforms are put back.
  Frx::Pmatrix world;
  view->draw.device->GetTransform(D3DTS_WORLD, &world);
  EXPECT_TRUE(FrxTest::Near(world, Frx::Pmatrix::id));
}

TEST_F(ItemShapesTest, CoordinateAxesAndCameraPyramid) {
  VoICoordinate* c = Make<VoICoordinate>(skelton, "c");
  c->SetWPos(Frx::Pvector(-60.0f, 0.0f, 0.0f));
  Clear();
  Canvas canvas = MakeCanvas();
  DrawCoordinateAxes(canvas, c);
  EXPECT_GT(CountNear(c->GetWPos(), 0xFF99B2, 20), 10);  // X
  EXPECT_GT(CountNear(c->GetWPos(), 0xB2FF99, 20), 10);  // Y
  VoICamera* camera = Make<VoICamera>(character, "camera");
  VoICoordinate* place = Make<VoICoordinate>(skelton, "place");
  place->SetWPos(Frx::Pvector(80.0f, 0.0f, -200.0f));
  camera->SetCoordinate(place);
  Clear();
  DrawCameraShape(canvas, camera);
  EXPECT_GT(CountAll(0xFFFFB2), 50);
}

}  // namespace
