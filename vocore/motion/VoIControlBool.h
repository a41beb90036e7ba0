// VoIControlBool: the keyed 4-byte boolean member (no value function).
#pragma once

#include <cstdint>

#include "vocore/motion/VoIKeyControl.h"

class VoIControlBool : public VoIKeyControl<int32_t> {
 public:
  enum : unsigned long { CLASS_ID = 105 };
  explicit VoIControlBool(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlBool* IsControlBool() override { return this; }
};
