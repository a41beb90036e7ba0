// VoIControlVector: the keyed vector member (positions).
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlVector : public VoICurveControl<Frx::Pvector> {
 public:
  enum : unsigned long { CLASS_ID = 99 };
  explicit VoIControlVector(VoIBranch* parent = nullptr) : VoICurveControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlVector* IsControlVector() override { return this; }
  // Linear for curve 0, Hermite for every other kind; (0, 0, 0) without keys.
  Frx::Pvector GetValue(float frame);
};
