// ARGB colour words of the manipulators' drawing.
#pragma once

#include <cstdint>

// Opaque ARGB from (r, g, b) fractions: each part is trunc(fraction × 255)
// taken modulo 256 (out-of-range fractions wrap, as they always did).
uint32_t ColourFromFractions(float r, float g, float b);
// The same with every fraction times k (darker or lighter shades of a colour).
inline uint32_t ShadeFromFractions(float r, float g, float b, float k) {
  return ColourFromFractions(r * k, g * k, b * k);
}
