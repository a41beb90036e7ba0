#include "editor/manip/BoneGrab.h"

#include <algorithm>
#include <cmath>

#include "editor/manip/NoHit.h"
#include "vocore/skeleton/VoIBone.h"

namespace BoneGrab {

namespace {

float Distance2D(const Frx::Pvector& a, const Frx::Pvector& b) { return std::hypot(a.x - b.x, a.y - b.y); }

bool ProjectEnds(VoIBone* bone, const ScreenMap& map, Frx::Pvector* start, Frx::Pvector* end) {
  const Frx::Pvector ws = bone->GetWPosStart(), we = bone->GetWPosEnd();
  if (VoIBone::IsMissing(ws) || VoIBone::IsMissing(we)) return false;
  return map.Project(ws, start) && map.Project(we, end);
}

}  // namespace

float NearestOnSegment(const Frx::Pvector& a, const Frx::Pvector& b, const Frx::Pvector& p) {
  const float ex = b.x - a.x, ey = b.y - a.y;
  const float length2 = ex * ex + ey * ey;
  if (!(length2 > 0.0f)) return 0.0f;
  const float t = ((p.x - a.x) * ex + (p.y - a.y) * ey) / length2;
  if (!std::isfinite(t)) return 0.0f;
  return std::clamp(t, 0.0f, 1.0f);
}

float HitTest(VoIBone* bone, const ScreenMap& map, float radius, float x, float y) {
  if (!bone) return NoHit;
  const Frx::Pmatrix& world = bone->GetMatrixL2W();
  Frx::Pvector start, tip;
  if (!map.Project(world.GetTransVector(), &start)) return NoHit;
  if (!map.Project(world * Frx::Pvector(0.0f, 0.0f, bone->GetLength()), &tip)) return NoHit;
  const Frx::Pvector p(x, y, 0.0f);
  if (Distance2D(start, tip) + radius >= Distance2D(p, start) + Distance2D(p, tip))
    return (start.z + tip.z) * 0.6666667f;
  return NoHit;
}

bool Grab(VoIBone* bone, const ScreenMap& map, float x, float y, Frx::Pvector* window, Frx::Pvector* world) {
  if (!bone) return false;
  Frx::Pvector start, end;
  if (!ProjectEnds(bone, map, &start, &end)) return false;
  const float t = NearestOnSegment(start, end, Frx::Pvector(x, y, 0.0f));
  const Frx::Pvector ws = bone->GetWPosStart();
  *world = ws + (bone->GetWPosEnd() - ws) * t;
  return map.Project(*world, window);
}

}  // namespace BoneGrab
