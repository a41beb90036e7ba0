#include "vocore/motion/VoIKeyControl.h"

#include <cstring>

Frx::Pstring VoIKeyControlBase::GetNameEx() {
  const char* cls = GetOutClassName();
  const char* member = GetOutMemberName();
  Frx::Pstring text(cls ? cls : "");
  text += ":";
  text += GetName();
  text += ".";
  text += member ? member : "";
  return text;
}

void VoIKeyControlBase::SaveHead(VoSave& save, long endframe) {
  VoIItem::Save(save);
  const char* cls = GetOutClassName();
  const char* member = GetOutMemberName();
  save.Write("class = \"%s\"\n", cls ? cls : "");
  save.Write("member = \"%s\"\n", member ? member : "");
  save.Write("endframe = %d\n", static_cast<int>(endframe));
}

int VoIKeyControlBase::LoadHead(VoLoad& load, char (&className)[256], long& endframe) {
  if (VoIItem::Load(load)) return 1;
  if (load.Read(" class = \"%s\"", className, static_cast<int>(sizeof className))) return 1;
  char member[256];
  if (load.Read(" member = \"%s\"", member, static_cast<int>(sizeof member))) {
    SetOutClassAndMember(className, member);
    return 1;
  }
  int frame = 0;
  if (load.Read(" endframe = %d", &frame)) {
    endframe = frame;
    return 1;
  }
  return 0;
}

template class VoIKeyControl<int>;
template class VoIKeyControl<float>;
template class VoIKeyControl<std::string>;
template class VoIKeyControl<Frx::Pvector>;
template class VoIKeyControl<Frx::Pquaternion>;
template class VoICurveControl<Frx::Pvector>;
template class VoICurveControl<Frx::Pquaternion>;
