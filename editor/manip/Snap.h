// Shift snapping of manipulator drags: translations to 25 units, rotations
// to 15 degrees, rounding half away from the origin's side as the tool always
// did (trunc cuts toward zero, so -30 snaps to 0 but 30 to 25).
#pragma once

#include <cmath>

inline float SnapTranslation(float v) { return 25.0f * std::trunc((v + 12.5f) * 0.04f); }
inline float SnapRotation(float v) { return 15.0f * std::trunc((v + 7.5f) / 15.0f); }
