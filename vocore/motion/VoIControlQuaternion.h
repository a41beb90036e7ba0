// VoIControlQuaternion: the keyed quaternion member (rotations).
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlQuaternion : public VoIKeyControl<Frx::Pquaternion> {
 public:
  enum : unsigned long { CLASS_ID = 100 };
  explicit VoIControlQuaternion(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlQuaternion* IsControlQuaternion() override { return this; }
  VoCurveType curve = VO_CURVE_LINEAR;
};
