#include "plugins/Osmira/DistanceWeightJob.h"

#include <cmath>

#include "vocore/geometry/VoVertex.h"

namespace Osmira {

namespace {

// A bone end that is missing reads as the largest float.
bool Usable(const Frx::Pvector& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && v.x < kFar && v.y < kFar && v.z < kFar;
}

}  // namespace

float PointSegmentDistance(const Frx::Pvector& p, const Frx::Pvector& a, const Frx::Pvector& b) {
  if (!Usable(a) || !Usable(b)) return kFar;
  const Frx::Pvector ab = b - a;
  if (ab.GetDotProduct(p - a) < 0.0f) return (p - a).GetSize();
  if ((a - b).GetDotProduct(p - b) < 0.0f) return (p - b).GetSize();
  // In double: the square of a very short length may vanish in float.
  const double l2 = double(ab.x) * ab.x + double(ab.y) * ab.y + double(ab.z) * ab.z;
  if (l2 == 0.0) return kFar;
  const Frx::Pvector ap = p - a;
  const double t = (double(ap.x) * ab.x + double(ap.y) * ab.y + double(ap.z) * ab.z) / l2;
  const Frx::Pvector foot = a + ab * float(t);
  return (p - foot).GetSize();
}

bool DistanceWeightJob::Validate() const {
  return weights && unbound && reaches.size() == bones.size();
}

bool DistanceWeightJob::Run() const {
  if (!Validate()) return false;
  const size_t numBones = bones.size();
  weights->assign(numBones, {});
  unbound->clear();
  std::vector<double> w(numBones);
  for (size_t i = 0; i < positions.size(); ++i) {
    const Frx::Pvector& p = positions[i];
    if (VoVertex::IsDeleted(p)) continue;
    // In double 1/d² stays finite for any float distance above 0.
    double sum = 0.0;
    int touching = 0;  // bones the vertex lies exactly on
    for (size_t b = 0; b < numBones; ++b) {
      const float d = PointSegmentDistance(p, bones[b].start, bones[b].end);
      const float r = reaches[b];
      w[b] = 0.0;
      if (!(d < r)) continue;
      if (d == 0.0f) {
        w[b] = -1.0;  // marked; shared below
        ++touching;
        continue;
      }
      w[b] = 1.0 / (double(d) * d) - 1.0 / (double(r) * r);
      sum += w[b];
    }
    if (touching > 0) {
      // On a bone the weight formula has no finite value: the bones it lies
      // on share the vertex equally, the others get nothing.
      for (size_t b = 0; b < numBones; ++b) w[b] = w[b] < 0.0 ? 1.0 : 0.0;
      sum = touching;
    }
    if (sum <= 0.0) {
      unbound->push_back(int(i));
      continue;
    }
    for (size_t b = 0; b < numBones; ++b)
      if (w[b] > 0.0) (*weights)[b].push_back({int(i), float(w[b] / sum)});
  }
  return true;
}

}  // namespace Osmira
