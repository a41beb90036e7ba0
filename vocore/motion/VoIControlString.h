// VoIControlString: the keyed text member.
#pragma once

#include <string>

#include "vocore/motion/VoIKeyControl.h"

class VoIControlString : public VoIKeyControl<std::string> {
 public:
  enum : unsigned long { CLASS_ID = 101 };
  explicit VoIControlString(VoIBranch* parent = nullptr) : VoIKeyControl(parent) {}
  unsigned long GetClassID() override;
  VoIControlString* IsControlString() override { return this; }
  // The text of the last key at or before the frame; "unknown" before the first.
  std::string GetValue(float frame);
};

namespace VoKeyValue {
// Stepped text of a control's keys (no loop, no end frame).
std::string StepText(VoIKeyControl<std::string>& control, float frame);
}  // namespace VoKeyValue
