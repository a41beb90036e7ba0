#include "editor/extend/GuiItemExtend.h"

#include <typeinfo>

#include "vocore/item/VoIItem.h"

ItemGui* GetItemGui(VoIItem* item) {
  if (!item) return nullptr;
  VoItemExtend* raw = item->GetExtend();
  if (!raw) return nullptr;
  // The editor's own extensions are exactly GuiItemExtend: no cast search.
  auto* extend = typeid(*raw) == typeid(GuiItemExtend) ? static_cast<GuiItemExtend*>(raw)
                                                         : dynamic_cast<GuiItemExtend*>(raw);
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
