#include "vocore/item/VoIObject.h"

#include "vocore/item/VoItemServices.h"
#include "vocore/item/VoParentCharacter.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
// An object hangs from a locate, and a locate is an object: the counted
// reference to it needs the whole class.
#include "vocore/skeleton/VoICoordinate.h"

VoIObject::VoIObject(VoIBranch* p) : VoIBranch(p) {}
VoIObject::~VoIObject() = default;

void VoIObject::Copy(VoIItem* source) {
  VoIItem::Copy(source);
  VoIObject* from = source ? source->IsObject() : nullptr;
  if (from && from != this) coordinate = from->coordinate;
}

void VoIObject::Release() {
  if (IsRelease()) return;
  // Held across the drop: the coordinate may be this object itself.
  AddRef();
  coordinate.Clear();
  VoIBranch::Release();
  SubRef();
}

VoILocate* VoIObject::GetLocate() { return coordinate.Get(); }

void VoIObject::SetCoordinate(VoILocate* locate) { coordinate = locate; }

VoICoordinate* VoIObject::GetCoordinate() {
  VoILocate* locate = coordinate.Get();
  return locate ? locate->IsCoordinate() : nullptr;
}

VoICoordinate* VoIObject::GetSafetyCoordinate() {
  if (VoICoordinate* own = GetCoordinate()) return own;
  int nested = 0;
  for (VoIBranch* c = Vo::ParentCharacterBranch(this); c && nested <= MaxDepth;
       c = Vo::ParentCharacterBranch(c), ++nested)
    if (VoIObject* character = c->IsObject())
      if (VoICoordinate* theirs = character->GetCoordinate()) return theirs;
  VoItemServices* master = VoItemServices::This();
  return master ? master->GetWorldCoordinate() : nullptr;
}

int VoIObject::Save(VoSave& save) {
  VoIItem::Save(save);
  if (VoICoordinate* c = GetCoordinate()) save.Write("coordinate = \"%s\"\n", c->GetName());
  return 1;
}

int VoIObject::Load(VoLoad& load) {
  for (;;) {
    if (VoIItem::Load(load)) continue;
    char text[1024];
    if (!load.Read(" coordinate = \"%s\"", text, static_cast<int>(sizeof text))) return 0;
    VoIBranch* character = Vo::ParentCharacterBranch(this);
    if (!character) continue;
    VoIItem* found = character->SearchGroupItem(text, VoICoordinate::CLASS_ID);
    if (VoILocate* locate = found ? found->IsLocate() : nullptr) SetCoordinate(locate);
  }
}
