#include "plugins/Uvesk/ObjectSelecter.h"

#include <cstddef>

#include "vocore/item/Parameter.h"
#include "vocore/item/VoDescent.h"

// Single, non-virtual inheritance: GCC's offsetof is exact for it.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

VoItemClassDesc& ObjectSelecter::ClassDesc() {
  struct Entry : VoItemClassDesc {
    Entry() : VoItemClassDesc("ObjectSelecter", CLASS_ID) {
      Parameter p(Parameter::TYPE_STRING, 0, "select",
                  static_cast<uint32_t>(offsetof(ObjectSelecter, select)), 0, "表示するオブジェクト");
      AddParameter(p);
      VoIObject::RegistClassDesc(*this);
    }
  };
  static Entry entry;
  return entry;
}

Frx::Pstring ObjectSelecter::GetNameEx() { return Frx::Pstring(GetName()) + "<ObjectSelecter>"; }

VoIItem* ObjectSelecter::GetShown() const {
  VoIItem* item = shown.Get();
  return item && item->GetParent() == this ? item : nullptr;
}

int ObjectSelecter::SelectChild() {
  if (VoIItem* current = GetShown(); current && select == current->GetName()) return 0;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    if (select != c->GetName()) continue;
    shown = c;
    return 1;
  }
  return 0;
}

int ObjectSelecter::Update(unsigned long counter) {
  SelectChild();
  VoIObject::Update(counter);
  return 1;
}

int ObjectSelecter::Redraw() {
  VoIObject::Redraw();
  // The shown child may be a selecter in turn.
  Vo::Descent down(Vo::Walk::Draw);
  if (!down) return 1;
  if (VoIItem* item = GetShown())
    if (VoIObject* object = item->IsObject()) object->Redraw();
  return 1;
}
