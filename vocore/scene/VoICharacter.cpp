#include "vocore/scene/VoICharacter.h"

#include "vocore/motion/VoIControl.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoISkelton.h"

VoControlConnect::VoControlConnect(VoIItem* i, VoIControl* c) : item(i), control(c) {}

// Minimal: motion binding and the per-frame update come with the character.
VoICharacter::VoICharacter(VoIBranch* p) : VoIObject(p) { state |= STATE_MARK20; }

VoICharacter::~VoICharacter() = default;

VoIMotion* VoICharacter::GetMotion() const { return motion.Get(); }

VoISkelton* VoICharacter::GetSkelton() {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoISkelton* s = c->IsSkelton()) return s;
  return nullptr;
}
