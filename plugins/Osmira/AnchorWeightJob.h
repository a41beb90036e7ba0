// AnchorWeightJob: the bone deformer's weights from an anchor analysis. A
// vertex held by several anchors leans on each by its depth inside it (its
// distance to that anchor's boundary) over the sum of its depths.
#pragma once

#include <vector>

#include "plugins/Osmira/AnchorAnalysis.h"

namespace Osmira {

struct AnchorWeightJob {
  // Inputs.
  const AnchorAnalysis* analysis = nullptr;
  int vertexCount = 0;

  // Outputs: per anchor its pairs in vertex order; the live vertices no
  // anchor holds; per vertex 1 when exactly one anchor holds it (rigid).
  std::vector<std::vector<WeightPair>>* perAnchor = nullptr;
  std::vector<int>* unheld = nullptr;
  std::vector<unsigned char>* rigid = nullptr;

  // False without the analysis or an output, or when the analysis was made
  // for another vertex count.
  bool Validate() const;
  bool Run() const;
};

}  // namespace Osmira
