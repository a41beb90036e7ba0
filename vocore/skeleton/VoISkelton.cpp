#include "vocore/skeleton/VoISkelton.h"

#include "ferrox/string/PstrCmp.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISpring.h"
#include "vocore/vocore/VoMaster.h"

VoISkelton::VoISkelton(VoIBranch* p) : VoIBranch(p) { state = 0; }

VoISkelton::~VoISkelton() = default;

void VoISkelton::Release() {
  if (IsRelease()) return;
  std::vector<VoRefer<VoISpring>> held;
  held.swap(springs);
  VoMaster* master = VoMaster::This();
  for (auto& ref : held)
    if (VoISpring* s = ref.Get()) master ? master->ReleaseItem(s) : s->Release();
  held.clear();
  VoIBranch::Release();
}

VoILocate* VoISkelton::GetLocate(const char* wanted) {
  if (!wanted) return nullptr;
  VoIItem* item = SearchGroupItem(wanted, VoILocate::CLASS_ID);
  return item ? item->IsLocate() : nullptr;
}

VoIBone* VoISkelton::GetBone(const char* wanted) {
  if (!wanted) return nullptr;
  VoIItem* item = SearchGroupItem(wanted, VoIBone::CLASS_ID);
  return item ? item->IsBone() : nullptr;
}
