#include "vocore/scene/VoIModifier.h"

#include "vocore/vocore/VoMaster.h"

Frx::Pstring VoIModifier::GetNameEx() {
  VoMaster* master = VoMaster::This();
  const char* name = master ? master->GetClassNameA(GetClassID()) : nullptr;
  return Frx::Pstring(name ? name : "");
}
