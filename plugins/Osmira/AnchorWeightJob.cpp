#include "plugins/Osmira/AnchorWeightJob.h"

#include <algorithm>

namespace Osmira {

bool AnchorWeightJob::Validate() const {
  if (!analysis || !perAnchor || !unheld || !rigid || vertexCount < 0) return false;
  for (const AnchorAnalysis::Anchor& a : analysis->anchors)
    if (a.holds.size() != size_t(vertexCount) || a.distance.size() != size_t(vertexCount)) return false;
  return true;
}

bool AnchorWeightJob::Run() const {
  if (!Validate()) return false;
  const std::vector<AnchorAnalysis::Anchor>& anchors = analysis->anchors;
  perAnchor->assign(anchors.size(), {});
  unheld->clear();
  rigid->assign(size_t(vertexCount), 0);
  // Groups list every live vertex once, with the anchors that hold it.
  for (const AnchorAnalysis::Group& g : analysis->groups) {
    const size_t n = g.anchors.size();
    for (int v : g.vertices) {
      if (n == 0) {
        unheld->push_back(v);
        continue;
      }
      (*rigid)[size_t(v)] = n == 1;
      // In double: distances of anchors without boundary points are the
      // largest float, and their sum must not overflow.
      double sum = 0.0;
      for (int a : g.anchors) sum += anchors[size_t(a)].distance[size_t(v)];
      for (int a : g.anchors) {
        // On every boundary at once (all depths 0): equal shares.
        const double share = sum > 0.0 ? anchors[size_t(a)].distance[size_t(v)] / sum : 1.0 / double(n);
        (*perAnchor)[size_t(a)].push_back({v, float(share)});
      }
    }
  }
  // Groups come in order of their first vertex; pairs go in vertex order.
  for (std::vector<WeightPair>& pairs : *perAnchor)
    std::sort(pairs.begin(), pairs.end(), [](const WeightPair& x, const WeightPair& y) { return x.vertex < y.vertex; });
  std::sort(unheld->begin(), unheld->end());
  return true;
}

}  // namespace Osmira
