// VoIControlTime: the keyed clock (float) member; runs on from its last key.
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlTime : public VoIKeyControl<float> {
 public:
  enum : unsigned long { CLASS_ID = 112 };
  explicit VoIControlTime(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlTime* IsControlTime() override { return this; }
  // The last key's value plus the frames since it; 0 before the first key
  // and never negative.
  float GetValue(float frame);
};
