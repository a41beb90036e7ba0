// Test support: draws a character headless through a VoDirectX7 and hands
// back the frame. The harness owns a headless window with a drawing surface,
// the renderer (attached to the surface's device) and a master initialised
// with it; characters made with NewCharacter are released with the harness.
//
//   votest::RenderHarness h;
//   ASSERT_TRUE(h.Open());
//   VoICharacter* c = h.NewCharacter("chara");
//   ... polygons, materials, textures under c (SceneBuild.h) ...
//   votest::Image frame = h.Render(c);
//   EXPECT_EQ(frame.At(10, 20), 0xFF0000u);
#pragma once

#include <cstdint>
#include <vector>

#include "ferrox/draw/PDraw.h"
#include "ferrox/draw/Window.h"
#include "ferrox/math/Pvector.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/vocore/VoMaster.h"

class VoICharacter;

namespace votest {

// A frame read back: 0x00RRGGBB words, rows top-down.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  bool Empty() const { return pixels.empty(); }
  // 0 outside the image.
  uint32_t At(int x, int y) const;
  // A 24-bit BMP file (for screenshots); false when it cannot be written.
  bool SaveBmp(const char* path) const;
};

// Right-handed view and projection, as the editor sets them.
struct Camera {
  Frx::Pvector eye{0.0f, 0.0f, 5.0f};
  Frx::Pvector at{0.0f, 0.0f, 0.0f};
  Frx::Pvector up{0.0f, 1.0f, 0.0f};
  float fovDegrees = 40.0f;
  float nearZ = 0.1f;
  float farZ = 100.0f;
};

// Device light 0: a white directional light (none when off).
struct Light {
  bool on = true;
  Frx::Pvector direction{0.0f, 0.0f, -1.0f};
};

class RenderHarness {
 public:
  explicit RenderHarness(int width = 128, int height = 96);
  ~RenderHarness();
  RenderHarness(const RenderHarness&) = delete;
  RenderHarness& operator=(const RenderHarness&) = delete;

  // Makes the device, attaches it to the renderer and initialises the master
  // with the renderer. False when no device can be made.
  bool Open();

  VoMaster& Master() { return master_; }
  VoDirectX7& Renderer() { return renderer_; }
  Frx::Draw::PDraw& Surface() { return draw_; }
  IDirect3DDevice8* Device() const { return draw_.device; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // A character under no parent, released when the harness goes.
  VoICharacter* NewCharacter(const char* name);

  // One frame as a host makes it: clear to the background, render-state
  // presets, the character updated at `time`, camera and light set, drawn,
  // presented; then the back buffer. Empty without a device.
  Image Render(VoICharacter* character, float time = 0.0f);
  // The same frame without reading it back (for benchmarks).
  void Draw(VoICharacter* character, float time = 0.0f);
  // The back buffer as it is.
  Image ReadBack();

  Camera camera;
  Light light;
  uint32_t background = 0x000000;

 private:
  int width_, height_;
  Frx::Draw::HeadlessWindow window_;
  Frx::Draw::PDraw draw_;
  VoDirectX7 renderer_;
  VoMaster master_;
  bool initialized_ = false;
  std::vector<VoICharacter*> characters_;
};

}  // namespace votest
