// The keyed control instances: one class per driven value type.
#pragma once

#include <string>

#include "vocore/motion/VoIKeyControl.h"

class VoIControlVector : public VoIKeyControl<Frx::Pvector> {
 public:
  enum : unsigned long { CLASS_ID = 99 };
  explicit VoIControlVector(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlVector* IsControlVector() override { return this; }
  VoCurveType curve = VO_CURVE_LINEAR;
};

class VoIControlQuaternion : public VoIKeyControl<Frx::Pquaternion> {
 public:
  enum : unsigned long { CLASS_ID = 100 };
  explicit VoIControlQuaternion(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlQuaternion* IsControlQuaternion() override { return this; }
  VoCurveType curve = VO_CURVE_LINEAR;
};

class VoIControlString : public VoIKeyControl<std::string> {
 public:
  enum : unsigned long { CLASS_ID = 101 };
  explicit VoIControlString(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlString* IsControlString() override { return this; }
};

// Shares String's keys but is no String control.
class VoIControlRefer : public VoIKeyControl<std::string> {
 public:
  enum : unsigned long { CLASS_ID = 102 };
  explicit VoIControlRefer(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlRefer* IsControlRefer() override { return this; }
};

class VoIControlInt : public VoIKeyControl<int> {
 public:
  enum : unsigned long { CLASS_ID = 103 };
  explicit VoIControlInt(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlInt* IsControlInt() override { return this; }
};

class VoIControlFloat : public VoIKeyControl<float> {
 public:
  enum : unsigned long { CLASS_ID = 104 };
  explicit VoIControlFloat(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlFloat* IsControlFloat() override { return this; }
};

class VoIControlBool : public VoIKeyControl<int32_t> {
 public:
  enum : unsigned long { CLASS_ID = 105 };
  explicit VoIControlBool(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlBool* IsControlBool() override { return this; }
};

class VoIControlTime : public VoIKeyControl<float> {
 public:
  enum : unsigned long { CLASS_ID = 112 };
  explicit VoIControlTime(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlTime* IsControlTime() override { return this; }
};
