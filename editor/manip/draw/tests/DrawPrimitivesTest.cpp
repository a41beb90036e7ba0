// Colours, the ruler, bar and mark boxes and icons at their pixels on the
// headless surface.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "editor/manip/ScreenMap.h"
#include "editor/manip/draw/Colours.h"
#include "editor/manip/draw/FlatState.h"
#include "editor/manip/draw/Primitives.h"
#include "editor/manip/testing/ViewFixture.h"

namespace {

uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFFu; }

class DrawPrimitivesTest : public mtest::ViewFixture {};

TEST(ColourTest, FractionsBecomeOpaqueWords) {
  struct Case {
    float r, g, b, k;
    uint32_t expected;
  } cases[] = {
      {0.85f, 0.9f, 0.85f, 1.0f, 0xFFD8E5D8},
      {1.0f, 1.0f, 1.0f, 1.0f, 0xFFFFFFFF},
      {0.0f, 0.0f, 0.0f, 1.0f, 0xFF000000},
      {2.0f, 0.5f, -0.1f, 1.0f, 0xFFFE7FE7},  // each part wraps modulo 256
      {0.85f, 0.9f, 0.85f, 0.5f, 0xFF6C726C},
      {0.85f, 0.9f, 0.85f, 0.7692307692307692f, 0xFFA6B0A6},
      {1.0f, 0.5f, 0.7f, 0.5f, 0xFF7F3F59},
  };
  for (const Case& k : cases) EXPECT_EQ(ShadeFromFractions(k.r, k.g, k.b, k.k), k.expected) << k.r << k.g << k.b;
  EXPECT_EQ(ColourFromFractions(1e30f, 0.0f, 0.0f) & 0xFF000000u, 0xFF000000u);
}

TEST_F(DrawPrimitivesTest, RulerTicksAndLabelsSitAtTheirFrames) {
  Clear();
  Canvas canvas = MakeCanvas();
  const float top = 400.0f;
  DrawRuler(canvas, 0.0f, top, static_cast<float>(Width), 0.85f, 0.9f, 0.85f, -10, 8);
  const std::vector<uint32_t> f = Frame();
  ASSERT_FALSE(f.empty());
  auto at = [&](int x, int y) { return f[static_cast<size_t>(y) * Width + x]; };
  const uint32_t band = 0xD8E5D8, tick = 0xA6B0A6, edge = 0x6C726C;
  struct Case {
    int x, y;
    uint32_t expected;
  } cases[] = {
      {5, 405, band},    {10, 410, tick}, {10, 406, tick},  // frame 0: 10 pixels in, 12 tall
      {9, 410, band},    {3, 414, band},                    // nothing left of it
      {90, 414, tick},   {90, 410, band},                   // frame 10: 4 tall
      {250, 410, tick},  {250, 406, band},                  // frame 30: 8 tall
      {490, 406, tick},  {300, 416, edge},                  // frame 60: 12 tall; the edge line
      {170, 414, tick},  {171, 414, band},
  };
  for (const Case& k : cases) EXPECT_EQ(at(k.x, k.y), k.expected) << k.x << "," << k.y;
  // The labels "0" and "60" start two pixels right of their ticks.
  for (int column : {12, 492}) {
    int ink = 0;
    for (int y = 400; y < 414; ++y)
      for (int x = column; x < column + 16; ++x) ink += at(x, y) != band && at(x, y) != tick;
    EXPECT_GT(ink, 3) << column;
  }
}

TEST_F(DrawPrimitivesTest, BarBoxDarkensFramesOutsideTheMotion) {
  Clear();
  Canvas canvas = MakeCanvas();
  DrawBarBox(canvas, 0.0f, 300.0f, static_cast<float>(Width), 0.85f, 0.9f, 0.9f, 60, -10, 8, false, true);
  DrawBarBox(canvas, 0.0f, 200.0f, static_cast<float>(Width), 0.9f, 0.9f, 0.85f, 60, -10, 8, true, false);
  const uint32_t body = Rgb(ColourFromFractions(0.85f, 0.9f, 0.9f));
  const uint32_t outside = Rgb(ShadeFromFractions(0.85f, 0.9f, 0.9f, 0.8695652173913044f));
  struct Case {
    int x, y;
    uint32_t expected;
  } cases[] = {
      {100, 305, body},  {5, 305, outside}, {600, 305, outside},  // frames 0 to 60 span x 10 to 490
      {11, 305, body},   {489, 305, body},
      {100, 331, Rgb(ShadeFromFractions(0.85f, 0.9f, 0.9f, 0.5f))},
      {100, 316, Rgb(ShadeFromFractions(0.85f, 0.9f, 0.9f, 2.0f / 3.0f))},
      {100, 317, Rgb(ShadeFromFractions(0.85f, 0.9f, 0.9f, 0.5f))},
      // Half height, no side boxes: 16 tall, nothing outside the span.
      {100, 205, Rgb(ColourFromFractions(0.9f, 0.9f, 0.85f))},
      {100, 215, Rgb(ShadeFromFractions(0.9f, 0.9f, 0.85f, 0.5f))},
      {5, 205, 0x000000},  {100, 225, 0x000000},
  };
  for (const Case& k : cases) EXPECT_EQ(Pixel(k.x, k.y), k.expected) << k.x << "," << k.y;
}

