// The read-out beside a manipulated item: its class and name, and (by the
// manipulator's handles) its world position and angles, in a dark box whose
// size follows the text.
#pragma once

#include <string>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"

struct ReadOut {
  // The box in window pixels; the text starts 4 pixels inside its corner.
  float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
  // "Class:name\n", then the position and angle lines the mask asks for.
  std::string text;
};

// `projected` is the item's window position; `mask` the manipulator's
// enabled handles (1 position lines, 2 angle lines).
ReadOut LayoutReadOut(const char* className, const char* name, const Frx::Pvector& projected, int mask,
                      const Frx::Pvector& position, const Frx::Pquaternion& rotation);
