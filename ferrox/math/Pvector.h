// Frx::Pvector: three floats laid out as the platform's D3DVECTOR, so a
// Pvector is passed to the D3DX maths as it is.
#pragma once

#include "platform/d3d8/d3dx8math.h"

namespace Frx {

class Pvector : public D3DXVECTOR3 {
 public:
  static const Pvector id;  // (0, 0, 0); constant-initialised, usable at any time

  Pvector() = default;  // components unset
  constexpr Pvector(float fx, float fy, float fz) : D3DXVECTOR3(fx, fy, fz) {}
  Pvector(float fx, float fy) : D3DXVECTOR3(fx, fy, 0.0f) {}
  explicit Pvector(float f) : D3DXVECTOR3(f, f, f) {}
  Pvector(const D3DVECTOR& v) : D3DXVECTOR3(v) {}

  Pvector(const Pvector& v) = default;
  Pvector& operator=(const Pvector& v) = default;
  Pvector& operator=(float f) { x = y = z = f; return *this; }

  Pvector& operator+=(const Pvector& v) { x += v.x; y += v.y; z += v.z; return *this; }
  Pvector& operator-=(const Pvector& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
  Pvector& operator+=(float f) { x += f; y += f; z += f; return *this; }
  Pvector& operator-=(float f) { x -= f; y -= f; z -= f; return *this; }
  Pvector& operator*=(const Pvector& v) { x *= v.x; y *= v.y; z *= v.z; return *this; }
  Pvector& operator*=(float f) { x *= f; y *= f; z *= f; return *this; }
  Pvector& operator/=(float f) { return *this *= 1.0f / f; }

  // The same storage as the platform vector.
  operator D3DXVECTOR3*() { return this; }
  operator const D3DXVECTOR3*() const { return this; }
  float& operator[](int i) { return static_cast<float*>(*this)[i]; }
  float operator[](int i) const { return static_cast<const float*>(*this)[i]; }

  Pvector GetCrossProduct(const Pvector& v) const;
  float GetDotProduct(const Pvector& v) const { return x * v.x + y * v.y + z * v.z; }
  // a · b weighted component-wise by this.
  float GetDotProduct(const Pvector& a, const Pvector& b) const;
  // z of (a - this) × (b - this) in the xy plane: > 0 when this, a, b turn
  // counter-clockwise with y up.
  float GetNormalClip2D(const Pvector& a, const Pvector& b) const;
  float GetSize() const;
  // this × (1/length); a zero vector stays zero.
  Pvector GetUnit() const;
  // this / length, or (0, 0, 0) for a zero vector.
  Pvector GetAbs() const;
  // Unit normal of the triangle (this, a, b), (0, 0, 0) when degenerate.
  Pvector GetNormal(const Pvector& a, const Pvector& b) const;
  // (p1 - p2) × (p0 - p1), not normalised.
  static Pvector GetNormalNotAbs(const Pvector& p0, const Pvector& p1, const Pvector& p2);
  // Cubic Hermite point between p0 and p1 with tangents t0, t1 at s in 0..1.
  Pvector& Hermite(const Pvector& p0, const Pvector& p1, const Pvector& t0, const Pvector& t1, float s);
};

inline Pvector operator-(const Pvector& v) { return Pvector(-v.x, -v.y, -v.z); }
inline Pvector operator+(const Pvector& a, const Pvector& b) { return Pvector(a.x + b.x, a.y + b.y, a.z + b.z); }
inline Pvector operator-(const Pvector& a, const Pvector& b) { return Pvector(a.x - b.x, a.y - b.y, a.z - b.z); }
inline Pvector operator*(const Pvector& v, float f) { return Pvector(v.x * f, v.y * f, v.z * f); }
inline Pvector operator*(float f, const Pvector& v) { return v * f; }
inline Pvector operator/(const Pvector& v, float f) { return v * (1.0f / f); }
inline bool operator==(const Pvector& a, const Pvector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(const Pvector& a, const Pvector& b) { return !(a == b); }

static_assert(sizeof(Pvector) == sizeof(D3DVECTOR));

}  // namespace Frx
