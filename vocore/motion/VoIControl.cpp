#include "vocore/motion/VoIControl.h"

#include "vocore/item/VoIItem.h"
#include "vocore/item/VoNameCompare.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Runs fn on a throw-away item of the class; the item is released after.
template <class Fn>
auto WithSample(VoClassDescItem* desc, Fn fn) -> decltype(fn(static_cast<VoIItem*>(nullptr))) {
  VoMaster* master = VoMaster::This();
  VoIItem* sample = desc ? desc->Create(nullptr) : nullptr;
  auto result = fn(sample);
  if (sample) {
    if (master)
      master->ReleaseItem(sample);
    else
      sample->Release();
  }
  return result;
}

}  // namespace

void VoIControl::Copy(VoIItem* source) {
  VoIItem::Copy(source);
  if (VoIControl* other = source ? source->IsControl() : nullptr) {
    outClassId = other->outClassId;
    outMember = other->outMember;
  }
}

int VoIControl::SetOutClassAndMember(const char* className, const char* memberName) {
  VoMaster* master = VoMaster::This();
  VoClassDescItem* desc = master && className ? master->GetClassDescItem(className) : nullptr;
  if (!desc) return 0;
  outClassId = master->GetClassID(desc);
  outMember = WithSample(desc, [&](VoIItem* sample) -> unsigned long {
    return sample && memberName ? master->GetMemberOffset(sample, memberName) : 0;
  });
  return outMember != 0 ? 1 : 0;
}

const char* VoIControl::GetOutClassName() {
  VoMaster* master = VoMaster::This();
  return master ? master->GetClassNameA(outClassId) : nullptr;
}

const char* VoIControl::GetOutMemberName() {
  VoMaster* master = VoMaster::This();
  VoClassDescItem* desc = master ? master->GetClassDescItem(outClassId) : nullptr;
  if (!desc) return nullptr;
  // The name lives in the class's static registry entry, so it outlives the sample.
  return WithSample(desc, [&](VoIItem* sample) -> const char* {
    return sample ? master->GetMemberName(sample, outMember) : nullptr;
  });
}

int VoIControl::IsSame(VoIControl* other) {
  if (!other) return 0;
  return VoName::Same(GetName(), other->GetName()) && outClassId == other->outClassId &&
                 outMember == other->outMember
             ? 1
             : 0;
}

VoIMotion* VoIControl::GetBelongMotion() {
  VoIBranch* p = GetParent();
  return p ? p->IsMotion() : nullptr;
}
