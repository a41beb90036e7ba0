#include "ferrox/math/Pvector.h"

#include <cmath>

namespace Frx {

constinit const Pvector Pvector::id(0.0f, 0.0f, 0.0f);

Pvector Pvector::GetCrossProduct(const Pvector& v) const {
  return Pvector(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

float Pvector::GetDotProduct(const Pvector& a, const Pvector& b) const {
  return x * a.x * b.x + y * a.y * b.y + z * a.z * b.z;
}

float Pvector::GetNormalClip2D(const Pvector& a, const Pvector& b) const {
  return (a.x - x) * (b.y - y) - (a.y - y) * (b.x - x);
}

float Pvector::GetSize() const { return std::sqrt(x * x + y * y + z * z); }

Pvector Pvector::GetUnit() const {
  const float len = GetSize();
  if (len == 0.0f) return id;
  return *this * (1.0f / len);
}

Pvector Pvector::GetAbs() const {
  const float len = GetSize();
  if (len == 0.0f) return id;
  return Pvector(x / len, y / len, z / len);
}

Pvector Pvector::GetNormal(const Pvector& a, const Pvector& b) const {
  const Pvector n = (a - b).GetCrossProduct(*this - a);
  if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) return id;
  const float len = n.GetSize();
  return Pvector(n.x / len, n.y / len, n.z / len);
}

Pvector Pvector::GetNormalNotAbs(const Pvector& p0, const Pvector& p1, const Pvector& p2) {
  return (p1 - p2).GetCrossProduct(p0 - p1);
}

Pvector& Pvector::Hermite(const Pvector& p0, const Pvector& p1, const Pvector& t0, const Pvector& t1,
                          float s) {
  const float s2 = s * s;
  const float s3 = s2 * s;
  const Pvector c2 = p1 * 3.0f - p0 * 3.0f - t0 * 2.0f - t1;
  const Pvector c3 = p0 * 2.0f - p1 * 2.0f + t0 + t1;
  *this = p0 + t0 * s + c2 * s2 + c3 * s3;
  return *this;
}

}  // namespace Frx
