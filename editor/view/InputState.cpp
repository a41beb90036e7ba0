#include "editor/view/InputState.h"

#include <cstring>

void InputState::SetButton(uint32_t downBit, bool down) {
  const bool was = (flags & downBit) != 0;
  if (down) flags |= downBit;
  else flags &= ~downBit;
  // The change bit of a state bit sits 16 bits higher.
  if (was != down) flags |= downBit << 16;
}

void InputState::MoveTo(int x, int y) {
  dx += static_cast<float>(x - lastX);
  dy += static_cast<float>(y - lastY);
  lastX = x;
  lastY = y;
}

void InputState::KeyDown(int code) {
  if (code < 0 || code > 255) return;
  if (keys[code] < 255) ++keys[code];
}

void InputState::KeyUp(int code) {
  if (code >= 0 && code <= 255) keys[code] = 0;
}

MouseRecord InputState::TakeRecord() {
  MouseRecord r;
  r.x = static_cast<float>(lastX);
  r.y = static_cast<float>(lastY);
  r.dx = dx;
  r.dy = dy;
  r.wheel = wheel;
  r.buttons = flags;
  std::memcpy(r.keys, keys, sizeof keys);
  flags &= ~MouseRecord::ChangedBits;
  dx = dy = wheel = 0.0f;
  return r;
}
