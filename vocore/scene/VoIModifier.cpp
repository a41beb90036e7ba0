#include "vocore/scene/VoIModifier.h"

Frx::Pstring VoIModifier::GetNameEx() {
  const char* name = GetClassNameA();
  return Frx::Pstring(name ? name : "");
}
