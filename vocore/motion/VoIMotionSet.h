// VoIMotionSet: a container of motions.
#pragma once

#include <string>

#include "vocore/item/VoIBranch.h"

class VoIMotionSet : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 8 };
  explicit VoIMotionSet(VoIBranch* parent = nullptr) : VoIBranch(parent) {}

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 25; }
  VoIMotionSet* IsMotionSet() override { return this; }
  void Copy(VoIItem*) override {}
  int Update(unsigned long) override { return 1; }
  int Load(VoLoad&) override { return 1; }
  int Save(VoSave&) override { return 1; }

  std::string fileName;
  int readOnly = 0;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
