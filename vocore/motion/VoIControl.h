// VoIControl: base of motions and keyed controls; names the member it drives
// by class id and member offset.
#pragma once

#include "vocore/item/VoIBranch.h"

class VoIControl : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 96 };
  explicit VoIControl(VoIBranch* parent = nullptr) : VoIBranch(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 23; }
  VoIControl* IsControl() override { return this; }

  unsigned long GetOutClassID() const { return outClassId; }
  unsigned long GetOutMember() const { return outMember; }
  void SetOutClassID(unsigned long id) { outClassId = id; }
  void SetOutMember(unsigned long offset) { outMember = offset; }
  // A zero member offset marks a control that drives nothing.
  int IsInvalidity() const { return outMember == 0 ? 1 : 0; }

  unsigned long outClassId = 0;
  unsigned long outMember = 0;
};
