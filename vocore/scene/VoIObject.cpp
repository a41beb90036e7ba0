#include "vocore/scene/VoIObject.h"

#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoMaster.h"

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
  for (VoICharacter* c = GetParentCharacter(); c; c = c->GetParentCharacter())
    if (VoICoordinate* theirs = c->GetCoordinate()) return theirs;
  VoMaster* master = VoMaster::This();
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
    VoICharacter* character = GetParentCharacter();
    if (!character) continue;
    VoIItem* found = character->SearchGroupItem(text, VoICoordinate::CLASS_ID);
    if (VoILocate* locate = found ? found->IsLocate() : nullptr) SetCoordinate(locate);
  }
}