TEST_F(DrawPrimitivesTest, MarkBoxesAndIconsAreCentred) {
  Clear();
  Canvas canvas = MakeCanvas();
  DrawMarkBox(canvas, 200.0f, 100.0f, 20.0f, 1.0f, 0.5f, 0.7f);
  DrawIconSprite(canvas, 400.0f, 100.0f, 80, 144, 0.9f, 0.5f, 0.4f);
  const uint32_t half = Rgb(ShadeFromFractions(1.0f, 0.5f, 0.7f, 0.5f));
  const uint32_t icon = Rgb(ColourFromFractions(0.9f, 0.5f, 0.4f));
  struct Case {
    int x, y;
    uint32_t expected;
  } cases[] = {{199, 100, half}, {201, 119, half}, {198, 110, 0}, {202, 110, 0}, {200, 120, 0},
               {400, 100, icon}, {392, 92, icon}, {407, 107, icon}, {409, 100, 0}, {391, 100, 0}};
  for (const Case& k : cases) EXPECT_EQ(Pixel(k.x, k.y), k.expected) << k.x << "," << k.y;
}

// The canvas keeps its window mapping for one camera only: a new view,
// projection or window size gives the mapping made afresh.
TEST_F(DrawPrimitivesTest, TheWindowMappingFollowsTheCamera) {
  LookFrom(50.0f);
  Canvas canvas = MakeCanvas();
  Frx::Draw::PDraw& draw = canvas.draw;
  const Frx::Pvector point(3.0f, -2.0f, 5.0f);
  auto expect = [&](const char* what) {
    Frx::Pvector got, fresh;
    EXPECT_TRUE(canvas.Screen().Project(point, &got)) << what;
    EXPECT_TRUE(ScreenMap(draw.GetMatrixWorld2Screen(Frx::Pmatrix::id)).Project(point, &fresh)) << what;
    EXPECT_TRUE(got.x == fresh.x && got.y == fresh.y && got.z == fresh.z) << what;
    return got;
  };
  const Frx::Pvector first = expect("at first");
  Frx::Pmatrix view;
  draw.device->GetTransform(D3DTS_VIEW, &view);
  view._41 += 4.0f;
  draw.device->SetTransform(D3DTS_VIEW, &view);
  EXPECT_NE(expect("moved view").x, first.x);
  Frx::Pmatrix projection;
  draw.device->GetTransform(D3DTS_PROJECTION, &projection);
  projection._11 *= 2.0f;
  draw.device->SetTransform(D3DTS_PROJECTION, &projection);
  expect("zoomed");
  draw.screenWidth /= 2;
  expect("narrower window");
  draw.screenWidth *= 2;
}

TEST_F(DrawPrimitivesTest, FlatStateDrawsTheSamePixelsAndPutsTheStateBack) {
  // Every blend mode of the surface, plain and textured, with and without
  // the guard (replacing opaque draws, or blending them with an alpha of 1),
  // over a background and a depth of 0.5 (which 0 passes).
  ViewDraw& draw = view->draw;
  IDirect3DDevice8* d = draw.device;
  const uint32_t texels[4] = {0x80FF8040, 0x00FFFFFF, 0xFF2040C0, 0x40FFFFFF};
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(d->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  for (int y = 0; y < 2; ++y) std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, texels + 2 * y, 8);
  texture->UnlockRect(0);
  int blendedOpaque = 0;
  for (int mode = 0; mode <= 8; ++mode)
    for (IDirect3DTexture8* t : {static_cast<IDirect3DTexture8*>(nullptr), texture})
      for (FlatState::Opaque opaque : {FlatState::Opaque::Replace, FlatState::Opaque::Blend}) {
        auto paint = [&](bool flat) {
          d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x6080A0, 0.5f, 0);
          draw.SetRenderStateBlend(static_cast<Frx::Draw::BlendMode>(mode));
          d->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
          d->SetTexture(0, t);
          std::optional<FlatState> guard;
          if (flat) guard.emplace(d, opaque);
          const uint32_t alpha = guard && guard->OpaqueAlpha() ? 0xFF000000u : 0u;
          blendedOpaque += alpha != 0;
          draw.DrawSprite(Frx::Pvector(10.0f, 10.0f, 0.0f), 40.0f, 30.0f, 0x9040C080 | alpha, Frx::Prect{0, 0, 1, 1},
                          t);
          draw.DrawFillBox(Frx::Pvector(30.0f, 20.0f, 0.0f), Frx::Pvector(40.0f, 30.0f, 0.0f), 0x60FF4020 | alpha);
          return Frame();
        };
        const std::vector<uint32_t> plain = paint(false);
        DWORD before[5] = {}, after[5] = {};
        const D3DRENDERSTATETYPE kept[4] = {D3DRS_ZENABLE, D3DRS_SRCBLEND, D3DRS_DESTBLEND, D3DRS_ALPHATESTENABLE};
        for (int i = 0; i < 4; ++i) d->GetRenderState(kept[i], &before[i]);
        d->GetTextureStageState(0, D3DTSS_COLOROP, &before[4]);
        const std::vector<uint32_t> flat = paint(true);
        for (int i = 0; i < 4; ++i) d->GetRenderState(kept[i], &after[i]);
        d->GetTextureStageState(0, D3DTSS_COLOROP, &after[4]);
        const bool blend = opaque == FlatState::Opaque::Blend;
        EXPECT_EQ(flat, plain) << mode << (t ? " textured" : "") << (blend ? " blended" : "");
        for (int i = 0; i < 5; ++i) EXPECT_EQ(after[i], before[i]) << mode << " state " << i;
        EXPECT_NE(plain[25 * Width + 35], 0x6080A0u) << mode;
      }
  EXPECT_GE(blendedOpaque, 2);  // the plain opaque modes
  texture->Release();
}

}  // namespace
