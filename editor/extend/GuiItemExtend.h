// GuiItemExtend: what the editor hangs on every item (VoIItem::extension).
// The item owns it through that bare pointer (VoMasterSavora makes and
// deletes it); it owns the only reference to the item's companion.
#pragma once

#include "editor/extend/ItemGui.h"
#include "vocore/item/VoItemExtend.h"
#include "vocore/item/VoRefer.h"

class GuiItemExtend : public VoItemExtend {
 public:
  GuiItemExtend() = default;
  // Drops the companion, which goes unless someone else still holds it.
  ~GuiItemExtend() override { gui.Clear(); }
  GuiItemExtend(const GuiItemExtend&) = delete;
  GuiItemExtend& operator=(const GuiItemExtend&) = delete;

  // Empty when the item's class has no companion.
  VoRefer<ItemGui> gui;
  // The project tree's entry of the item (owned by the tree); null when none.
  void* treeEntry = nullptr;
};
