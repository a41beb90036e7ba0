// VoIControlVector: the keyed vector member (positions).
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlVector : public VoIKeyControl<Frx::Pvector> {
 public:
  enum : unsigned long { CLASS_ID = 99 };
  explicit VoIControlVector(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlVector* IsControlVector() override { return this; }
  VoCurveType curve = VO_CURVE_LINEAR;
};
