// What the bone deformer binds: per bone, the vertices it moves and how much.
#pragma once

#include <vector>

#include "ferrox/math/Pvector.h"
#include "vocore/item/VoRefer.h"
#include "vocore/skeleton/VoIBone.h"


namespace Osmira {

struct WeightPair {
  int vertex = 0;
  float weight = 0.0f;
};

// A bone's share of the vertices, in vertex order. A record without a bone
// (or whose bone was released) holds its vertices at their rest positions.
struct WeightRecord {
  VoRefer<VoIBone> bone;
  std::vector<WeightPair> pairs;
};

// A bone as a segment between two points.
struct Segment {
  Frx::Pvector start{0.0f, 0.0f, 0.0f};
  Frx::Pvector end{0.0f, 0.0f, 0.0f};
};

// The largest float: a distance that reaches nothing.
constexpr float kFar = 3.4028235e38f;

}  // namespace Osmira
