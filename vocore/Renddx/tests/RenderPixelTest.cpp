// Pictures read back from the headless device: texture corners and row
// order, alpha blending, the cel ramp's bands, the outline ring and the
// additive highlight.
#include <cstdio>
#include <cstdlib>

#include "RenderFixture.h"
#include "vocore/scene/VoIMaterial.h"

namespace {

// Each channel within `tolerance` of the wanted 0xRRGGBB colour.
::testing::AssertionResult Near(uint32_t got, uint32_t want, int tolerance = 3) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = static_cast<int>((got >> shift) & 255), b = static_cast<int>((want >> shift) & 255);
    if (std::abs(a - b) > tolerance) {
      char text[64];
      std::snprintf(text, sizeof text, "%06X is not near %06X", got, want);
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}

int Grey(uint32_t c) { return static_cast<int>(c & 255); }

// A 4 × 4 texture of 2 × 2 blocks, so filtering keeps each quadrant's colour.
std::vector<uint32_t> Blocks(const std::vector<uint32_t>& quadrants) {
  std::vector<uint32_t> out(16);
  for (int i = 0; i < 16; ++i) out[static_cast<size_t>(i)] = quadrants[static_cast<size_t>((i / 8) * 2 + (i % 4) / 2)];
  return out;
}

}  // namespace

