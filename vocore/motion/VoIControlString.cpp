#include "vocore/motion/VoIControlString.h"

#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoKeyFrame.h"

namespace VoKeyValue {
std::string StepText(VoIKeyControl<std::string>& control, float frame) {
  const int i = control.GetKeyIndex(VoTruncFrame(frame));
  return i < 0 ? std::string("unknown") : control.keys[i].value;
}
}  // namespace VoKeyValue

std::string VoIControlString::GetValue(float frame) { return VoKeyValue::StepText(*this, frame); }
std::string VoIControlRefer::GetValue(float frame) { return VoKeyValue::StepText(*this, frame); }

unsigned long VoIControlString::GetClassID() { return CLASS_ID; }
