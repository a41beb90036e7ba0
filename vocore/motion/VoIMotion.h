// VoIMotion: a named set of keyed controls over frames.
#pragma once

#include "vocore/motion/VoIControl.h"

class VoIMotion : public VoIControl {
 public:
  enum : unsigned long { CLASS_ID = 97 };
  enum KeyExist { KEY_NONE = 0, KEY_ALL = 1, KEY_SOME = 2 };
  explicit VoIMotion(VoIBranch* parent = nullptr) : VoIControl(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 24; }
  VoIMotion* IsMotion() override { return this; }

  float GetFrame() const { return frame; }
  void SetFrame(float f) { frame = f; }
  void SetEndFrame(long e) { endframe = e; }

  float frame = 0.0f;
  float rate = 1.0f;
  long endframe = 0;
  int loop = 0;
  int changed = 1;
};
