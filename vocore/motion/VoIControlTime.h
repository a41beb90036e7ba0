// VoIControlTime: the keyed time (float) member.
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlTime : public VoIKeyControl<float> {
 public:
  enum : unsigned long { CLASS_ID = 112 };
  explicit VoIControlTime(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlTime* IsControlTime() override { return this; }
};
