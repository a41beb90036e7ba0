// Quaternion interpolation and splines of the keyed controls. Arguments by
// value; sines and cosines from Psin and Pcos.
#pragma once

#include "ferrox/math/Pquaternion.h"

namespace Frx {

// Spherical interpolation without the shortest-path flip; Dot >= 1 gives a.
Pquaternion QuaternionSlerp(Pquaternion a, Pquaternion b, float t);
// Exponential and logarithm of the unit-quaternion map.
Pquaternion Exp(Pquaternion q);
Pquaternion Log(Pquaternion q);
// Inner control point at q1 of the segment q0, q1, q2.
Pquaternion Coeff(Pquaternion q0, Pquaternion q1, Pquaternion q2);
// Spherical quadrangle interpolation from q1 to q2 with inner points a, b.
Pquaternion Squad(Pquaternion q1, Pquaternion a, Pquaternion b, Pquaternion q2, float t);
// The spline segment between q1 and q2.
Pquaternion QSpline(Pquaternion q0, Pquaternion q1, Pquaternion q2, Pquaternion q3, float t);
// Quadratic and cubic B-spline segments built from slerps.
Pquaternion QBSpline2(Pquaternion q0, Pquaternion q1, Pquaternion q2, float t);
Pquaternion QBSpline3(Pquaternion q0, Pquaternion q1, Pquaternion q2, Pquaternion q3, float t);

}  // namespace Frx
