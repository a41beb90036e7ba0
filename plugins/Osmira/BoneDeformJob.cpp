#include "plugins/Osmira/BoneDeformJob.h"

#include <cmath>

#include "vocore/geometry/VoVertex.h"

namespace Osmira {

bool IsFinite(const Frx::Pmatrix& m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!std::isfinite(m.m[r][c])) return false;
  return true;
}

bool BoneDeformJob::Validate() const {
  if (positions.size() != rest.size() || matrices.size() != records.size()) return false;
  for (size_t r = 0; r < records.size(); ++r) {
    if (!IsFinite(matrices[r])) return false;
    for (const WeightPair& p : records[r].pairs)
      if (p.vertex < 0 || size_t(p.vertex) >= rest.size() || !std::isfinite(p.weight)) return false;
  }
  return true;
}

bool BoneDeformJob::Run() const {
  if (!Validate()) return false;
  for (Frx::Pvector& p : positions) p = Frx::Pvector(0.0f, 0.0f, 0.0f);
  for (size_t r = 0; r < records.size(); ++r) {
    const Frx::Pmatrix& m = matrices[r];
    for (const WeightPair& p : records[r].pairs) {
      const Frx::Pvector& v = rest[size_t(p.vertex)];
      if (VoVertex::IsDeleted(v)) continue;
      positions[size_t(p.vertex)] += (m * v) * p.weight;
    }
  }
  for (size_t i = 0; i < rest.size(); ++i)
    if (VoVertex::IsDeleted(rest[i])) positions[i] = rest[i];
  return true;
}

}  // namespace Osmira
