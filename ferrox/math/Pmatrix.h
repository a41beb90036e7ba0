// Frx::Pmatrix: a 4x4 matrix in the platform's D3DMATRIX layout. Points are
// row vectors (p' = p × M); the translation is in elements 12, 13, 14.
#pragma once

#include "ferrox/math/Pvector.h"
#include "platform/d3d8/d3dx8math.h"

namespace Frx {

class Pquaternion;

class Pmatrix : public D3DXMATRIX {
 public:
  static const Pmatrix id;  // the identity; constant-initialised, usable at any time

  Pmatrix() = default;  // elements unset
  constexpr Pmatrix(float e0, float e1, float e2, float e3, float e4, float e5, float e6, float e7,
          float e8, float e9, float e10, float e11, float e12, float e13, float e14, float e15)
      : D3DXMATRIX(e0, e1, e2, e3, e4, e5, e6, e7, e8, e9, e10, e11, e12, e13, e14, e15) {}
  Pmatrix(const D3DMATRIX& m) : D3DXMATRIX(m) {}

  Pmatrix(const Pmatrix& m) = default;
  Pmatrix& operator=(const Pmatrix& m) = default;

  Pmatrix& SetIdentity();
  Pmatrix& SetTranslate(const Pvector& v);
  Pmatrix& SetScale(const Pvector& s);
  // Identity, then the rotation of q.
  Pmatrix& SetRotate(const Pquaternion& q);
  // Writes only the upper 3x3 from a unit quaternion.
  void SetQuaternion(const Pquaternion& q);
  void SetTransVector(const Pvector& v) { _41 = v.x; _42 = v.y; _43 = v.z; }
  void AddTransVector(const Pvector& v) { _41 += v.x; _42 += v.y; _43 += v.z; }
  Pvector GetTransVector() const { return Pvector(_41, _42, _43); }
  // Scales the three axis rows in place.
  Pmatrix& Scalling(const Pvector& s);
  // The left-handed look-at view matrix (z from eye towards at).
  Pmatrix& SetLookAt(const Pvector& eye, const Pvector& at, const Pvector& up);
  // Angles in whole turns (1.0 = 360 degrees); writes only the upper 3x3.
  Pmatrix& SetEulerXYZ(const Pvector& turns);
  // General 4x4 inverse; the identity for a singular matrix.
  Pmatrix GetInverse() const;

  // this × m: apply this first, then m.
  Pmatrix operator*(const Pmatrix& m) const;
  // v × this with w = 1, translation included, no divide by w.
  Pvector operator*(const Pvector& v) const;
};

static_assert(sizeof(Pmatrix) == sizeof(D3DMATRIX));

// The platform's yaw-pitch-roll matrix: yaw a->y, pitch a->x, roll a->z (radians).
void GetPmatrixRotate(Pmatrix* out, const Pvector* a);
// Angles (radians) of the left-handed look-at from the origin towards *at:
// (asin of (2,3), -atan2((1,3), (3,3)), -atan2((2,1), (2,2))).
void GetRotateLookAt(Pvector* out, const Pvector* at, const Pvector* up);

}  // namespace Frx
