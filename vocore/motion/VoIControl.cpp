#include "vocore/motion/VoIControl.h"

#include "vocore/item/VoIItem.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/item/VoNameCompare.h"

void VoIControl::Copy(VoIItem* source) {
  VoIItem::Copy(source);
  if (VoIControl* other = source ? source->IsControl() : nullptr) {
    outClassId = other->outClassId;
    outMember = other->outMember;
  }
}

int VoIControl::SetOutClassAndMember(const char* className, const char* memberName) {
  VoItemServices* master = VoItemServices::This();
  unsigned long classId = 0;
  unsigned long member = 0;
  if (!master || !master->LookUpMember(className, memberName, classId, member)) return 0;
  outClassId = classId;
  outMember = member;
  return outMember != 0 ? 1 : 0;
}

const char* VoIControl::GetOutClassName() {
  VoItemServices* master = VoItemServices::This();
  return master ? master->GetClassNameA(outClassId) : nullptr;
}

const char* VoIControl::GetOutMemberName() {
  VoItemServices* master = VoItemServices::This();
  return master ? master->GetClassMemberName(outClassId, outMember) : nullptr;
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
