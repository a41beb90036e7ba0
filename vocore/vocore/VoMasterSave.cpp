// VoMaster::ExecSave: the block frame of every saved item. It lives with the
// master because the block is headed by the class name the registry knows.
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/persist/VoSave.h"
#include "vocore/vocore/VoMaster.h"

void VoMaster::ExecSave(VoIItem* item, VoSave& save) {
  if (!item) return;
  // The reader refuses blocks nested deeper than the engine's limit.
  if (save.GetDepth() >= VoIBranch::MaxDepth) {
    Frx::theFerrox.Log("　　アイテム \"%s\" の階層が深すぎるため保存しません。\n", item->GetName());
    return;
  }
  // A class without a registered descriptor has no name of its own: its block
  // is headed "Item", which every reader skips as an unknown block.
  const char* name = item->GetClassNameA();
  save.OpenChunk(name ? name : "Item");
  item->Save(save);
  save.CloseChunk();
}
