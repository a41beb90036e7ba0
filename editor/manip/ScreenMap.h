// ScreenMap: one frame's mapping between world space and window pixels (the
// view's camera and projection; y down), with the divide by w done here so no
// caller forgets it. A point on or behind the camera plane has no window
// position: Project says so instead of handing out infinities.
#pragma once

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pvector.h"

struct ScreenMap {
  // No view: nothing has a window position and no pixel a world point, so
  // before the first frame nothing can be hit or dragged.
  ScreenMap() = default;
  // `toScreen` maps world points to window pixels (PDraw::GetMatrixWorld2Screen).
  explicit ScreenMap(const Frx::Pmatrix& toScreen);

  // Window position (x, y in pixels, z the projected depth) of a world point;
  // false when w is not positive (camera plane or behind it).
  bool Project(const Frx::Pvector& world, Frx::Pvector* window) const;
  // The world point under window (x, y) at projected depth z; false when the
  // mapping is singular there.
  bool Unproject(const Frx::Pvector& window, Frx::Pvector* world) const;

  Frx::Pmatrix toScreen = Frx::Pmatrix::id;
  Frx::Pmatrix toWorld = Frx::Pmatrix::id;
  bool valid = false;
};

// p × m as a homogeneous point (w = 1), divided by the resulting w. False,
// and *out untouched, when that w is not above `minW`.
bool TransformDivide(const Frx::Pmatrix& m, const Frx::Pvector& p, Frx::Pvector* out, float minW);
