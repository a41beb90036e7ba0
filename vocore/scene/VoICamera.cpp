#include "vocore/scene/VoICamera.h"

#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

VoICamera::VoICamera(VoIBranch* p) : VoIObject(p) { state |= STATE_MARK20; }

int VoICamera::Save(VoSave& save) {
  VoIObject::Save(save);
  save.Write("fov = %f\n", fov);
  return 1;
}

int VoICamera::Load(VoLoad& load) {
  for (;;) {
    if (VoIObject::Load(load)) continue;
    if (load.Read(" fov = %f", &fov)) continue;
    return 0;
  }
}
