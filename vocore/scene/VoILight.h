// VoILight: a placed light (ambient, directional, point, spot).
#pragma once

#include "vocore/scene/VoIObject.h"

class VoILight : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 38 };
  explicit VoILight(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 19 + static_cast<unsigned long>(type); }
  VoILight* IsLight() override { return this; }

  int type = 0;
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;  // r, g, b are published as one vector
  float range = 1000.0f;
  float spotInner = 0.5235988f;
  float spotOuter = 0.6981317f;

  // Kind names; the null entry ends what the panels offer.
  static const char* TypeName[6];
  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
