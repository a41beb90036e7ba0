// Ray and segment tests against one triangle, shared by the polygon's own
// tests (VoIPolygon::GetPointIntersection, IsInnerVertex) and by plug-ins
// that run the same tests over many points and must get the same answers.
#pragma once

#include "ferrox/math/Pvector.h"

namespace VoTriangle {

// Zero-area triangles (coincident or collinear corners) have no plane; float
// noise in their cross product would give one pointing anywhere.
bool Degenerate(const Frx::Pvector& p0, const Frx::Pvector& p1, const Frx::Pvector& p2);

// The hit of the segment a-b with the triangle: its plane crossing strictly
// between a and b, inside or on the triangle.
bool SegmentHit(const Frx::Pvector& p0, const Frx::Pvector& p1, const Frx::Pvector& p2, const Frx::Pvector& a,
                const Frx::Pvector& b, Frx::Pvector& hit);

// A triangle prepared for many segment tests, each with the result of
// SegmentHit.
struct SegmentTarget {
  Frx::Pvector p0, p1, p2;
  float a = 0, b = 0, c = 0, d = 0;  // the plane
  bool usable = false;

  SegmentTarget() = default;
  SegmentTarget(const Frx::Pvector& q0, const Frx::Pvector& q1, const Frx::Pvector& q2);
  bool Hit(const Frx::Pvector& from, const Frx::Pvector& to, Frx::Pvector& hit) const;
};

// A triangle prepared for crossings of lines parallel to the x axis: its
// normalised plane, kept so that many points are tested against one set-up
// with the results of testing each point afresh.
struct XRay {
  Frx::Pvector p0, p1, p2;
  float a = 0, b = 0, c = 0, d = 0;
  bool crossable = false;  // false: degenerate, or its plane is parallel to x

  XRay() = default;
  XRay(const Frx::Pvector& q0, const Frx::Pvector& q1, const Frx::Pvector& q2);
  // Where the line through `point` parallel to x crosses the triangle (on
  // a corner or inside it, edges included); false when it does not.
  bool Crossing(const Frx::Pvector& point, float& x) const;
};

}  // namespace VoTriangle
