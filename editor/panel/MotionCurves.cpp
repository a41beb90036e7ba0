#include "editor/panel/MotionCurves.h"

#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"

namespace MotionCurves {

int Common(VoIMotion* motion) {
  if (!motion) return -1;
  int common = -1;
  bool any = false;
  for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c)) {
    VoIControlQuaternion* q = c->IsControlQuaternion();
    if (!q) continue;
    const int kind = q->GetCurveType();
    if (any && kind != common) return -1;
    common = kind;
    any = true;
  }
  return any ? common : -1;
}

void Apply(VoIMotion* motion, int choice) {
  if (!motion || choice < 0 || choice > 2) return;
  const auto vectorKind = static_cast<VoCurveType>(choice == 0 ? 0 : 1);
  const auto quaternionKind = static_cast<VoCurveType>(choice);
  for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c)) {
    if (VoIControlVector* v = c->IsControlVector()) v->SetCurveType(vectorKind);
    if (VoIControlQuaternion* q = c->IsControlQuaternion()) q->SetCurveType(quaternionKind);
  }
}

}  // namespace MotionCurves
