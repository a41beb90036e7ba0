#include "vocore/skeleton/VoISpring.h"

#include "vocore/skeleton/VoIBone.h"

VoISpring::VoISpring(VoIBranch* p) : VoIItem(p) {}
VoISpring::~VoISpring() = default;

void VoISpring::Release() {
  if (IsRelease()) return;
  bone.Clear();
  a.Clear();
  b.Clear();
  VoIItem::Release();
}
