#include "editor/extend/CreateExtensionFor.h"

#include "editor/extend/GuiItemExtend.h"
#include "vocore/item/VoIItem.h"

ItemGui* CreateExtensionFor(VoIItem* item) {
  if (!item) return nullptr;
  // Companions are added per class id as they are built; every other class
  // gets an extension that holds none.
  switch (item->GetClassID()) {
    default:
      return nullptr;
  }
}

ItemGui* GetItemGui(VoIItem* item) {
  if (!item) return nullptr;
  auto* extend = dynamic_cast<GuiItemExtend*>(item->GetExtend());
  return extend ? extend->gui.Get() : nullptr;
}
