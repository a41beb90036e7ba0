#include "vocore/geometry/VoTriangleTest.h"

#include <cmath>

#include "platform/d3d8/d3dx8math.h"

namespace VoTriangle {

namespace {

using Frx::Pvector;

bool Finite(const Pvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool SameSign(float d0, float d1, float d2) {
  return (d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0);
}

// x component of (u × v).
float CrossX(const Pvector& u, const Pvector& v) { return u.y * v.z - u.z * v.y; }

}  // namespace

bool Degenerate(const Pvector& p0, const Pvector& p1, const Pvector& p2) {
  const Pvector e1 = p1 - p0, e2 = p2 - p0;
  const Pvector n = e1.GetCrossProduct(e2);
  return n.GetDotProduct(n) <= 1e-12f * e1.GetDotProduct(e1) * e2.GetDotProduct(e2);
}

bool SegmentHit(const Pvector& p0, const Pvector& p1, const Pvector& p2, const Pvector& a, const Pvector& b,
                Pvector& hit) {
  return SegmentTarget(p0, p1, p2).Hit(a, b, hit);
}

SegmentTarget::SegmentTarget(const Pvector& q0, const Pvector& q1, const Pvector& q2) : p0(q0), p1(q1), p2(q2) {
  if (Degenerate(p0, p1, p2)) return;
  D3DXPLANE plane;
  D3DXPlaneFromPoints(&plane, p0, p1, p2);
  if (plane.a == 0.0f && plane.b == 0.0f && plane.c == 0.0f) return;  // degenerate
  a = plane.a, b = plane.b, c = plane.c, d = plane.d;
  usable = true;
}

bool SegmentTarget::Hit(const Pvector& from, const Pvector& to, Pvector& hit) const {
  if (!usable) return false;
  const D3DXPLANE plane(a, b, c, d);
  D3DXVECTOR3 crossing;
  if (!D3DXPlaneIntersectLine(&crossing, &plane, from, to)) return false;  // parallel
  const Pvector p(crossing);
  if (!Finite(p)) return false;
  if ((p - from).GetDotProduct(p - to) >= 0.0f) return false;  // not strictly between the ends
  const Pvector dir = to - from;
  const float d0 = dir.GetDotProduct((p - p1).GetCrossProduct(p1 - p0));
  const float d1 = dir.GetDotProduct((p - p2).GetCrossProduct(p2 - p1));
  const float d2 = dir.GetDotProduct((p - p0).GetCrossProduct(p0 - p2));
  if (!SameSign(d0, d1, d2)) return false;
  hit = p;
  return true;
}

XRay::XRay(const Pvector& q0, const Pvector& q1, const Pvector& q2) : p0(q0), p1(q1), p2(q2) {
  if (Degenerate(p0, p1, p2)) return;
  D3DXPLANE plane;
  D3DXPlaneFromPoints(&plane, p0, p1, p2);
  D3DXPlaneNormalize(&plane, &plane);
  // One NaN in a sorted list of crossings would break the ordering a parity
  // count relies on.
  if (plane.a == 0.0f || !std::isfinite(plane.a)) return;
  a = plane.a, b = plane.b, c = plane.c, d = plane.d;
  crossable = true;
}

bool XRay::Crossing(const Pvector& point, float& x) const {
  if (!crossable) return false;
  x = (-b * point.y - c * point.z - d) / a;
  if (!std::isfinite(x)) return false;
  const Pvector q(x, point.y, point.z);
  if (q == p0 || q == p1 || q == p2) return true;
  return SameSign(CrossX(q - p1, p1 - p0), CrossX(q - p2, p2 - p1), CrossX(q - p0, p0 - p2));
}

}  // namespace VoTriangle
