#include "ferrox/draw/Window.h"

#include <cstring>

namespace {

bool ClientSizeOf(HWND window, int* width, int* height) {
  window->GetClientSize(width, height);
  return true;
}

Platform::D3DPresentTarget* PresentTargetOf(HWND window) { return window->GetPresentTarget(); }

const Platform::D3DWindowBridge theBridge{ClientSizeOf, PresentTargetOf};

}  // namespace

// Every window of the process goes through the same bridge to the device.
HWND__::HWND__() { Platform::SetD3DWindowBridge(&theBridge); }

namespace Frx::Draw {

void HeadlessWindow::PresentFrame(const uint8_t* pixels, int width, int height, int pitch) {
  ++frames_;
  lastWidth_ = width;
  last_.assign(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t v;
      std::memcpy(&v, pixels + static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * 4, 4);
      last_[static_cast<size_t>(y) * width + x] = v & 0x00FFFFFF;
    }
}

}  // namespace Frx::Draw
