// VoIControlInt: the keyed int member (no value function).
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlInt : public VoIKeyControl<int> {
 public:
  enum : unsigned long { CLASS_ID = 103 };
  explicit VoIControlInt(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlInt* IsControlInt() override { return this; }
};
