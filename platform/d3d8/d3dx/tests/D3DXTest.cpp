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
  LOGFONTA lf{};
  lf.lfHeight = 16;
  lf.lfWidth = 8;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
  ID3DXFont* font = nullptr;
  ASSERT_EQ(D3DXCreateFontIndirect(device, &lf, &font), D3D_OK);
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

