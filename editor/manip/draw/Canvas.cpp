#include "editor/manip/draw/Canvas.h"

#include <cstring>

uint32_t Canvas::HandleColour(int handle) const {
  const int slot = handle - 2;
  return slot >= 1 && slot < ColourCount ? colours[slot] : colours[ColourCentre];
}

ScreenMap Canvas::Screen() const {
  // Every mark of a frame asks with the same camera: the mapping and its
  // inverse are made once for it.
  struct Key {
    Frx::Pmatrix view, projection;
    int width, height;
    bool device;
  };
  static thread_local Key cachedKey{};
  static thread_local ScreenMap cached;
  static thread_local bool filled = false;
  Key key{Frx::Pmatrix::id, Frx::Pmatrix::id, draw.screenWidth, draw.screenHeight, draw.device != nullptr};
  if (draw.device) {
    draw.device->GetTransform(D3DTS_VIEW, &key.view);
    draw.device->GetTransform(D3DTS_PROJECTION, &key.projection);
  }
  const auto same = [](const Key& a, const Key& b) {
    return std::memcmp(&a.view, &b.view, sizeof a.view) == 0 &&
           std::memcmp(&a.projection, &b.projection, sizeof a.projection) == 0 && a.width == b.width &&
           a.height == b.height && a.device == b.device;
  };
  if (!filled || !same(key, cachedKey)) {
    cached = ScreenMap(draw.GetMatrixWorld2Screen(Frx::Pmatrix::id));
    cachedKey = key;
    filled = true;
  }
  return cached;
}

CameraState Canvas::Camera() const {
  CameraState camera;
  if (draw.device) {
    draw.device->GetTransform(D3DTS_VIEW, &camera.view);
    draw.device->GetTransform(D3DTS_PROJECTION, &camera.projection);
  }
  camera.width = static_cast<float>(draw.screenWidth < 1 ? 1 : draw.screenWidth);
  camera.height = static_cast<float>(draw.screenHeight < 1 ? 1 : draw.screenHeight);
  return camera;
}
