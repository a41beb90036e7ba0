// InputState: the live mouse and key state of the 3D view, from which every
// MouseRecord is built. Building a record clears the movement, the wheel and
// the change bits.
#pragma once

#include <cstdint>

#include "editor/manip/MouseRecord.h"

struct InputState {
  uint32_t flags = 0;  // MouseRecord button bits
  int lastX = 0, lastY = 0;
  float dx = 0.0f, dy = 0.0f;
  float wheel = 0.0f;
  uint8_t keys[256] = {};

  // Sets or clears a down bit and marks it changed when it changed.
  void SetButton(uint32_t downBit, bool down);
  // Pointer moved to (x, y): the movement since the last position.
  void MoveTo(int x, int y);
  // A key-down message: one more count (saturating at 255).
  void KeyDown(int code);
  void KeyUp(int code);
  // The record of the current state; clears movement, wheel and change bits.
  MouseRecord TakeRecord();
};
