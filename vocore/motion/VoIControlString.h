// VoIControlString: the keyed text member.
#pragma once

#include <string>

#include "vocore/motion/VoIKeyControl.h"

class VoIControlString : public VoIKeyControl<std::string> {
 public:
  enum : unsigned long { CLASS_ID = 101 };
  explicit VoIControlString(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlString* IsControlString() override { return this; }
};
