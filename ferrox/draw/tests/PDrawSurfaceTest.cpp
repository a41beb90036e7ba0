#include <string>

#include "DrawFixture.h"

using Frx::Prect;
using Frx::Pvector;
using Frx::Draw::PDraw;

namespace {

const Prect Whole{0, 0, 1, 1};
int Red(uint32_t c) { return (c >> 16) & 255; }

std::string Fixture(const char* name) { return std::string(SAVORA_TESTDATA_DIR) + "/draw/" + name; }

}  // namespace

TEST_F(DrawTest, FlushBoxAndLinesAtTheirPixels) {
  PDraw draw;
  Open(draw);
  draw.SetClearColor(0x00102030);
  draw.textX = 40;
  ASSERT_EQ(draw.FlushScreen(), 1);
  EXPECT_EQ(draw.textX, 0);
  EXPECT_EQ(Pixel(draw, 5, 5), 0x102030u);

  draw.SetRenderStateBlend(Frx::Draw::BLEND_NONE);
  draw.DrawFillBox(Pvector(10, 8, 0.5f), Pvector(20, 12, 0), 0xFFFF0000);
  std::vector<uint32_t> f = Frame(draw);
  for (int y = 6; y < 22; ++y)
    for (int x = 8; x < 32; ++x) {
      bool inside = x >= 10 && x < 30 && y >= 8 && y < 20;
      ASSERT_EQ(f[y * Width + x], inside ? 0xFF0000u : 0x102030u) << x << "," << y;
    }
  draw.DrawLine(Pvector(40, 30, 0.5f), Pvector(60, 30, 0.5f), 0xFF00FF00);
  EXPECT_EQ(Pixel(draw, 50, 30), 0x00FF00u);
  EXPECT_EQ(Pixel(draw, 50, 31), 0x102030u);

  // 3D lines through identity transforms: clip space straight to the window.
  Frx::Draw::P3DLINEVERTEX v[3] = {{-1, -0.5f, 0.5f, 0xFF0000FF}, {1, -0.5f, 0.5f, 0xFF0000FF},
                                   {1, 1, 0.5f, 0xFF0000FF}};
  draw.DrawLine3D_Strip(v, 1);
  EXPECT_EQ(Pixel(draw, Width / 2, Height * 3 / 4), 0x0000FFu);
  draw.DrawLine3D_List(nullptr, 4);  // refused quietly
}

TEST_F(DrawTest, SpritesTextureAndKeepTheStageTexture) {
  PDraw draw;
  Open(draw);
  draw.FlushScreen();
  IDirect3DTexture8* t = draw.LoadTextureCK(Fixture("keyed.bmp").c_str(), D3DFMT_A8R8G8B8);
  ASSERT_NE(t, nullptr);
  draw.SetRenderStateFilter(0);
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  draw.DrawFillBox(Pvector(0, 0, 0.9f), Pvector(Width, Height, 0), 0xFFFF0000);
  // 16 × 16 pixels: white top half, keyed (transparent) bottom-left, red bottom-right.
  draw.DrawSprite(Pvector(8, 8, 0.5f), 16.0f, 16.0f, 0xFFFFFFFF, Whole, t);
  EXPECT_EQ(Pixel(draw, 10, 10), 0xFFFFFFu);
  EXPECT_EQ(Pixel(draw, 10, 22), 0xFF0000u);
  EXPECT_EQ(Pixel(draw, 22, 22), 0xFF0000u);
  {
    // Without a texture the one set before stays: the same picture again.
    draw.DrawFillBox(Pvector(40, 0, 0.9f), Pvector(20, 20, 0), 0xFF0000FF);
    IDirect3DBaseTexture8* set = nullptr;
    draw.device->GetTexture(0, &set);
    EXPECT_EQ(set, nullptr);  // boxes turn the texture off
    draw.device->SetTexture(0, t);
    draw.DrawSprite(Pvector(40, 0, 0.5f), Pvector(16, 16, 0), 0xFFFFFFFF, Whole, nullptr);
    EXPECT_EQ(Pixel(draw, 42, 2), 0xFFFFFFu);
    EXPECT_EQ(Pixel(draw, 42, 14), 0x0000FFu);
  }
  t->Release();
  EXPECT_EQ(draw.LoadTexture(Fixture("missing.bmp").c_str(), D3DFMT_A8R8G8B8, 0), nullptr);
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_TRUE(boxes.Saw("missing.bmp"));
}

