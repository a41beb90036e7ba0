// VoICamera: a placed camera.
#pragma once

#include "vocore/scene/VoIObject.h"

class VoICamera : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 37 };
  explicit VoICamera(VoIBranch* parent = nullptr);
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 11; }
  VoICamera* IsCamera() override { return this; }

  float fov = 20.0f;
};
