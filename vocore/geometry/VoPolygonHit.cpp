// Segment and point tests against the faces of a polygon mesh.
#include <algorithm>
#include <cmath>
#include <vector>

#include "vocore/geometry/VoIPolygon.h"

namespace {

using Frx::Pvector;

bool Finite(const Pvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Corner positions of a face that can be tested: 3 or 4 live corners; else 0.
int FaceCorners(const VoFaceElement& e, const VoVertex& positions, Pvector* out) {
  const int n = e.GetValidCount(positions.GetNum());
  if (n < 3) return 0;
  for (int k = 0; k < n; ++k) {
    out[k] = positions.Get(static_cast<int>(e.index[k]));
    if (VoVertex::IsDeleted(out[k])) return 0;
  }
  return n;
}

// Zero-area triangles (coincident or collinear corners) have no plane; float
// noise in their cross product would give one pointing anywhere.
bool Degenerate(const Pvector& p0, const Pvector& p1, const Pvector& p2) {
  const Pvector e1 = p1 - p0, e2 = p2 - p0;
  const Pvector n = e1.GetCrossProduct(e2);
  return n.GetDotProduct(n) <= 1e-12f * e1.GetDotProduct(e1) * e2.GetDotProduct(e2);
}

bool SameSign(float d0, float d1, float d2) {
  return (d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0);
}

bool SegmentHitsTriangle(const Pvector& p0, const Pvector& p1, const Pvector& p2, const Pvector& a,
                         const Pvector& b, Pvector& hit) {
  if (Degenerate(p0, p1, p2)) return false;
  D3DXPLANE plane;
  D3DXPlaneFromPoints(&plane, p0, p1, p2);
  if (plane.a == 0.0f && plane.b == 0.0f && plane.c == 0.0f) return false;  // degenerate
  D3DXVECTOR3 crossing;
  if (!D3DXPlaneIntersectLine(&crossing, &plane, a, b)) return false;  // parallel
  const Pvector p(crossing);
  if (!Finite(p)) return false;
  if ((p - a).GetDotProduct(p - b) >= 0.0f) return false;  // not strictly between a and b
  const Pvector d = b - a;
  const float d0 = d.GetDotProduct((p - p1).GetCrossProduct(p1 - p0));
  const float d1 = d.GetDotProduct((p - p2).GetCrossProduct(p2 - p1));
  const float d2 = d.GetDotProduct((p - p0).GetCrossProduct(p0 - p2));
  if (!SameSign(d0, d1, d2)) return false;
  hit = p;
  return true;
}

// x component of (u × v).
float CrossX(const Pvector& u, const Pvector& v) { return u.y * v.z - u.z * v.y; }

// Where the line through `point` parallel to x crosses the triangle, if it does.
bool XRayCrossing(const Pvector& p0, const Pvector& p1, const Pvector& p2, const Pvector& point,
                  float& x) {
  if (Degenerate(p0, p1, p2)) return false;
  D3DXPLANE plane;
  D3DXPlaneFromPoints(&plane, p0, p1, p2);
  D3DXPlaneNormalize(&plane, &plane);
  // One NaN in the sorted list would break the ordering the count relies on.
  if (plane.a == 0.0f || !std::isfinite(plane.a)) return false;
  x = (-plane.b * point.y - plane.c * point.z - plane.d) / plane.a;
  if (!std::isfinite(x)) return false;
  const Pvector q(x, point.y, point.z);
  if (q == p0 || q == p1 || q == p2) return true;
  return SameSign(CrossX(q - p1, p1 - p0), CrossX(q - p2, p2 - p1), CrossX(q - p0, p0 - p2));
}

}  // namespace

int VoIPolygon::GetPointIntersection(Frx::Pvector& hit, const Frx::Pvector& a, const Frx::Pvector& b) {
  VoVertex* positions = GetVertex();
  VoFace* table = GetFace();
  if (!positions || !table) return 0;
  Pvector c[VoFaceElement::MaxCorners];
  for (int f = 0; f < table->count; ++f) {
    const int n = FaceCorners(table->array[f], *positions, c);
    if (n == 0) continue;
    if (SegmentHitsTriangle(c[0], c[1], c[2], a, b, hit)) return 1;
    if (n == 4 && SegmentHitsTriangle(c[0], c[2], c[3], a, b, hit)) return 1;
  }
  return 0;
}

int VoIPolygon::IsInnerVertex(const Frx::Pvector& point) {
  if (!Finite(point)) return 0;
  VoVertex* positions = GetVertex();
  VoFace* table = GetFace();
  if (!positions || !table) return 0;
  std::vector<float> xs{point.x};
  Pvector c[VoFaceElement::MaxCorners];
  float x = 0.0f;
  for (int f = 0; f < table->count; ++f) {
    const int n = FaceCorners(table->array[f], *positions, c);
    if (n == 0) continue;
    if (XRayCrossing(c[0], c[1], c[2], point, x)) xs.push_back(x);
    if (n == 4 && XRayCrossing(c[2], c[3], c[0], point, x)) xs.push_back(x);
  }
  std::sort(xs.begin(), xs.end());
  // Distinct crossings before the point's own x; a crossing on a shared edge
  // appears once per triangle and counts once.
  int passed = 0;
  for (size_t i = 0; i < xs.size() && xs[i] != point.x; ++i)
    if (i == 0 || xs[i] != xs[i - 1]) ++passed;
  return passed % 2;
}
