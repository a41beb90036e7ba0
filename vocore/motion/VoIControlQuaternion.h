// VoIControlQuaternion: the keyed quaternion member (rotations).
#pragma once

#include "vocore/motion/VoIKeyControl.h"

class VoIControlQuaternion : public VoICurveControl<Frx::Pquaternion> {
 public:
  enum : unsigned long { CLASS_ID = 100 };
  explicit VoIControlQuaternion(VoIBranch* parent = nullptr) : VoICurveControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlQuaternion* IsControlQuaternion() override { return this; }
  // Slerp (curve 0), quaternion spline (1) or the weighted blend of four
  // keys (2); an unknown kind is taken as 0. (0, 0, 0, 1) without keys.
  Frx::Pquaternion GetValue(float frame);
};
