// VoISiblingBone: a bone that ties parallel chains together.
#pragma once

#include "vocore/skeleton/VoIBone.h"

class VoISiblingBone : public VoIBone {
 public:
  enum : unsigned long { CLASS_ID = 21 };
  explicit VoISiblingBone(VoIBranch* parent = nullptr) : VoIBone(parent) {}
  ~VoISiblingBone() override;

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  VoISiblingBone* IsSiblingBone() override { return this; }

  int sibling = 0;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
