// VoIControl: base of motions and keyed controls; names the member it drives
// by class id and member offset.
#pragma once

#include "vocore/item/VoIBranch.h"

class VoIMotion;

class VoIControl : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 96 };
  explicit VoIControl(VoIBranch* parent = nullptr) : VoIBranch(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 23; }
  VoIControl* IsControl() override { return this; }
  void Copy(VoIItem* source) override;
  // Controls are evaluated through their character, never by the update pass.
  int Update(unsigned long) override { return 1; }

  // Looks the member up on a throw-away item of the named class. 1 when the
  // member exists; the class id is kept even when it does not.
  int SetOutClassAndMember(const char* className, const char* memberName);
  void SetOutClassAndMember(unsigned long classId, unsigned long offset) {
    outClassId = classId;
    outMember = offset;
  }
  unsigned long GetOutClassID() const { return outClassId; }
  unsigned long GetOutOffset() const { return outMember; }
  unsigned long GetOutMember() const { return outMember; }
  void SetOutClassID(unsigned long id) { outClassId = id; }
  void SetOutMember(unsigned long offset) { outMember = offset; }
  const char* GetOutClassName();
  // Null for a class without descriptor or an offset no member has.
  const char* GetOutMemberName();

  // Same name (ASCII case ignored) and same driven member.
  int IsSame(VoIControl* other);
  // A zero member offset marks a control that drives nothing.
  int IsInvalidity() const { return outMember == 0 ? 1 : 0; }
  // The parent as a motion; null when it is gone or no motion.
  VoIMotion* GetBelongMotion();

  unsigned long outClassId = 0;
  unsigned long outMember = 0;
};
