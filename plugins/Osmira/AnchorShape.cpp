#include "plugins/Osmira/AnchorShape.h"

#include <algorithm>
#include <cmath>

#include "plugins/Osmira/WeightRecord.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoVertex.h"

namespace Osmira {

namespace {

using Frx::Pvector;

bool Finite(const Pvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Corners of a face that can be tested, as the polygon's own tests take them:
// 3 or 4 corners, all indexing live positions; else 0.
int FaceCorners(const VoFaceElement& e, const VoVertex& positions, Pvector* out) {
  const int n = e.GetValidCount(positions.GetNum());
  if (n < 3) return 0;
  for (int k = 0; k < n; ++k) {
    out[k] = positions.Get(static_cast<int>(e.index[k]));
    if (VoVertex::IsDeleted(out[k])) return 0;
  }
  return n;
}

double SegmentDistance2(const Pvector& p, const Pvector& a, const Pvector& b) {
  const double ab[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
  const double ap[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
  const double l2 = ab[0] * ab[0] + ab[1] * ab[1] + ab[2] * ab[2];
  double t = l2 > 0.0 ? (ap[0] * ab[0] + ap[1] * ab[1] + ap[2] * ab[2]) / l2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double d[3] = {ap[0] - t * ab[0], ap[1] - t * ab[1], ap[2] - t * ab[2]};
  return d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
}

template <class Corners>
void Cover(float lo[3], float hi[3], const Corners& corners, float margin) {
  for (int axis = 0; axis < 3; ++axis) {
    lo[axis] = hi[axis] = corners[0][axis];
    for (const Pvector& c : corners) lo[axis] = std::min(lo[axis], c[axis]), hi[axis] = std::max(hi[axis], c[axis]);
    lo[axis] -= margin, hi[axis] += margin;
  }
}

}  // namespace

float PointTriangleDistance(const Pvector& p, const Pvector& a, const Pvector& b, const Pvector& c) {
  const double e1[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
  const double e2[3] = {double(c.x) - a.x, double(c.y) - a.y, double(c.z) - a.z};
  const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
  const double nn = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
  if (nn > 0.0) {
    const double ap[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
    const double h = (ap[0] * n[0] + ap[1] * n[1] + ap[2] * n[2]) / nn;
    const double f[3] = {p.x - n[0] * h, p.y - n[1] * h, p.z - n[2] * h};
    // The foot lies on the triangle when it is on the inner side of each edge.
    auto inner = [&n, &f](const Pvector& from, const Pvector& to) {
      const double e[3] = {double(to.x) - from.x, double(to.y) - from.y, double(to.z) - from.z};
      const double g[3] = {f[0] - from.x, f[1] - from.y, f[2] - from.z};
      const double x[3] = {e[1] * g[2] - e[2] * g[1], e[2] * g[0] - e[0] * g[2], e[0] * g[1] - e[1] * g[0]};
      return x[0] * n[0] + x[1] * n[1] + x[2] * n[2] >= 0.0;
    };
    if (inner(a, b) && inner(b, c) && inner(c, a)) return float(std::fabs(h) * std::sqrt(nn));
  }
  const double d2 = std::min({SegmentDistance2(p, a, b), SegmentDistance2(p, b, c), SegmentDistance2(p, c, a)});
  return float(std::sqrt(d2));
}

AnchorShape::AnchorShape(const VoVertex* positions, const VoFace* faces, bool accelerate) : accelerate_(accelerate) {
  if (!positions || !faces) return;
  float extent = 0.0f;
  for (int f = 0; f < faces->count; ++f) {
    Pvector c[VoFaceElement::MaxCorners];
    const int n = FaceCorners(faces->array[f], *positions, c);
    for (int k = 0; k < n; ++k)
      for (int axis = 0; axis < 3; ++axis) extent = std::max(extent, std::fabs(c[k][axis]));
  }
  // Far above the rounding of any test near the mesh, far below its size.
  margin_ = 1e-4f * (extent + 1.0f);
  bool first = true;
  for (int f = 0; f < faces->count; ++f) {
    Pvector c[VoFaceElement::MaxCorners];
    const int n = FaceCorners(faces->array[f], *positions, c);
    if (n == 0) continue;
    auto addTriangle = [this](const Pvector& p0, const Pvector& p1, const Pvector& p2) {
      Triangle t{{p0, p1, p2}, {}, VoTriangle::SegmentTarget(p0, p1, p2)};
      Cover(t.box.lo, t.box.hi, t.p, margin_);
      triangles_.push_back(t);
    };
    auto addRay = [this](const Pvector& p0, const Pvector& p1, const Pvector& p2) {
      Ray r{VoTriangle::XRay(p0, p1, p2), {}};
      const Pvector corners[3] = {p0, p1, p2};
      Cover(r.box.lo, r.box.hi, corners, margin_);
      if (r.xray.crossable) rays_.push_back(r);
    };
    addTriangle(c[0], c[1], c[2]);
    addRay(c[0], c[1], c[2]);
    if (n == 4) {
      addTriangle(c[0], c[2], c[3]);
      addRay(c[2], c[3], c[0]);
    }
    for (int k = 0; k < n; ++k)
      for (int axis = 0; axis < 3; ++axis) {
        if (first || c[k][axis] < box_.lo[axis]) box_.lo[axis] = c[k][axis];
        if (first || c[k][axis] > box_.hi[axis]) box_.hi[axis] = c[k][axis];
        if (axis == 2) first = false;
      }
  }
  for (int axis = 0; axis < 3; ++axis) box_.lo[axis] -= margin_, box_.hi[axis] += margin_;
  if (accelerate_) BuildGrid();
}

void AnchorShape::BuildGrid() {
  if (rays_.empty()) return;
  cells_ = std::clamp(int(std::sqrt(double(rays_.size()))), 1, 64);
  cellY_ = (box_.hi[1] - box_.lo[1]) / float(cells_);
  cellZ_ = (box_.hi[2] - box_.lo[2]) / float(cells_);
  if (!(cellY_ > 0.0f) || !(cellZ_ > 0.0f)) {
    cells_ = 1;
    cellY_ = cellZ_ = 1.0f;
  }
  grid_.assign(size_t(cells_) * cells_, {});
  for (int r = 0; r < int(rays_.size()); ++r) {
    const Box& b = rays_[size_t(r)].box;
    const int y0 = std::clamp(int((b.lo[1] - box_.lo[1]) / cellY_), 0, cells_ - 1);
    const int y1 = std::clamp(int((b.hi[1] - box_.lo[1]) / cellY_), 0, cells_ - 1);
    const int z0 = std::clamp(int((b.lo[2] - box_.lo[2]) / cellZ_), 0, cells_ - 1);
    const int z1 = std::clamp(int((b.hi[2] - box_.lo[2]) / cellZ_), 0, cells_ - 1);
    for (int y = y0; y <= y1; ++y)
      for (int z = z0; z <= z1; ++z) grid_[size_t(y) * cells_ + z].push_back(r);
  }
}

int AnchorShape::CellOf(float y, float z) const {
  const int cy = std::clamp(int((y - box_.lo[1]) / cellY_), 0, cells_ - 1);
  const int cz = std::clamp(int((z - box_.lo[2]) / cellZ_), 0, cells_ - 1);
  return cy * cells_ + cz;
}

bool AnchorShape::Inside(const Pvector& point) const {
  if (!Finite(point) || rays_.empty()) return false;
  std::vector<float> xs;
  float x = 0.0f;
  if (accelerate_) {
    // A line that passes beside every face in y or z crosses none of them,
    // and a point before every face has no crossing below it.
    if (point.y < box_.lo[1] || point.y > box_.hi[1] || point.z < box_.lo[2] || point.z > box_.hi[2] ||
        point.x < box_.lo[0])
      return false;
    for (int r : grid_[size_t(CellOf(point.y, point.z))]) {
      const Ray& ray = rays_[size_t(r)];
      if (point.y < ray.box.lo[1] || point.y > ray.box.hi[1] || point.z < ray.box.lo[2] || point.z > ray.box.hi[2])
        continue;
      if (ray.xray.Crossing(point, x)) xs.push_back(x);
    }
  } else {
    for (const Ray& ray : rays_)
      if (ray.xray.Crossing(point, x)) xs.push_back(x);
  }
  std::sort(xs.begin(), xs.end());
  // Distinct crossings below the point's own x; a crossing on a shared edge
  // is found once per triangle and counts once.
  int passed = 0;
  for (size_t i = 0; i < xs.size() && xs[i] < point.x; ++i)
    if (i == 0 || xs[i] != xs[i - 1]) ++passed;
  return passed % 2 == 1;
}

float AnchorShape::LowerBound(const Pvector& point) const {
  if (triangles_.empty()) return kFar;
  double d2 = 0.0;
  for (int axis = 0; axis < 3; ++axis) {
    const double v = point[axis];
    const double gap = v < box_.lo[axis] ? box_.lo[axis] - v : v > box_.hi[axis] ? v - box_.hi[axis] : 0.0;
    d2 += gap * gap;
  }
  return float(std::sqrt(d2));
}

float AnchorShape::Distance(const Pvector& point) const {
  float best = kFar;
  for (const Triangle& t : triangles_) {
    if (accelerate_) {
      // The box is nearer than any point of the triangle.
      double d2 = 0.0;
      for (int axis = 0; axis < 3; ++axis) {
        const double v = point[axis];
        const double gap = v < t.box.lo[axis] ? t.box.lo[axis] - v : v > t.box.hi[axis] ? v - t.box.hi[axis] : 0.0;
        d2 += gap * gap;
      }
      if (std::sqrt(d2) > double(best)) continue;
    }
    best = std::min(best, PointTriangleDistance(point, t.p[0], t.p[1], t.p[2]));
  }
  return best;
}

bool AnchorShape::FirstHit(const Pvector& a, const Pvector& b, Pvector& hit) const {
  float lo[3], hi[3];
  if (accelerate_) {
    const Pvector ends[2] = {a, b};
    float extent = 0.0f;
    for (const Pvector& e : ends)
      for (int axis = 0; axis < 3; ++axis) extent = std::max(extent, std::fabs(e[axis]));
    Cover(lo, hi, ends, 1e-4f * (extent + 1.0f));
  }
  for (const Triangle& t : triangles_) {
    if (accelerate_) {
      bool apart = false;
      for (int axis = 0; axis < 3 && !apart; ++axis) apart = hi[axis] < t.box.lo[axis] || lo[axis] > t.box.hi[axis];
      if (apart) continue;
    }
    if (t.segment.Hit(a, b, hit)) return true;
  }
  return false;
}

}  // namespace Osmira
