// AnchorShape: a closed anchor mesh prepared for the three questions the
// anchor analysis asks of it many times: is a point inside, how far is a
// point, where does a segment first cross it. The answers are those of
// VoIPolygon::IsInnerVertex and GetPointIntersection and of the least
// point-to-triangle distance over the faces, with or without acceleration
// (a grid over y and z, bounding boxes); the unaccelerated form is the
// reference the accelerated one is tested against.
//
// The shape copies what it needs; the arrays may change after it is made.
#pragma once

#include <vector>

#include "ferrox/math/Pvector.h"
#include "vocore/geometry/VoTriangleTest.h"

class VoFace;
class VoVertex;

namespace Osmira {

class AnchorShape {
 public:
  AnchorShape(const VoVertex* positions, const VoFace* faces, bool accelerate = true);

  // Parity of the crossings of the x-parallel line before the point.
  bool Inside(const Frx::Pvector& point) const;
  // Least distance from the point to a face; kFar without faces.
  float Distance(const Frx::Pvector& point) const;
  // The first face, in face order, that the segment crosses strictly between
  // its ends.
  bool FirstHit(const Frx::Pvector& a, const Frx::Pvector& b, Frx::Pvector& hit) const;

  bool Empty() const { return triangles_.empty(); }
  // A distance no point of the mesh is nearer than (0 inside its box).
  float LowerBound(const Frx::Pvector& point) const;

 private:
  struct Box {
    float lo[3], hi[3];
  };
  struct Triangle {
    Frx::Pvector p[3];
    Box box;  // widened by the margin
    VoTriangle::SegmentTarget segment;
  };
  struct Ray {
    VoTriangle::XRay xray;
    Box box;
  };

  int CellOf(float y, float z) const;
  void BuildGrid();

  std::vector<Triangle> triangles_;  // (0, 1, 2) and for quads (0, 2, 3), face order
  std::vector<Ray> rays_;            // (0, 1, 2) and for quads (2, 3, 0)
  Box box_{};                        // of every corner, widened
  float margin_ = 0.0f;
  bool accelerate_;
  // The grid over y and z: per cell the rays whose box touches it.
  int cells_ = 0;
  float cellY_ = 1.0f, cellZ_ = 1.0f;
  std::vector<std::vector<int>> grid_;
};

// Least distance from p to the triangle: to its plane when the foot lies on
// it, else to its nearest edge or corner.
float PointTriangleDistance(const Frx::Pvector& p, const Frx::Pvector& a, const Frx::Pvector& b,
                            const Frx::Pvector& c);

}  // namespace Osmira
