#include "plugins/Osmira/SphereDeformJob.h"

#include <cmath>
#include <vector>

#include "ferrox/math/Pquaternion.h"
#include "plugins/Osmira/BoneDeformJob.h"
#include "vocore/geometry/VoVertex.h"

namespace Osmira {

namespace {

bool Finite(const Frx::Pvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

bool SphereDeformJob::Validate() const {
  if (positions.size() != rest.size() || matrices.size() != live.size() || !IsFinite(nullMatrix)) return false;
  for (const Frx::Pmatrix& m : matrices)
    if (!IsFinite(m)) return false;
  const size_t bones = matrices.size();
  for (const SphereRecord& r : records) {
    if (r.vertex < 0 || size_t(r.vertex) >= rest.size()) return false;
    if (r.single >= int(bones)) return false;
    for (const SphereEntry& e : r.entries)
      if (e.bone >= int(bones) || !std::isfinite(e.weight) || !Finite(e.offset)) return false;
  }
  return true;
}

bool SphereDeformJob::Run() const {
  if (!Validate()) return false;
  auto matrixOf = [this](int bone) -> const Frx::Pmatrix& {
    return bone >= 0 && live[size_t(bone)] ? matrices[size_t(bone)] : nullMatrix;
  };
  auto isLive = [this](int bone) { return bone >= 0 && live[size_t(bone)] != 0; };
  // The rotation of each bone's matrix, made once per pass.
  std::vector<Frx::Pquaternion> turns(matrices.size());
  std::vector<unsigned char> made(matrices.size(), 0);
  auto turnOf = [&](int bone) -> const Frx::Pquaternion& {
    if (!made[size_t(bone)]) turns[size_t(bone)].SetMatrix(matrices[size_t(bone)]), made[size_t(bone)] = 1;
    return turns[size_t(bone)];
  };

  for (const SphereRecord& r : records) {
    const Frx::Pvector& v = rest[size_t(r.vertex)];
    Frx::Pvector& out = positions[size_t(r.vertex)];
    if (VoVertex::IsDeleted(v)) continue;
    if (r.entries.empty()) {
      // One bone; a released one (or none) leaves the vertex at rest.
      out = matrixOf(r.single) * v;
      continue;
    }
    const SphereEntry* e = r.entries.data();
    if (r.entries.size() == 2 && r.mode == 1 && isLive(e[0].bone) && isLive(e[1].bone)) {
      Frx::Pquaternion q = turnOf(e[0].bone);
      float s = e[0].weight;
      s += e[1].weight;
      const float f = s != 0.0f ? e[1].weight / s : 0.0f;
      Frx::Pquaternion blended;
      blended.Slerp(q, turnOf(e[1].bone), f);
      blended.Unit();
      Frx::Pvector centre = e[0].offset * e[0].weight + e[1].offset * e[1].weight;
      Frx::Pvector moved = (matrixOf(e[0].bone) * e[0].offset) * e[0].weight +
                           (matrixOf(e[1].bone) * e[1].offset) * e[1].weight;
      Frx::Pmatrix turn;
      turn.SetRotate(blended);
      out = turn * (v - centre) + moved;
      continue;
    }
    Frx::Pvector sum(0.0f, 0.0f, 0.0f);
    for (const SphereEntry& entry : r.entries) sum += (matrixOf(entry.bone) * v) * entry.weight;
    out = sum * (2.0f / float(r.entries.size()));
  }
  return true;
}

}  // namespace Osmira
