// DistanceWeightJob: binds vertices to the bones whose reach they lie in,
// weighted by 1/d² − 1/R² and normalised per vertex.
//
//   DistanceWeightJob job;
//   job.positions = rest;  job.bones = segments;  job.reaches = reaches;
//   job.weights = &perBone;  job.unbound = &unbound;
//   if (!job.Run()) ...
#pragma once

#include <span>
#include <vector>

#include "plugins/Osmira/WeightRecord.h"

namespace Osmira {

// Distance from p to the segment a-b; kFar for a segment of length 0, or
// one with an end missing (kFar) or not finite.
float PointSegmentDistance(const Frx::Pvector& p, const Frx::Pvector& a, const Frx::Pvector& b);

struct DistanceWeightJob {
  // Inputs.
  std::span<const Frx::Pvector> positions;
  std::span<const Segment> bones;
  std::span<const float> reaches;  // one per bone; a bone reaches d < R

  // Outputs: per bone (index into bones) its pairs in vertex order; and the
  // vertices no bone reaches, which follow nothing. Deleted vertices are in
  // neither.
  std::vector<std::vector<WeightPair>>* weights = nullptr;
  std::vector<int>* unbound = nullptr;

  // False when an output is missing or the reaches do not match the bones.
  bool Validate() const;
  bool Run() const;
};

}  // namespace Osmira
