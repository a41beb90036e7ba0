// VoIControlRefer: the keyed reference member, by the name of a child of the driven item.
#pragma once

#include <string>

#include "vocore/motion/VoIKeyControl.h"

class VoIControlRefer : public VoIKeyControl<std::string> {
 public:
  enum : unsigned long { CLASS_ID = 102 };
  explicit VoIControlRefer(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIControlRefer* IsControlRefer() override { return this; }
};
