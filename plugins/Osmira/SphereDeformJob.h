// SphereDeformJob: the spherical deformer's pass of every frame. A vertex of
// one bone is carried by that bone; one blended about a joint (two entries,
// mode 1) turns by the rotations of both bones interpolated on the sphere;
// any other is the weighted sum of its bones' carriages, scaled by
// 2 / entries. A bone that is gone carries by the null root's matrix, so a
// vertex whose only bone was released keeps its rest position. Vertices
// without a record are left as they are.
#pragma once

#include <span>

#include "ferrox/math/Pmatrix.h"
#include "plugins/Osmira/SphereBindJob.h"

namespace Osmira {

struct SphereDeformJob {
  // Inputs.
  std::span<const Frx::Pvector> rest;
  std::span<const SphereRecord> records;
  std::span<const Frx::Pmatrix> matrices;  // per bone: standard then world matrix
  std::span<const unsigned char> live;     // per bone
  Frx::Pmatrix nullMatrix = Frx::Pmatrix::id;

  // Output, as long as rest.
  std::span<Frx::Pvector> positions;

  // False when the sizes disagree or a record names a vertex or bone out of
  // range, or holds a weight or offset that is not finite.
  bool Validate() const;
  bool Run() const;
};

}  // namespace Osmira
