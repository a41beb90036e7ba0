#include "editor/testing/KeyedMotion.h"

#include "editor/host/SavoraHost.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

VoIMotion* MakeKeyedMotion(VoMaster& master, SavoraHost& host, VoICharacter* character, const char* name,
                           long frames) {
  VoIMotion* motion = master.NewItem<VoIMotion>(character);
  motion->SetName(name);
  host.CreateItemControls(character, motion);
  motion->SetEndFrame(frames);
  for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c))
    for (long f = 0; f < frames; f += 2) {
      if (VoIControlQuaternion* q = c->IsControlQuaternion())
        q->SetKey(f, Frx::Pquaternion(0.0f, 0.0f, 0.0f, 1.0f));
      else if (VoIControlVector* v = c->IsControlVector())
        v->SetKey(f, Frx::Pvector(0.0f, 0.0f, 0.0f));
    }
  character->SetMotion(motion);
  character->RegistAllControl(motion);
  return motion;
}