TEST_F(RenderTest, TexturedQuadShowsItsTexelsAndBlendsByAlpha) {
  struct Case {
    const char* name;
    std::vector<uint32_t> texels;  // bottom row first
    int width, height;
    uint32_t background;
    uint32_t topLeft, topRight, bottomLeft, bottomRight;
  };
  const Case cases[] = {
      // The item's last rows are the picture's top.
      {"corners", Blocks({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}), 4, 4, 0, 0x0000FF, 0xFFFFFF, 0xFF0000,
       0x00FF00},
      {"half alpha over blue", {0x80FF0000}, 1, 1, 0x0000FF, 0x80007F, 0x80007F, 0x80007F, 0x80007F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VoITexture* t = votest::AddTexture32(M(), chara, c.width, c.height, c.texels);
    VoIPolygon* p = votest::AddPolygon(M(), chara, votest::Quad(), votest::AddMaterial(M(), chara, {}, t));
    h.background = c.background;
    const votest::Image f = h.Render(chara);
    // The quad spans about 26 pixels each way from the centre (64, 48).
    EXPECT_TRUE(Near(f.At(51, 35), c.topLeft));
    EXPECT_TRUE(Near(f.At(77, 35), c.topRight));
    EXPECT_TRUE(Near(f.At(51, 61), c.bottomLeft));
    EXPECT_TRUE(Near(f.At(77, 61), c.bottomRight));
    EXPECT_TRUE(Near(f.At(4, 4), c.background));
    M().ReleaseItem(p);
  }
}

TEST_F(RenderTest, CelShadingShowsTheRampsBands) {
  // Ramp rows (v = 0.5 - 0.5 n·L): facing the light white, then half, then a quarter.
  std::vector<uint32_t> ramp(64);
  for (int y = 0; y < 64; ++y) ramp[static_cast<size_t>(y)] = y < 26 ? 0xFFFFFFFF : y < 35 ? 0xFF808080 : 0xFF404040;
  IDirect3DTexture8* rampTexture = votest::MakeDeviceTexture(h.Device(), 1, 64, ramp);
  R().celTexture = rampTexture;
  R().celShading = 1;
  votest::AddPolygon(M(), chara, votest::Sphere(1.5f, 32, 16), votest::AddMaterial(M(), chara, {}));
  // The base colour is diffuse × 0.5 (127); the ramp scales it.
  const int bands[3] = {127, 64, 32};
  votest::Image frames[2];
  for (int stages = 1; stages <= 2; ++stages) {
    SCOPED_TRACE(stages);
    R().textureStages = static_cast<uint16_t>(stages);
    const votest::Image f = frames[stages - 1] = h.Render(chara);
    int inBand[3] = {0, 0, 0}, lit = 0;
    for (uint32_t c : f.pixels) {
      if (c == 0) continue;
      ++lit;
      for (int b = 0; b < 3; ++b) inBand[b] += std::abs(Grey(c) - bands[b]) <= 3;
    }
    ASSERT_GT(lit, 2000);
    EXPECT_GT(inBand[0] + inBand[1] + inBand[2], lit * 9 / 10) << "smooth shading rather than bands";
    for (int b = 0; b < 3; ++b) EXPECT_GT(inBand[b], lit / 20) << "band " << b;
    // The light comes from the upper right, camera side.
    EXPECT_NEAR(Grey(f.At(64 + 15, 48 - 15)), bands[0], 3);
    EXPECT_NEAR(Grey(f.At(64 - 25, 48 + 25)), bands[2], 3);
  }
  int differ = 0;
  for (size_t i = 0; i < frames[0].pixels.size(); ++i)
    differ += std::abs(Grey(frames[0].pixels[i]) - Grey(frames[1].pixels[i])) > 6;
  EXPECT_LT(differ, static_cast<int>(frames[0].pixels.size()) / 50) << "one and two stages disagree";
  R().celTexture = nullptr;
  rampTexture->Release();
}

TEST_F(RenderTest, OutlineRingsTheSilhouette) {
  R().outline = 1;
  VoIMaterial* material = votest::AddMaterial(M(), chara, {});
  votest::AddPolygon(M(), chara, votest::Sphere(1.0f, 24, 12), material);
  // Outline colour (0.6, 0.5, 0.5) × diffuse × 0.5. The sphere ends about 27
  // pixels from the centre, its shell 41 pixels out at width 0.5, 34 at 0.25.
  const uint32_t ring = 0x4C3F3F;
  const struct {
    const char* name;
    float width;
    int edge;
    uint32_t at30, at38;
  } steps[] = {
      {"width 0.5", 0.5f, 0, ring, ring},
      {"a rigid mesh follows a new width", 0.25f, 0, ring, 0},
      {"edge-flagged materials have none", 0.5f, 1, 0, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    R().outlineWidth = s.width;
    material->edge = s.edge;
    const votest::Image f = h.Render(chara);
    EXPECT_TRUE(Near(f.At(64 + 30, 48), s.at30));
    EXPECT_TRUE(Near(f.At(64, 48 + 30), s.at30));
    EXPECT_TRUE(Near(f.At(64 + 38, 48), s.at38));
    EXPECT_TRUE(Near(f.At(64 + 45, 48), 0));
    EXPECT_GT(Grey(f.At(64, 48)), 200) << "the sphere itself";
  }
}

TEST_F(RenderTest, HighlightAddsTheSphereTextureBySpecular) {
  IDirect3DTexture8* sphere = votest::MakeDeviceTexture(h.Device(), 1, 1, {0xFF404040});
  R().sphereTexture = sphere;
  const struct {
    float specular;
    int grey;
  } cases[] = {{0.0f, 127}, {0.5f, 127 + 32}, {1.0f, 127 + 64}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.specular);
    VoIPolygon* p = votest::AddPolygon(M(), chara, votest::Quad(),
                                       votest::AddMaterial(M(), chara, {.r = 0.5f, .g = 0.5f, .b = 0.5f, .spc = c.specular}));
    EXPECT_NEAR(Grey(h.Render(chara).At(64, 48)), c.grey, 2);
    M().ReleaseItem(p);
  }
  R().highlight = 0;
  VoIPolygon* p = votest::AddPolygon(M(), chara, votest::Quad(),
                                     votest::AddMaterial(M(), chara, {.r = 0.5f, .g = 0.5f, .b = 0.5f, .spc = 1.0f}));
  EXPECT_NEAR(Grey(h.Render(chara).At(64, 48)), 127, 2) << "switched off";
  M().ReleaseItem(p);
  R().sphereTexture = nullptr;
  sphere->Release();
}
