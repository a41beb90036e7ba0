// Shift-JIS byte classes shared by the text and path functions.
#pragma once

namespace Frx::Sjis {

// First byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
inline bool IsLead(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

// Bytes of the character at p: 2 for a lead byte with a trail, else 1. A lead
// byte right before the terminator counts alone, so no walk steps past the end.
inline int CharLength(const char* p) { return IsLead(*p) && p[1] != '\0' ? 2 : 1; }

}  // namespace Frx::Sjis
