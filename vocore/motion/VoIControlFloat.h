// VoIControlFloat: the keyed float member (no value function).
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlFloat : public VoIKeyControl<float> {
 public:
  enum : unsigned long { CLASS_ID = 104 };
  explicit VoIControlFloat(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlFloat* IsControlFloat() override { return this; }
};
