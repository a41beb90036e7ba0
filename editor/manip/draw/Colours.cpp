#include "editor/manip/draw/Colours.h"

#include <cmath>

namespace {

uint32_t Part(float fraction) {
  const float v = std::trunc(fraction * 255.0f);
  if (!std::isfinite(v)) return 0;
  // fmod first: a huge value must not overflow the integer conversion.
  return static_cast<uint32_t>(static_cast<int>(std::fmod(v, 256.0f))) & 0xFFu;
}

}  // namespace

uint32_t ColourFromFractions(float r, float g, float b) {
  return 0xFF000000u | Part(r) << 16 | Part(g) << 8 | Part(b);
}
