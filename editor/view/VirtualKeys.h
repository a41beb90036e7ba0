// The virtual-key codes the view handles (the Windows VK_* numbers, which the
// companions' key counts are indexed by).
#pragma once

namespace VKey {
enum : int {
  Shift = 0x10,
  PageUp = 0x21,
  PageDown = 0x22,
  Left = 0x25,
  Up = 0x26,
  Right = 0x27,
  Down = 0x28,
  F1 = 0x70,
  F2 = 0x71,
  F3 = 0x72,
  F4 = 0x73,
  F5 = 0x74,
  F6 = 0x75,
  F7 = 0x76,
};
}  // namespace VKey
