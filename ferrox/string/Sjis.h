// Shift-JIS byte classes shared by the string, path and text functions.
#pragma once

namespace Frx::Sjis {

// 0x81..0x9F and 0xE0..0xFC open a double-byte character.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsLead(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// 0x40..0xFC except 0x7F may close one.
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Path and string functions: a lead byte takes the byte after it along, unless
// that is the terminator, so no walk steps past the end of a text.
inline int CharLength(const char* p) { return IsLead(*p) && p[1] != '\0' ? 2 : 1; }

// The scanner and block walker: 2 only for a lead byte followed by a valid
// trail byte, so a lead byte before a line break stands alone too. p must
// point at a non-zero byte.
inline int CharLength(const unsigned char* p) { return IsLeadByte(p[0]) && IsTrailByte(p[1]) ? 2 : 1; }

// The same inside a text that ends at end (end excluded).
inline int CharLength(const unsigned char* p, const unsigned char* end) {
  return IsLeadByte(p[0]) && p + 1 < end && IsTrailByte(p[1]) ? 2 : 1;
}

}  // namespace Frx::Sjis
