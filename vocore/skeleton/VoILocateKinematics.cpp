// Follow-the-leader IK: a dragged locate pulls its chain of bones behind it.
#include <cfloat>

#include "vocore/item/VoIBranch.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"

namespace {
constexpr float NoChain = 3.4028235e38f;
// Deeper chains than this are not followed (a cycle of references would
// otherwise never end).
constexpr int MaxChain = 4096;
}  // namespace

int VoILocate::Kinematics(const Frx::Pvector& target, float) {
  Frx::Pvector to = target;
  VoILocate* at = this;
  for (int step = 0; at && step < MaxChain; ++step) {
    at->changed = 1;
    if (at->IKchain == 0) break;
    at->SetWPos(to);
    VoILocate* from = at->GetLocate();
    VoIBone* bone = from ? from->IsBone() : nullptr;
    if (!bone) break;
    VoILocate* s = bone->GetStartLocate();
    if (!s || s == at) break;
    bone->changed = 1;
    const Frx::Pvector w = s->GetWPos();
    const Frx::Pvector away = w - to;
    const float distance = away.GetSize();
    // A target on the start (to rounding) gives no direction to pull in:
    // the start stays where it is.
    const float length = at->pos.GetSize();
    if (!(distance > 1e-5f * (1.0f + length + to.GetSize()))) break;
    to = to + away / distance * length;
    at = s;
  }
  return 1;
}

float VoILocate::GetKinematicLength(VoILocate** out, float accumulated, VoILocate* comingFrom) {
  // The engine's nesting limit: deeper chains are not followed.
  static thread_local int depth = 0;
  VoILocate* found = nullptr;
  float best = NoChain;
  if (IKchain == 0) {
    if (out) *out = this;
    return accumulated;
  }
  if (depth >= VoIBranch::MaxDepth) {
    if (out) *out = nullptr;
    return NoChain;
  }
  ++depth;
  VoILocate* from = GetLocate();
  VoIBone* bone = from ? from->IsBone() : nullptr;
  if (VoILocate* s = bone ? bone->GetStartLocate() : nullptr; s && s != comingFrom) {
    VoILocate* reached = nullptr;
    const float d = s->GetKinematicLength(&reached, accumulated + pos.GetSize(), this);
    if (d < NoChain) {
      best = d;
      found = reached;
    }
  }
  if (VoIBranch* up = GetParent()) {
    for (VoIItem* c = up->GetNextChild(this); c != this; c = up->GetNextChild(c)) {
      if (!c) {  // the ring goes on from its first child
        c = up->GetFirstChild();
        if (!c || c == this) break;
      }
      VoIBone* other = c->IsBone();
      if (!other || other->GetEndLocate() == this || other->GetStartLocate() != this) continue;
      for (VoIItem* k = other->GetFirstChild(); k; k = other->GetNextChild(k)) {
        if (k->GetClassID() != VoILocate::CLASS_ID || k == comingFrom) continue;
        VoILocate* next = k->IsLocate();
        VoILocate* reached = nullptr;
        const float d = next->GetKinematicLength(&reached, accumulated + next->pos.GetSize(), this);
        if (d < best) {
          best = d;
          found = reached;
        }
      }
    }
  }
  --depth;
  if (out) *out = found;
  return best;
}
