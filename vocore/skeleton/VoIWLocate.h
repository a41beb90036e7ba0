// VoIWLocate: a locate that can be pinned in world space.
#pragma once

#include "vocore/skeleton/VoILocate.h"

class VoIWLocate : public VoILocate {
 public:
  enum : unsigned long { CLASS_ID = 20 };
  explicit VoIWLocate(VoIBranch* parent = nullptr) : VoILocate(parent) {}
  ~VoIWLocate() override;

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 16; }
  VoIWLocate* IsWLocate() override { return this; }

  void SetFix(int f) { fix = f; }
  int IsFix() const { return fix; }

  int fix = 0;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
