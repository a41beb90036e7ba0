// BoneDeformJob: the bone deformer's pass of every frame. Each output
// position is the weighted sum of its rest position carried by the matrix of
// every record that holds it; positions no record holds end at the origin,
// as the pass clears them first. Deleted rest positions stay deleted.
#pragma once

#include <span>

#include "ferrox/math/Pmatrix.h"
#include "plugins/Osmira/WeightRecord.h"

namespace Osmira {

struct BoneDeformJob {
  // Inputs.
  std::span<const Frx::Pvector> rest;
  std::span<const WeightRecord> records;
  std::span<const Frx::Pmatrix> matrices;  // one per record

  // Output, as long as rest.
  std::span<Frx::Pvector> positions;

  // False when the sizes disagree, a pair names a vertex out of range or a
  // weight or matrix is not finite (a vertex would get no finite position).
  bool Validate() const;
  bool Run() const;
};

// Whether every element of m is finite.
bool IsFinite(const Frx::Pmatrix& m);

}  // namespace Osmira
