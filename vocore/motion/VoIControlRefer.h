// VoIControlRefer: the keyed reference member, by the name of a child of the
// driven item. Shares the String control's keys and text, not its class.
#pragma once

#include <string>

#include "vocore/motion/VoIKeyControl.h"

class VoIControlRefer : public VoIKeyControl<std::string> {
 public:
  enum : unsigned long { CLASS_ID = 102 };
  explicit VoIControlRefer(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlRefer* IsControlRefer() override { return this; }
  // As the String control: "unknown" before the first key.
  std::string GetValue(float frame);
};
