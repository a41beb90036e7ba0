// MouseRecord: the input state the 3D view builds after every mouse or key
// message it handles and hands by value to every companion's Drag. Field
// order is part of the companions' interface.
#pragma once

#include <cstdint>

struct MouseRecord {
  // Button and Shift words of `buttons`: the state, and (high bits) what
  // changed since the previous record.
  enum : uint32_t {
    LeftDown = 0x1,
    RightDown = 0x2,
    MiddleDown = 0x4,
    ShiftDown = 0x100,
    LeftChanged = 0x10000,
    RightChanged = 0x20000,
    MiddleChanged = 0x40000,
    ShiftChanged = 0x1000000,
    ChangedBits = 0xFFFF0000u,
  };
  // Virtual-key codes the companions test in `keys`.
  enum : int { KeyShift = 0x10, KeyZ = 0x5A };

  float x = 0.0f, y = 0.0f;  // pointer in window pixels
  float z = 0.0f;            // always 0
  float dx = 0.0f, dy = 0.0f;
  float dz = 0.0f;           // spare, always 0
  float wheel = 0.0f;        // 120 per notch; Page Up/Down add -100/+100
  uint32_t buttons = 0;
  // Key-down messages per virtual key since its last release (saturating at
  // 255); 0 while the key is up.
  uint8_t keys[256] = {};

  bool LeftPressed() const { return (buttons & (LeftChanged | LeftDown)) == (LeftChanged | LeftDown); }
  bool LeftReleased() const { return (buttons & (LeftChanged | LeftDown)) == LeftChanged; }
  bool IsKeyHeld(int code) const { return code >= 0 && code < 256 && keys[code] != 0; }
};
