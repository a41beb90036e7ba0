#include "ferrox/math/Ptrig.h"

#include <cmath>

namespace Frx {

namespace {

// Whole turns in x, truncated toward zero. Kept in floating point: an int
// cast is undefined for NaN, infinities and |x| beyond 2^31 turns.
float Turns(float x) { return std::trunc(x / kTwoPi); }

// Huge arguments lose the fraction of a turn to rounding and can stay
// outside [-pi, pi] after the reduction; fold them in exactly.
float Fold(float x) {
  if (x > kPi || x < -kPi) return std::remainder(x, kTwoPi);
  return x;
}

}  // namespace

float Psin(float x) {
  if (x > kPi) {
    x = x - kTwoPi * Turns(x);
    if (x > kPi) x -= kTwoPi;
    x = Fold(x);
  } else if (x < -kPi) {
    x = x - kTwoPi * Turns(x);
    if (x < -kPi) x += kTwoPi;
    x = Fold(x);
  }
  const float x2 = x * x;
  const float x3 = x2 * x;
  const float x5 = x3 * x2;
  const float x7 = x5 * x2;
  const float x9 = x7 * x2;
  return x - x3 * 0.16666667f + x5 * 0.008333334f - x7 * 0.0001984127f + x9 * 2.7557319e-6f;
}

float Pcos(float x) {
  x = std::fabs(x);
  x = x - kTwoPi * Turns(x);
  if (x > kPi) x -= kTwoPi;
  x = Fold(x);
  const float y = x * x;
  const float y2 = y * y;
  const float y3 = y2 * y;
  const float y4 = y3 * y;
  return 1.0f - 0.5f * y + 0.041666668f * y2 - 0.0013888889f * y3 + 2.4801588e-5f * y4;
}

}  // namespace Frx
