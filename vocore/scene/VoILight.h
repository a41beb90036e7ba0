// VoILight: a placed light (ambient, directional, point, spot).
#pragma once

#include "vocore/item/VoIObject.h"

class VoILight : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 38 };
  explicit VoILight(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 19 + static_cast<unsigned long>(type); }
  VoILight* IsLight() override { return this; }
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;

  // How a device draws a light; the values are the device's light types.
  enum DeviceKind { DEVICE_NONE = 0, DEVICE_POINT = 1, DEVICE_SPOT = 2, DEVICE_DIRECTIONAL = 3 };
  // Kind 1 directional, 2 point, 3 and 4 spot. Ambient lights and kinds no
  // device knows give DEVICE_NONE: callers leave such a light switched off
  // rather than enabling a device light of no type.
  DeviceKind GetDeviceKind() const;
  int GetType() const { return type; }
  void SetType(int t) { type = t; }

  // Translation of the world matrix of the light's safe coordinate.
  Frx::Pvector GetPosition();
  // (0, 0, 1) turned by that world matrix.
  Frx::Pvector GetDirection();

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
