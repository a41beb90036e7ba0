// VoISpring: ties two locates at a rest length (not a branch).
#pragma once

#include "vocore/item/VoIItem.h"

class VoISpring : public VoIItem {
 public:
  enum : unsigned long { CLASS_ID = 22 };
  explicit VoISpring(VoIBranch* parent = nullptr);
  ~VoISpring() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 15; }
  // Drops the three references before the item release.
  void Release() override;
  // Slot behind Save.
  virtual VoISpring* IsSpring() { return this; }

  VoRefer<VoIBone> bone;
  VoRefer<VoILocate> a;
  VoRefer<VoILocate> b;
  float rest = 0.0f;
  int fixed = 0;
};
