#include "plugins/Osmira/SphereBindJob.h"

namespace Osmira {

bool SphereBindJob::Validate() const {
  if (!analysis || !records) return false;
  for (const AnchorAnalysis::Group& g : analysis->groups)
    for (int a : g.anchors)
      if (a < 0 || size_t(a) >= anchors.size()) return false;
  for (const AnchorAnalysis::Group& g : analysis->groups)
    for (int o : g.overlaps)
      if (o < 0 || size_t(o) >= analysis->overlaps.size()) return false;
  return true;
}

bool SphereBindJob::Run() const {
  if (!Validate()) return false;
  records->clear();
  for (const AnchorAnalysis::Group& g : analysis->groups) {
    if (g.anchors.empty()) continue;
    for (int v : g.vertices) {
      SphereRecord r;
      r.vertex = v;
      if (g.overlaps.empty()) {
        r.single = anchors[size_t(g.anchors.back())].bone;
        records->push_back(std::move(r));
        continue;
      }
      for (int index : g.overlaps) {
        const AnchorAnalysis::Overlap& n = analysis->overlaps[size_t(index)];
        const float t = n.BlendOf(v);
        r.mode = n.mode;
        if (n.mode == 1) {
          r.entries.push_back({n.firstBone, t, n.joint * (1.0f - t) + n.secondCrossing * t});
          r.entries.push_back({n.secondBone, 1.0f - t, n.joint * t + n.firstCrossing * (1.0f - t)});
        } else {
          r.entries.push_back({n.firstBone, t, Frx::Pvector(0.0f, 0.0f, 0.0f)});
          r.entries.push_back({n.secondBone, 1.0f - t, Frx::Pvector(0.0f, 0.0f, 0.0f)});
        }
      }
      records->push_back(std::move(r));
    }
  }
  return true;
}

}  // namespace Osmira
