// Frx::Pquaternion: x, y, z, w laid out as the platform's D3DXQUATERNION.
// Euler operations take degrees, SetVector radians; sines and cosines come
// from Psin and Pcos.
#pragma once

#include "ferrox/math/Pvector.h"
#include "platform/d3d8/d3dx8math.h"

namespace Frx {

class Pmatrix;

class Pquaternion : public D3DXQUATERNION {
 public:
  static const Pquaternion id;  // (0, 0, 0, 1); constant-initialised, usable at any time

  Pquaternion() = default;  // components unset
  constexpr Pquaternion(float fx, float fy, float fz, float fw) : D3DXQUATERNION(fx, fy, fz, fw) {}
  // Stored component by component: v is not an axis, w not an angle.
  Pquaternion(const Pvector& v, float fw) : D3DXQUATERNION(v.x, v.y, v.z, fw) {}
  Pquaternion(const D3DXQUATERNION& q) : D3DXQUATERNION(q) {}

  void Set(float fx, float fy, float fz, float fw) { x = fx; y = fy; z = fz; w = fw; }
  void Set(const Pvector& v, float fw) { Set(v.x, v.y, v.z, fw); }
  void Set(const Pquaternion& q) { *this = q; }

  // Divides by the length; a zero quaternion stays zero.
  Pquaternion& Unit();
  // (axis·Psin(angle/2), Pcos(angle/2)), angle in radians; axis not normalised.
  Pquaternion& SetVector(const Pvector& axis, float angle);
  // (a × b, a · b), not normalised.
  Pquaternion& SetVector(const Pvector& a, const Pvector& b);
  // The platform's rotation-matrix-to-quaternion, then Unit.
  Pquaternion& SetMatrix(const Pmatrix& m);
  // Rotation of the left-handed look-at from the origin towards dir.
  Pquaternion& SetLookAt(const Pvector& dir, const Pvector& up);
  // Conjugate over the squared length; zero when the length is negligible.
  Pquaternion GetInverse() const;

  // Rotation about X, then Y, then Z (degrees).
  Pquaternion& SetEulerXYZ(const Pvector& deg);
  // As SetEulerXYZ with the cross terms signed by `sign`; (-1, 1, -1, 1)
  // is X-Y-Z, other patterns give the other rotation orders.
  Pquaternion& SetEuler(const Pvector& deg, const Pquaternion& sign);
  // (X, Y, Z) in degrees.
  Pvector GetEulerXYZ() const;
  Pvector GetEulerZYX() const;

  // this = this * q (Hamilton product).
  Pquaternion& Product(const Pquaternion& q);
  // this = this * (x, y, z, 0).
  Pquaternion& Product(float fx, float fy, float fz);
  // Shortest-path interpolation of the keyed controls.
  Pquaternion& Slerp(const Pquaternion& a, const Pquaternion& b, float t);
};

static_assert(sizeof(Pquaternion) == sizeof(D3DXQUATERNION));

inline Pquaternion operator-(const Pquaternion& q) { return Pquaternion(-q.x, -q.y, -q.z, -q.w); }
inline Pquaternion operator+(const Pquaternion& a, const Pquaternion& b) {
  return Pquaternion(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w);
}
inline Pquaternion operator-(const Pquaternion& a, const Pquaternion& b) {
  return Pquaternion(a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w);
}
inline Pquaternion operator*(float f, const Pquaternion& q) {
  return Pquaternion(q.x * f, q.y * f, q.z * f, q.w * f);
}
inline Pquaternion operator*(const Pquaternion& q, float f) { return f * q; }
// Times 1/f; a zero divisor gives a zero quaternion.
Pquaternion operator/(const Pquaternion& q, float f);
// Hamilton product: the rotation b followed by a (SetRotate(a * b) equals
// SetRotate(b) * SetRotate(a)).
Pquaternion operator*(const Pquaternion& a, const Pquaternion& b);
inline bool operator==(const Pquaternion& a, const Pquaternion& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}
inline bool operator!=(const Pquaternion& a, const Pquaternion& b) { return !(a == b); }

inline float Dot(const Pquaternion& a, const Pquaternion& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}
// q / length; a zero quaternion stays zero.
Pquaternion Normalize(const Pquaternion& q);
// b, or -b when it lies on the far side of a.
inline Pquaternion Flip(const Pquaternion& a, const Pquaternion& b) { return Dot(a, b) >= 0.0f ? b : -b; }

}  // namespace Frx
