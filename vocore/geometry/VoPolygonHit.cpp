// Segment and point tests against the faces of a polygon mesh.
#include <algorithm>
#include <cmath>
#include <vector>

#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoTriangleTest.h"

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

}  // namespace

int VoIPolygon::GetPointIntersection(Frx::Pvector& hit, const Frx::Pvector& a, const Frx::Pvector& b) {
  VoVertex* positions = GetVertex();
  VoFace* table = GetFace();
  if (!positions || !table) return 0;
  Pvector c[VoFaceElement::MaxCorners];
  for (int f = 0; f < table->count; ++f) {
    const int n = FaceCorners(table->array[f], *positions, c);
    if (n == 0) continue;
    if (VoTriangle::SegmentHit(c[0], c[1], c[2], a, b, hit)) return 1;
    if (n == 4 && VoTriangle::SegmentHit(c[0], c[2], c[3], a, b, hit)) return 1;
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
    if (VoTriangle::XRay(c[0], c[1], c[2]).Crossing(point, x)) xs.push_back(x);
    if (n == 4 && VoTriangle::XRay(c[2], c[3], c[0]).Crossing(point, x)) xs.push_back(x);
  }
  std::sort(xs.begin(), xs.end());
  // Distinct crossings before the point's own x; a crossing on a shared edge
  // appears once per triangle and counts once.
  int passed = 0;
  for (size_t i = 0; i < xs.size() && xs[i] != point.x; ++i)
    if (i == 0 || xs[i] != xs[i - 1]) ++passed;
  return passed % 2;
}
