// Frame truncation shared by the key lookups.
#pragma once

#include <cmath>

// Truncates toward zero; NaN gives 0 and huge frames are clamped first, so
// the conversion is always defined.
inline long VoTruncFrame(float x) {
  constexpr float Max = 2.0e9f;
  if (std::isnan(x)) return 0;
  if (x > Max) x = Max;
  if (x < -Max) x = -Max;
  return static_cast<long>(x);
}
