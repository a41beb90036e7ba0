// VoICamera: a placed camera.
#pragma once

#include "vocore/item/VoIObject.h"

class VoICamera : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 37 };
  explicit VoICamera(VoIBranch* parent = nullptr);
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 11; }
  VoICamera* IsCamera() override { return this; }
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;
  float GetFov() const { return fov; }
  void SetFov(float f) { fov = f; }

  float fov = 20.0f;
};
