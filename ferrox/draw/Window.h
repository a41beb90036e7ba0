// The window a drawing surface is given: HWND is a pointer to this interface.
// Hosts implement it over their widgets; HeadlessWindow serves tests and
// off-screen use and keeps each presented frame.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d8/D3D8Hooks.h"
#include "platform/win32/WinTypes.h"

struct HWND__ {
  virtual ~HWND__() = default;
  // Client area in pixels; 0 × 0 when minimised.
  virtual void GetClientSize(int* width, int* height) const = 0;
  // The client area's top-left corner in screen coordinates.
  virtual void GetScreenOrigin(int* x, int* y) const = 0;
  // Where presented frames go; null keeps them only in the back buffer.
  virtual Platform::D3DPresentTarget* GetPresentTarget() = 0;

 protected:
  HWND__();
};

namespace Frx::Draw {

class HeadlessWindow : public HWND__, public Platform::D3DPresentTarget {
 public:
  HeadlessWindow(int width, int height) : width_(width), height_(height) {}

  void GetClientSize(int* width, int* height) const override { *width = width_, *height = height_; }
  void GetScreenOrigin(int* x, int* y) const override { *x = originX_, *y = originY_; }
  Platform::D3DPresentTarget* GetPresentTarget() override { return this; }
  void PresentFrame(const uint8_t* pixels, int width, int height, int pitch) override;

  void SetClientSize(int width, int height) { width_ = width, height_ = height; }
  void SetScreenOrigin(int x, int y) { originX_ = x, originY_ = y; }
  int PresentedFrames() const { return frames_; }
  // The last presented frame: 0x00RRGGBB words, rows top-down.
  const std::vector<uint32_t>& LastFrame() const { return last_; }
  int LastWidth() const { return lastWidth_; }

 private:
  int width_, height_;
  int originX_ = 0, originY_ = 0;
  int frames_ = 0;
  int lastWidth_ = 0;
  std::vector<uint32_t> last_;
};

}  // namespace Frx::Draw
