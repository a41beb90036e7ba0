// VoIModifier: base of the deformer and blender items of the plug-ins.
#pragma once

#include "vocore/item/VoIBranch.h"

class VoIModifier : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 34 };
  explicit VoIModifier(VoIBranch* parent = nullptr) : VoIBranch(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 0; }
  VoIModifier* IsModifier() override { return this; }
  // The registered class name of this item's class; empty when none.
  Frx::Pstring GetNameEx() override;
};
