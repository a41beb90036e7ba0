#include <cstring>
#include <string>
#include <vector>

#include "platform/d3d8/d3dx8core.h"
#include "platform/d3d8/d3dx8tex.h"
#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

std::string Fixture(const char* name) { return std::string(SAVORA_TESTDATA_DIR) + "/draw/" + name; }

uint32_t Texel(IDirect3DTexture8* t, int x, int y) {
  D3DLOCKED_RECT lr{};
  uint32_t v = 0;
  if (t->LockRect(0, &lr, nullptr, D3DLOCK_READONLY) == D3D_OK) {
    std::memcpy(&v, static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, 4);
    t->UnlockRect(0);
  }
  return v;
}

// The editor's font: 8 × 16 "ＭＳ ゴシック"; null when it cannot be made.
ID3DXFont* MakeFont(IDirect3DDevice8* device) {
  LOGFONTA lf{};
  lf.lfHeight = 16;
  lf.lfWidth = 8;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
  ID3DXFont* font = nullptr;
  return D3DXCreateFontIndirect(device, &lf, &font) == D3D_OK ? font : nullptr;
}

}  // namespace

TEST_F(DeviceTest, TextureFromFileAppliesTheColourKey) {
  IDirect3DTexture8* t = nullptr;
  std::string path = Fixture("keyed.bmp");
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(D3DXCreateTextureFromFileExA(device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 0, 0, D3DFMT_A8R8G8B8,
                                         D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0xFF000000, &info,
                                         nullptr, &t),
            D3D_OK);
  EXPECT_EQ(info.Width, 4u);
  EXPECT_EQ(t->GetLevelCount(), 3u);
  EXPECT_EQ(Texel(t, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(Texel(t, 0, 3), 0x00000000u);
  EXPECT_EQ(Texel(t, 3, 3), 0xFFFF0000u);
  t->Release();
  EXPECT_EQ(D3DXCreateTextureFromFileA(device, Fixture("truncated.bmp").c_str(), &t), D3DXERR_INVALIDDATA);
  EXPECT_EQ(t, nullptr);
}

TEST_F(DeviceTest, FontDrawsJapaneseTextInItsRectangle) {
  ID3DXFont* font = MakeFont(device);
  ASSERT_NE(font, nullptr);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
  RECT r{10, 10, static_cast<int32_t>(Width), static_cast<int32_t>(Height)};
  RECT measured = r;
  EXPECT_EQ(font->DrawTextA("日本", -1, &measured, DT_CALCRECT, 0xFFFFFFFF), 16);
  EXPECT_EQ(measured.right - measured.left, 32);
  EXPECT_EQ(font->DrawTextA("日本", -1, &r, DT_LEFT, 0xFFFFFF00), 16);
  std::vector<uint32_t> f = Frame();
  int lit = 0, outside = 0;
  for (unsigned y = 0; y < Height; ++y)
    for (unsigned x = 0; x < Width; ++x) {
      if (!f[y * Width + x]) continue;
      bool in = x >= 10 && x < 42 && y >= 10 && y < 26;
      (in ? lit : outside)++;
    }
  EXPECT_GT(lit, 30);
  EXPECT_EQ(outside, 0);
  // Two lines are twice as tall.
  measured = r;
  EXPECT_EQ(font->DrawTextA("a\nb", -1, &measured, DT_CALCRECT, 0), 32);
  EXPECT_EQ(font->DrawTextA(nullptr, -1, &r, 0, 0), 0);
  {
    // Strokes below the baseline (underscores, descenders) reach lower than
    // the same text without them, and stay in the 16-pixel cell from y 10.
    auto lowest = [&](const char* text) {
      device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
      font->DrawTextA(text, -1, &r, DT_LEFT, 0xFFFFFFFF);
      int row = -1;
      const std::vector<uint32_t> f = Frame();
      for (size_t i = 0; i < f.size(); ++i)
        if (f[i] & 0xFFFFFF) row = static_cast<int>(i / Width);
      return row;
    };
    const char* pairs[][2] = {{"_", "E"}, {"01_01.bvh", "0101.bvh"}, {"gjy", "ace"}, {"|", "l"}};
    for (const auto& p : pairs) {
      EXPECT_GT(lowest(p[0]), lowest(p[1])) << p[0];
      EXPECT_LT(lowest(p[0]), 26) << p[0];
    }
  }
  font->Release();
}


namespace {

// Text drawn again comes from the font's texture of the string: the same
// pixels as the text composed and blended on the spot (what the font draws
// when the device refuses its A8 textures), whatever the device's state, and
// with that state, texture and stream left as they were.
TEST_F(DeviceTest, FontDrawsStringsAgainAsFirstAndKeepsTheDeviceState) {
  ID3DXFont* font = MakeFont(device);
  ASSERT_NE(font, nullptr);
  const uint32_t texel = 0x80FF0000;
  IDirect3DTexture8* texture = MakeTexture(device, 1, 1, &texel);
  IDirect3DVertexBuffer8* buffer = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(64, 0, ScreenFvf, D3DPOOL_MANAGED, &buffer), D3D_OK);
  // Every state a careless overlay could leave: a depth test that fails, an
  // alpha test, no blending, culling, a texture and its stage.
  const struct {
    D3DRENDERSTATETYPE state;
    DWORD value;
  } hostile[] = {{D3DRS_ZENABLE, TRUE},           {D3DRS_ZFUNC, D3DCMP_LESS},       {D3DRS_ALPHATESTENABLE, TRUE},
                 {D3DRS_ALPHAFUNC, D3DCMP_GREATER}, {D3DRS_ALPHAREF, 200},            {D3DRS_ALPHABLENDENABLE, FALSE},
                 {D3DRS_CULLMODE, D3DCULL_CW},    {D3DRS_SRCBLEND, D3DBLEND_ONE}};
  for (const auto& h : hostile) device->SetRenderState(h.state, h.value);
  device->SetTexture(0, texture);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
  device->SetVertexShader(D3DFVF_XYZ);
  const struct {
    const char* text;
    int x, y;
    DWORD format;
  } strings[] = {{"Bone:b1_4", 2, 3, DT_LEFT},   {"a\tb\nQj_", -5, 20, DT_EXPANDTABS},
                 {"日本語テキスト", 30, 36, DT_LEFT}, {"clipped", 40, -6, DT_NOCLIP}};
  auto draw = [&] {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x203040, 0.0f, 0);
    for (const auto& s : strings) {
      RECT r{s.x, s.y, static_cast<int32_t>(Width) - 8, static_cast<int32_t>(Height)};
      EXPECT_GT(font->DrawTextA(s.text, -1, &r, s.format, 0xC0FFE080), 0) << s.text;
    }
    return Frame();
  };
  Platform::SetD3DFormatRefused(D3DFMT_A8, true);
  const std::vector<uint32_t> composed = draw();
  Platform::SetD3DFormatRefused(D3DFMT_A8, false);
  const std::vector<uint32_t> first = draw(), again = draw();
  int ink = 0;
  for (uint32_t p : composed) ink += (p & 0xFFFFFF) != 0x203040;
  EXPECT_GT(ink, 100);
  EXPECT_EQ(first, composed);
  EXPECT_EQ(again, composed);
  for (const auto& h : hostile) {
    DWORD v = 0;
    device->GetRenderState(h.state, &v);
    EXPECT_EQ(v, h.value) << h.state;
  }
  DWORD op = 0, fvf = 0;
  device->GetTextureStageState(0, D3DTSS_COLOROP, &op);
  device->GetVertexShader(&fvf);
  EXPECT_EQ(op, static_cast<DWORD>(D3DTOP_SELECTARG1));
  EXPECT_EQ(fvf, static_cast<DWORD>(D3DFVF_XYZ));
  IDirect3DBaseTexture8* bound = nullptr;
  device->GetTexture(0, &bound);
  EXPECT_EQ(bound, texture);
  if (bound) bound->Release();
  // The stream is still there to draw from.
  EXPECT_EQ(device->DrawPrimitive(D3DPT_POINTLIST, 0, 1), D3D_OK);
  font->Release();
  buffer->Release();
  texture->Release();
}

}  // namespace
