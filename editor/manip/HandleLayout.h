// HandleLayout: where a manipulator's handles fall on the window. The axes
// and rings are h world units long, h chosen so that they span
// `ManipulatorSize` in normalised device units at any depth (0.25 is an
// eighth of the view's width). Pure maths over the camera's matrices, shared
// by the drawing and the hit tests.
#pragma once

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pvector.h"

namespace Handle {
// Handle numbers: 1 the centre, 3-5 the X, Y, Z axes, 6-8 the rings about X, Y, Z.
enum : int { None = 0, Centre = 1, AxisX = 3, AxisY = 4, AxisZ = 5, RingX = 6, RingY = 7, RingZ = 8, Slots = 10 };
// Enabled-handle mask bits.
enum : int { Translate = 1, Rotate = 2 };
// A slot no pointer can reach: handles start there and go there when they
// cannot be projected.
inline const Frx::Pvector OffScreen{-1.0e9f, -1.0e9f, 0.0f};
}  // namespace Handle

struct HandleLayout {
  // False when the item lies on or behind the camera plane: nothing is drawn
  // and every slot is off-screen.
  bool visible = false;
  // Axis and ring length in world units.
  float h = 0.0f;
  // Orientation with its translation set to the item's position.
  Frx::Pmatrix model = Frx::Pmatrix::id;
  // Window positions by handle number (depth 0); unused slots off-screen.
  Frx::Pvector screen[Handle::Slots];
};

// The view's camera and projection as the device holds them, and the size of
// the window in pixels.
struct CameraState {
  Frx::Pmatrix view = Frx::Pmatrix::id;
  Frx::Pmatrix projection = Frx::Pmatrix::id;
  float width = 1.0f;
  float height = 1.0f;
};

// Normalised device units per world unit across the view at `position`; false
// when the position cannot be projected or the scale is not positive.
bool ScreenScale(const CameraState& camera, const Frx::Pvector& position, float* scale);

// The model-space point of handle 3-8 at length h: (h,0,0), (0,h,0), (0,0,h)
// for the axes; (0,0,-h), (-h,0,0), (0,-h,0) for the rings.
Frx::Pvector HandlePoint(int handle, float h);

// The handles of a manipulator oriented by `orientation` (rotation only) at
// `position`; `mask` picks the handles that get a window position.
HandleLayout LayoutHandles(const CameraState& camera, const Frx::Pmatrix& orientation,
                           const Frx::Pvector& position, float manipulatorSize, int mask);
