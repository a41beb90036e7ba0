#include "plugins/Osmira/RestBinding.h"

#include <algorithm>

#include "vocore/vocore/VoMaster.h"

namespace Osmira {

namespace {

// Copies the positions of `from` into `to` when both have as many.
bool Restore(VoVertex* to, const VoVertex* from) {
  if (!to || !from || to->GetNum() != from->GetNum()) return false;
  std::copy(from->Get(), from->Get() + from->GetNum(), to->Get());
  return true;
}

}  // namespace

bool RestBinding::Due(unsigned short updateFlags, VoIPolygon* parent, VoISkelton* skeleton) const {
  VoVertex* positions = parent ? parent->GetVertex() : nullptr;
  return updateFlags != 0 || !tried_ || parent != triedParent_.GetRaw() || positions != triedPositions_.GetRaw() ||
         skeleton != triedSkeleton_.GetRaw();
}

void RestBinding::Tried(VoIPolygon* parent, VoISkelton* skeleton) {
  tried_ = true;
  triedParent_ = parent;
  triedPositions_ = parent ? parent->GetVertex() : nullptr;
  triedSkeleton_ = skeleton;
}

bool RestBinding::Begin(VoIPolygon* polygon) {
  VoVertex* positions = polygon->GetVertex();
  bool reused = false;
  if (VoIPolygon* previous = target.Get(); previous && source_.Get() == previous->GetVertex()) {
    if (previous == polygon)
      reused = Restore(positions, rest.Get());
    else
      Restore(previous->GetVertex(), rest.Get());  // the old target takes its rest shape back
  }
  target = polygon;
  positions->FlushLock(VoVertex::FIX_MOVED);
  VoMaster* master = VoMaster::This();
  VoVertex* copy = master ? master->CreateVertex() : new VoVertex();
  copy->Copy(*positions);
  rest = copy;
  source_ = positions;
  return reused;
}

VoVertex* RestBinding::Positions() const {
  VoIPolygon* polygon = target.Get();
  VoVertex* positions = polygon ? polygon->GetVertex() : nullptr;
  const VoVertex* r = rest.Get();
  if (!positions || !r || positions != source_.Get() || positions->GetNum() != r->GetNum()) return nullptr;
  return positions;
}

void RestBinding::Clear() {
  rest.Clear();
  target.Clear();
  source_.Clear();
  triedParent_.Clear();
  triedPositions_.Clear();
  triedSkeleton_.Clear();
  tried_ = false;
}

}  // namespace Osmira
