#include "vocore/motion/VoIControlTime.h"

#include "vocore/motion/VoKeyFrame.h"

float VoIControlTime::GetValue(float frame) {
  const int i = GetKeyIndex(VoTruncFrame(frame));
  if (i < 0) return 0.0f;
  const float value = keys[i].value + (frame - static_cast<float>(keys[i].frame));
  return value < 0.0f ? 0.0f : value;
}

unsigned long VoIControlTime::GetClassID() { return CLASS_ID; }
