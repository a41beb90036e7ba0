// The skeleton's text block: every locate written flat, one block each.
#include "vocore/item/VoItemServices.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {
// Every class the writer can head a block with.
const char* const BlockNames[] = {"Locate", "Coordinate", "Bone", "WLocate", "SiblingBone"};
}  // namespace

int VoISkelton::Save(VoSave& save) {
  VoIItem::Save(save);
  ItemList list;
  GetGroupList(list, VoILocate::CLASS_ID);
  for (const auto& ref : list)
    if (VoIItem* item = ref.Get()) VoItemServices::ExecSave(item, save);
  return 1;
}

void VoISkelton::ResolveBones() {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoIBone* bone = c->IsBone()) bone->ResolveLocates();
}

int VoISkelton::Load(VoLoad& load) {
  for (;;) {
    if (VoIItem::Load(load)) continue;
    const char* opened = nullptr;
    for (const char* name : BlockNames)
      if (load.OpenChunk(name)) {
        opened = name;
        break;
      }
    if (!opened) {
      ResolveBones();
      return 0;
    }
    VoItemServices* master = VoItemServices::This();
    // The item reads what it knows; the rest of its block is skipped.
    if (VoIItem* item = master ? master->CreateItem(opened, this) : nullptr) item->Load(load);
    load.CloseChunk();
  }
}
