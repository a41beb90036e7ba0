#include "editor/manip/draw/Canvas.h"

uint32_t Canvas::HandleColour(int handle) const {
  const int slot = handle - 2;
  return slot >= 1 && slot < ColourCount ? colours[slot] : colours[ColourCentre];
}

ScreenMap Canvas::Screen() const { return ScreenMap(draw.GetMatrixWorld2Screen(Frx::Pmatrix::id)); }

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
