#include "ferrox/math/Pmatrix.h"

#include <algorithm>
#include <cmath>

#include "ferrox/math/Pquaternion.h"

namespace Frx {

constinit const Pmatrix Pmatrix::id(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);

Pmatrix& Pmatrix::SetIdentity() {
  *this = id;
  return *this;
}

Pmatrix& Pmatrix::SetTranslate(const Pvector& v) {
  *this = id;
  SetTransVector(v);
  return *this;
}

Pmatrix& Pmatrix::SetScale(const Pvector& s) {
  *this = id;
  _11 = s.x;
  _22 = s.y;
  _33 = s.z;
  return *this;
}

Pmatrix& Pmatrix::SetRotate(const Pquaternion& q) {
  *this = id;
  SetQuaternion(q);
  return *this;
}

void Pmatrix::SetQuaternion(const Pquaternion& q) {
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  _11 = 1.0f - 2.0f * (y * y + z * z);
  _12 = 2.0f * (x * y + z * w);
  _13 = 2.0f * (x * z - y * w);
  _21 = 2.0f * (x * y - z * w);
  _22 = 1.0f - 2.0f * (x * x + z * z);
  _23 = 2.0f * (y * z + w * x);
  _31 = 2.0f * (x * z + y * w);
  _32 = 2.0f * (y * z - w * x);
  _33 = 1.0f - 2.0f * (x * x + y * y);
}

Pmatrix& Pmatrix::Scalling(const Pvector& s) {
  for (int c = 0; c < 3; ++c) {
    m[0][c] *= s.x;
    m[1][c] *= s.y;
    m[2][c] *= s.z;
  }
  return *this;
}

Pmatrix& Pmatrix::SetLookAt(const Pvector& eye, const Pvector& at, const Pvector& up) {
  D3DXMatrixLookAtLH(this, &eye, &at, &up);
  return *this;
}

Pmatrix& Pmatrix::SetEulerXYZ(const Pvector& turns) {
  Pquaternion q;
  q.SetEulerXYZ(turns * 360.0f);
  SetQuaternion(q);
  return *this;
}

Pmatrix Pmatrix::GetInverse() const {
  Pmatrix r;
  if (!D3DXMatrixInverse(&r, nullptr, this)) return id;
  return r;
}

Pmatrix Pmatrix::operator*(const Pmatrix& b) const {
  Pmatrix r;
  D3DXMatrixMultiply(&r, this, &b);
  return r;
}

Pvector Pmatrix::operator*(const Pvector& v) const {
  return Pvector(v.x * _11 + v.y * _21 + v.z * _31 + _41, v.x * _12 + v.y * _22 + v.z * _32 + _42,
                 v.x * _13 + v.y * _23 + v.z * _33 + _43);
}

void GetPmatrixRotate(Pmatrix* out, const Pvector* a) {
  D3DXMatrixRotationYawPitchRoll(out, a->y, a->x, a->z);
}

void GetRotateLookAt(Pvector* out, const Pvector* at, const Pvector* up) {
  Pmatrix m;
  m.SetLookAt(Pvector::id, *at, *up);
  // Rounding can push the unit axis component just past 1; sqrt of a
  // negative would turn the angle into NaN.
  const float v = std::clamp(m._23, -1.0f, 1.0f);
  *out = Pvector(std::atan2(v, std::sqrt(1.0f - v * v)), -std::atan2(m._13, m._33),
                 -std::atan2(m._21, m._22));
}

}  // namespace Frx
