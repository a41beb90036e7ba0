#include "editor/document/CreateExtensionFor.h"

#include <new>

#include "editor/extend/GuiBone.h"
#include "editor/extend/GuiCamera.h"
#include "editor/extend/GuiLocate.h"
#include "editor/extend/GuiObjectSelecter.h"
#include "editor/extend/GuiValue.h"
#include "editor/timebar/PuiCharacter.h"
#include "editor/timebar/PuiMotion.h"
#include "vocore/item/VoIItem.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

template <class Gui, class Item>
ItemGui* Make(Item* served) {
  if (!served) return nullptr;
  return new (std::nothrow) Gui(served);
}

}  // namespace

ItemGui* CreateExtensionFor(VoIItem* item) {
  if (!item) return nullptr;
  switch (item->GetClassID()) {
    case 3: return Make<PuiCharacter>(item->IsCharacter());
    case 17: return Make<GuiLocate>(item->IsLocate());
    case 18: return Make<GuiCoordinate>(item->IsCoordinate());
    case 19: return Make<GuiBone>(item->IsBone());
    case 20: return Make<GuiWLocate>(item->IsWLocate());
    case 21: return Make<GuiSiblingBone>(item->IsSiblingBone());
    case 37: return Make<GuiCamera>(item->IsCamera());
    case 69: return Make<GuiValue>(item);
    case 97: return Make<PuiMotion>(item->IsMotion());
    case 99:
    case 100:
    case 102:
    case 105: return Make<PuiKeyControl>(item->IsKeyControl() ? item : nullptr);
    case GuiObjectSelecter::ClassId: return Make<GuiObjectSelecter>(item);
    default: return nullptr;
  }
}
