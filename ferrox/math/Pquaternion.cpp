#include "ferrox/math/Pquaternion.h"

#include <cmath>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Ptrig.h"

namespace Frx {

constinit const Pquaternion Pquaternion::id(0.0f, 0.0f, 0.0f, 1.0f);

Pquaternion operator/(const Pquaternion& q, float f) {
  if (f == 0.0f) return Pquaternion(0.0f, 0.0f, 0.0f, 0.0f);
  return q * (1.0f / f);
}

Pquaternion operator*(const Pquaternion& a, const Pquaternion& b) {
  return Pquaternion(a.w * b.x + b.w * a.x + (a.y * b.z - a.z * b.y),
                     a.w * b.y + b.w * a.y + (a.z * b.x - a.x * b.z),
                     a.w * b.z + b.w * a.z + (a.x * b.y - a.y * b.x),
                     a.w * b.w - (a.x * b.x + a.y * b.y + a.z * b.z));
}

Pquaternion Normalize(const Pquaternion& q) { return q / std::sqrt(Dot(q, q)); }

Pquaternion& Pquaternion::Unit() {
  const float len = std::sqrt(Dot(*this, *this));
  if (len == 0.0f) return *this;
  x /= len;
  y /= len;
  z /= len;
  w /= len;
  return *this;
}

Pquaternion& Pquaternion::SetVector(const Pvector& axis, float angle) {
  const float h = angle / 2.0f;
  const float s = Psin(h);
  Set(axis.x * s, axis.y * s, axis.z * s, Pcos(h));
  return *this;
}

Pquaternion& Pquaternion::SetVector(const Pvector& a, const Pvector& b) {
  Set(a.GetCrossProduct(b), a.GetDotProduct(b));
  return *this;
}

Pquaternion& Pquaternion::SetMatrix(const Pmatrix& m) {
  D3DXQuaternionRotationMatrix(this, &m);
  return Unit();
}

Pquaternion& Pquaternion::SetLookAt(const Pvector& dir, const Pvector& up) {
  Pmatrix m;
  m.SetLookAt(Pvector::id, dir, up);
  return SetMatrix(m);
}

Pquaternion Pquaternion::GetInverse() const {
  Pquaternion r;
  D3DXQuaternionInverse(&r, this);
  return r;
}

Pquaternion& Pquaternion::Product(const Pquaternion& q) {
  *this = *this * q;
  return *this;
}

Pquaternion& Pquaternion::Product(float fx, float fy, float fz) {
  return Product(Pquaternion(fx, fy, fz, 0.0f));
}

Pquaternion& Pquaternion::Slerp(const Pquaternion& a, const Pquaternion& b, float t) {
  Pquaternion from = a;
  float c = Dot(a, b);
  if (c < 0.0f) {
    from = -from;
    c = -c;
  }
  float s0, s1;
  if (1.0f - c < 0.01f) {
    s0 = 1.0f - t;
    s1 = t;
  } else {
    const float omega = std::acos(c);
    const float so = Psin(omega);
    s0 = Psin((1.0f - t) * omega) / so;
    s1 = Psin(t * omega) / so;
  }
  *this = s0 * from + s1 * b;
  return *this;
}

}  // namespace Frx
