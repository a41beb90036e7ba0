// The library's own sine and cosine: short Taylor series after a range
// reduction. Every rotation of the system is computed with them, so their
// (limited) accuracy is part of its results; do not swap in std::sin.
#pragma once

namespace Frx {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kTwoPi = kPi * 2.0f;
// Degrees per radian: 180 × (1/pi) with 1/pi rounded to a float first.
constexpr float kInvPi = 1.0f / kPi;
constexpr float kInv360 = 0.0027777778f;

// Series to x^9. NaN and infinities give NaN.
float Psin(float x);
// Series to x^8; about -0.976 at pi. NaN and infinities give NaN.
float Pcos(float x);

}  // namespace Frx
