// VoISkelton: holds the locates, coordinates and bones of one character.
#pragma once

#include <vector>

#include "vocore/item/VoIBranch.h"

class VoISkelton : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 6 };
  explicit VoISkelton(VoIBranch* parent = nullptr);
  ~VoISkelton() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 13; }
  VoISkelton* IsSkelton() override { return this; }
  // Releases every spring of the array and empties it.
  void Release() override;

  VoILocate* GetLocate(const char* name);
  VoIBone* GetBone(const char* name);

  std::vector<VoRefer<VoISpring>> springs;
};
