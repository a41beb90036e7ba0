// GuiItemExtend: what the editor hangs on every item (VoIItem::extension).
// The item owns it through that bare pointer (VoMasterSavora makes and
// deletes it); it owns the only reference to the item's companion. Below it,
// how the editor reaches an item's companion.
#pragma once

#include "editor/extend/ItemGui.h"
#include "editor/manip/MouseRecord.h"
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

// The companion held by the item's GuiItemExtend; null when the item has no
// extension or the extension holds none.
ItemGui* GetItemGui(VoIItem* item);

namespace Companion {

// The item's companion drags, unless the item is locked or hidden.
void DispatchDrag(VoIItem* item, const MouseRecord& record);
// The item's companion draws, unless the item is hidden.
void DispatchDraw(VoIItem* item);

}  // namespace Companion
