#include "vocore/skeleton/VoIBone.h"

VoIBone::VoIBone(VoIBranch* p) : VoICoordinate(p) { affect.resize(3); }

void VoIBone::AddAffectLocate(VoILocate* l, const Frx::Pvector& v) {
  affect.push_back(AffectLocate{VoRefer<VoILocate>(l), v});
}

void VoIBone::Release() {
  if (IsRelease()) return;
  start.Clear();
  end.Clear();
  head.Clear();
  boneKType = KTYPE_NONE;
  affect.clear();
  affect.resize(3);
  VoICoordinate::Release();
}
