#include "vocore/scene/VoILight.h"

#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/skeleton/VoICoordinate.h"

VoILight::VoILight(VoIBranch* p) : VoIObject(p) { state |= STATE_MARK20; }

VoILight::DeviceKind VoILight::GetDeviceKind() const {
  switch (type) {
    case 1: return DEVICE_DIRECTIONAL;
    case 2: return DEVICE_POINT;
    case 3:
    case 4: return DEVICE_SPOT;
    default: return DEVICE_NONE;
  }
}

namespace {
Frx::Pmatrix PlacementOf(VoILight& light) {
  VoICoordinate* c = light.GetSafetyCoordinate();
  return c ? c->GetMatrixL2W() : Frx::Pmatrix::id;
}
}  // namespace

Frx::Pvector VoILight::GetPosition() { return PlacementOf(*this).GetTransVector(); }

Frx::Pvector VoILight::GetDirection() {
  Frx::Pmatrix m = PlacementOf(*this);
  m.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  return m * Frx::Pvector(0.0f, 0.0f, 1.0f);
}

int VoILight::Save(VoSave& save) {
  VoIObject::Save(save);
  save.Write("type = %d\n", type);
  save.Write("color = ( %f, %f, %f, %f)\n", r, g, b, a);
  save.Write("range = %f\n", range);
  return 1;
}

int VoILight::Load(VoLoad& load) {
  for (;;) {
    if (VoIObject::Load(load)) continue;
    if (load.Read(" type = %d", &type)) continue;
    if (load.Read(" color = ( %f, %f, %f, %f)", &r, &g, &b, &a)) continue;
    if (load.Read(" range = %f", &range)) continue;
    return 0;
  }
}
