// SphereBindJob: the spherical deformer's vertex records from an anchor
// analysis. A vertex held by one anchor follows its bone rigidly; one held by
// overlapping anchors is shared between their bones, about their joint when
// the overlap has one (mode 1).
#pragma once

#include <span>
#include <vector>

#include "plugins/Osmira/AnchorAnalysis.h"

namespace Osmira {

struct SphereEntry {
  int bone = -1;  // index into the bone list of the binding
  float weight = 0.0f;
  Frx::Pvector offset{0.0f, 0.0f, 0.0f};  // a point of the standard pose
};

struct SphereRecord {
  std::vector<SphereEntry> entries;
  int single = -1;  // the one bone of a vertex held by one anchor
  int vertex = 0;
  int mode = 0;  // 1: the vertex turns about a joint
};

struct SphereBindJob {
  // Inputs: the analysis and the anchors it was made from (their bones).
  const AnchorAnalysis* analysis = nullptr;
  std::span<const AnchorInput> anchors;

  // Output, in group order, then vertex order.
  std::vector<SphereRecord>* records = nullptr;

  // False without the analysis or the output, or when a group names an
  // anchor that is not among the inputs.
  bool Validate() const;
  bool Run() const;
};

}  // namespace Osmira
