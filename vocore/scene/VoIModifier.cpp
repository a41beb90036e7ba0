#include "vocore/scene/VoIModifier.h"

#include "vocore/item/VoItemServices.h"

Frx::Pstring VoIModifier::GetNameEx() {
  VoItemServices* master = VoItemServices::This();
  const char* name = master ? master->GetItemClassName(this) : nullptr;
  return Frx::Pstring(name ? name : "");
}
