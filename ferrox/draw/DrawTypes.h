// Value types of the drawing surface.
#pragma once

#include <cstdint>

namespace Frx {

// A texture-coordinate rectangle: left/right are u, top/bottom v.
struct Prect {
  float left, top, right, bottom;
};

namespace Draw {

// A 3D line vertex: position and ARGB colour (XYZ | DIFFUSE).
struct P3DLINEVERTEX {
  float x, y, z;
  uint32_t color;
};
static_assert(sizeof(P3DLINEVERTEX) == 16);

enum BlendMode : int {
  BLEND_NONE = 0,
  BLEND_ALPHA = 1,
  BLEND_ALPHA_MODULATE = 2,
  BLEND_ADD_OPAQUE = 3,
  BLEND_ADD = 4,
  BLEND_ADD_SRCALPHA_DEST = 5,
  BLEND_SUBTRACT_COLOR = 6,
  BLEND_MULTIPLY = 7,
  BLEND_INVERT = 8,
};

}  // namespace Draw
}  // namespace Frx
