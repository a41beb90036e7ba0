// VoIInstance: an item that stands for another item (no descriptor).
#pragma once

#include "vocore/item/VoIBranch.h"

class VoIInstance : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 5 };
  explicit VoIInstance(VoIBranch* parent = nullptr) : VoIBranch(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 18; }
  VoIInstance* IsInstance() override { return this; }

  VoRefer<VoIItem> target;
};