TEST_F(DrawTest, BlendModesSetTheirStatesAndDrawDefinedResults) {
  PDraw draw;
  Open(draw);
  DWORD v = 0;
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ADD);
  draw.device->GetRenderState(D3DRS_ZWRITEENABLE, &v);
  EXPECT_EQ(v, 0u);
  draw.SetRenderStateBlend(Frx::Draw::BLEND_MULTIPLY);
  draw.device->GetRenderState(D3DRS_ZWRITEENABLE, &v);
  EXPECT_EQ(v, 1u);
  draw.device->GetRenderState(D3DRS_SRCBLEND, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DBLEND_DESTCOLOR));
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA_MODULATE);
  draw.SetRenderStateBlend(static_cast<Frx::Draw::BlendMode>(9));
  draw.device->GetRenderState(D3DRS_ALPHATESTENABLE, &v);
  EXPECT_EQ(v, 0u);
  draw.device->GetTextureStageState(0, D3DTSS_ALPHAOP, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTOP_SELECTARG1));
  draw.device->GetRenderState(D3DRS_SRCBLEND, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DBLEND_SRCALPHA));

  // Mode 3 disables the alpha operation with colour on: additive, and a
  // transparent diffuse is dropped by the alpha test.
  draw.SetClearColor(0x00000080);
  draw.FlushScreen();
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ADD_OPAQUE);
  EXPECT_EQ(draw.ValidateRenderState(), 1);
  draw.DrawFillBox(Pvector(0, 0, 0.5f), Pvector(8, 8, 0), 0xFF800000);
  draw.DrawFillBox(Pvector(10, 0, 0.5f), Pvector(8, 8, 0), 0x00800000);
  EXPECT_EQ(Pixel(draw, 4, 4), 0x800080u);
  EXPECT_EQ(Pixel(draw, 14, 4), 0x000080u);
  // Mode 2: alpha from the diffuse colour, half over the clear colour.
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA_MODULATE);
  draw.DrawFillBox(Pvector(20, 0, 0.5f), Pvector(8, 8, 0), 0x80FF0000);
  EXPECT_NEAR(Red(Pixel(draw, 24, 4)), 128, 2);
}

TEST_F(DrawTest, TextMovesTheCursorAsPrinted) {
  PDraw draw;
  Open(draw);
  draw.InitFont(8, 16);
  ASSERT_NE(draw.font, nullptr);
  draw.FlushScreen();
  draw.SetIndent(20, 10);
  draw.Print("ab\ncd");
  EXPECT_EQ(draw.textX, 32);
  EXPECT_EQ(draw.textY, 16);
  std::vector<uint32_t> f = Frame(draw);
  int lit = 0, leftOfIndent = 0;
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (f[y * Width + x]) (x < 20 || y < 10 ? leftOfIndent : lit)++;
  EXPECT_GT(lit, 10);
  EXPECT_EQ(leftOfIndent, 0);

  draw.SetIndent();
  draw.Print("あいう");  // Shift-JIS bytes, all 0x80 or above, move nothing
  EXPECT_EQ(draw.textX, 0);
  draw.Print(static_cast<const char*>(nullptr));
  draw.Print(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(draw.textX, 0);
  draw.Printf("%s", std::string(300, 'a').c_str());
  EXPECT_EQ(draw.textX, 255 * 16);
  draw.Printf2(0, 0, 0, 0xFFFFFFFF, "%d", 42);
  EXPECT_EQ(draw.textX, 255 * 16);
  draw.FlushScreen();
  EXPECT_EQ(draw.textX, 0);

  // The font follows a reset, and goes with the screen.
  window.SetClientSize(80, 60);
  draw.ResizeScreen();
  EXPECT_NE(draw.font, nullptr);
  draw.ReleaseScreen();
  EXPECT_EQ(draw.font, nullptr);
}
