#include "editor/manip/HandleLayout.h"

#include <cmath>

#include "editor/manip/ScreenMap.h"

namespace {

// Normalised device coordinates to window pixels, y down (as the surface maps them).
Frx::Pmatrix WindowMatrix(const CameraState& camera) {
  Frx::Pmatrix m = Frx::Pmatrix::id;
  m._11 = camera.width * 0.5f;
  m._22 = -camera.height * 0.5f;
  m._41 = camera.width * 0.5f;
  m._42 = camera.height * 0.5f;
  return m;
}

}  // namespace

bool ScreenScale(const CameraState& camera, const Frx::Pvector& position, float* scale) {
  Frx::Pvector inView = camera.view * position;
  inView.x = 1.0f;
  Frx::Pvector projected;
  if (!TransformDivide(camera.projection, inView, &projected, 1e-6f)) return false;
  if (!(projected.x > 0.0f) || !std::isfinite(projected.x)) return false;
  *scale = projected.x;
  return true;
}

Frx::Pvector HandlePoint(int handle, float h) {
  switch (handle) {
    case Handle::AxisX: return {h, 0.0f, 0.0f};
    case Handle::AxisY: return {0.0f, h, 0.0f};
    case Handle::AxisZ: return {0.0f, 0.0f, h};
    case Handle::RingX: return {0.0f, 0.0f, -h};
    case Handle::RingY: return {-h, 0.0f, 0.0f};
    case Handle::RingZ: return {0.0f, -h, 0.0f};
    default: return {0.0f, 0.0f, 0.0f};
  }
}

HandleLayout LayoutHandles(const CameraState& camera, const Frx::Pmatrix& orientation,
                           const Frx::Pvector& position, float manipulatorSize, int mask) {
  HandleLayout layout;
  for (Frx::Pvector& slot : layout.screen) slot = Handle::OffScreen;
  layout.model = orientation;
  layout.model.SetTransVector(position);
  float scale = 0.0f;
  if (!ScreenScale(camera, position, &scale)) return layout;
  layout.h = manipulatorSize / scale;
  const Frx::Pmatrix toWindow = layout.model * camera.view * camera.projection * WindowMatrix(camera);
  Frx::Pvector centre;
  if (!TransformDivide(toWindow, Frx::Pvector(0.0f, 0.0f, 0.0f), &centre, 1e-6f)) return layout;
  layout.visible = true;
  layout.screen[Handle::Centre] = Frx::Pvector(centre.x, centre.y, 0.0f);
  for (int handle = Handle::AxisX; handle <= Handle::RingZ; ++handle) {
    const int bit = handle <= Handle::AxisZ ? Handle::Translate : Handle::Rotate;
    if (!(mask & bit)) continue;
    Frx::Pvector p;
    if (TransformDivide(toWindow, HandlePoint(handle, layout.h), &p, 1e-6f))
      layout.screen[handle] = Frx::Pvector(p.x, p.y, 0.0f);
  }
  return layout;
}
