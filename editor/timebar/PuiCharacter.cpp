#include "editor/timebar/PuiCharacter.h"

#include "editor/document/CTireloDoc.h"
#include "editor/extend/CompanionContext.h"
#include "editor/extend/CreateExtensionFor.h"
#include "editor/extend/VoMasterSavora.h"
#include "editor/host/SavoraHost.h"
#include "editor/timebar/PuiMotion.h"
#include "ferrox/draw/PDraw.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

VoMasterSavora* Master() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->master : nullptr;
}

// Skeleton items reached through the objects pass too (locates are objects)
// are drawn once, by the skeleton pass.
bool InSkeleton(VoISkelton* skelton, VoIItem* item) {
  return skelton && item->IsLocate() && skelton->IsAncestorOf(item);
}

template <class Dispatch>
void ForEach(VoICharacter* character, bool drawing, Dispatch dispatch) {
  VoISkelton* skelton = character->GetSkelton();
  VoIBranch::ItemList list;
  if (skelton) {
    skelton->GetGroupList(list, VoIItem::CLASS_ID);
    for (VoIItem* item : list)
      if (item) dispatch(item);
    list.clear();
  }
  if (drawing)
    character->GetGroupList(list, VoIObject::CLASS_ID);
  else
    character->GetChildList(list, VoIObject::CLASS_ID);
  for (VoIItem* item : list)
    if (item && !item->IsCharacter() && !InSkeleton(skelton, item)) dispatch(item);
  // Value items (the weights of morphs) are no objects: without this pass
  // their sliders could never be seen or dragged.
  list.clear();
  character->GetGroupList(list, VoIValue::CLASS_ID);
  for (VoIItem* item : list)
    if (item) dispatch(item);
}

}  // namespace

PuiCharacter::PuiCharacter(VoICharacter* character) : ItemGui(character) {
  if (CTireloDoc* doc = GetDocument()) pixelsPerFrame = doc->PixelsPerFrame, timeScroll = doc->TimeScroll;
}

VoICharacter* PuiCharacter::Character() const { return item ? item->IsCharacter() : nullptr; }

void PuiCharacter::Refresh() {
  Frx::Draw::PDraw* draw = TheHost().GetDraw();
  width = draw ? static_cast<float>(draw->screenWidth) : 0.0f;
  top = (draw ? static_cast<float>(draw->screenHeight) : 0.0f) - 16.0f;
}

void PuiCharacter::Drag(MouseRecord r) {
  VoICharacter* character = Character();
  VoMasterSavora* master = Master();
  if (!character || !master) return;
  Refresh();
  ForEach(character, false, [&](VoIItem* item) { master->DispatchDrag(item, r); });
  if (VoIMotion* motion = character->GetMotion()) {
    if (auto* pui = dynamic_cast<PuiMotion*>(GetItemGui(motion))) pui->character = character;
    master->DispatchDrag(motion, r);
  }
}

void PuiCharacter::Draw() {
  VoICharacter* character = Character();
  VoMasterSavora* master = Master();
  if (!character || !master) return;
  Refresh();
  {
    // Marks and bone shapes of every item go out in a few device calls.
    OverlayBatch batch;
    Companion::BatchScope scope(batch);
    ForEach(character, true, [&](VoIItem* item) { master->DispatchDraw(item); });
  }
  if (VoIMotion* motion = character->GetMotion()) master->DispatchDraw(motion);
}
