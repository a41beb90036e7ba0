// Shift-JIS character boundaries shared by the scanner and the block walker.
#pragma once

namespace Frx::Sjis {

// 0x81..0x9F and 0xE0..0xFC open a double-byte character.
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// 0x40..0xFC except 0x7F may close one.
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Length of the character at p: 2 for a lead byte followed by a trail byte, else 1.
// A lead byte before the terminator (or before a line break) stands alone, so no walk
// ever steps over the end of a text. p must point at a non-zero byte.
inline int CharLength(const unsigned char* p) {
  return IsLeadByte(p[0]) && IsTrailByte(p[1]) ? 2 : 1;
}

// The same inside a text that ends at end (end excluded): a lead byte in the last
// position stands alone.
inline int CharLength(const unsigned char* p, const unsigned char* end) {
  return IsLeadByte(p[0]) && p + 1 < end && IsTrailByte(p[1]) ? 2 : 1;
}

}  // namespace Frx::Sjis
