#include "editor/extend/GuiItemExtend.h"

#include "vocore/item/VoIItem.h"

ItemGui* GetItemGui(VoIItem* item) {
  if (!item) return nullptr;
  auto* extend = dynamic_cast<GuiItemExtend*>(item->GetExtend());
  return extend ? extend->gui.Get() : nullptr;
}

namespace Companion {

void DispatchDrag(VoIItem* item, const MouseRecord& record) {
  if (!item || item->IsLock() || item->IsHide()) return;
  if (ItemGui* gui = GetItemGui(item)) gui->Drag(record);
}

void DispatchDraw(VoIItem* item) {
  if (!item || item->IsHide()) return;
  if (ItemGui* gui = GetItemGui(item)) gui->Draw();
}

}  // namespace Companion
