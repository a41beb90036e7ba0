#include "editor/timebar/PuiCharacter.h"

#include "editor/extend/CompanionContext.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/timebar/PuiMotion.h"
#include "editor/timebar/TimeLine.h"
#include "ferrox/draw/PDraw.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

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
  if (TimeLine* t = CurrentTimeLine()) pixelsPerFrame = t->GetPixelsPerFrame(), timeScroll = t->GetTimeScroll();
}

VoICharacter* PuiCharacter::Character() const { return item ? item->IsCharacter() : nullptr; }

void PuiCharacter::Refresh() {
  CompanionContext* context = Companion::Context();
  Frx::Draw::PDraw* draw = context ? context->GetDraw() : nullptr;
  width = draw ? static_cast<float>(draw->screenWidth) : 0.0f;
  top = (draw ? static_cast<float>(draw->screenHeight) : 0.0f) - 16.0f;
}

void PuiCharacter::Drag(MouseRecord r) {
  VoICharacter* character = Character();
  if (!character) return;
  Refresh();
  ForEach(character, false, [&](VoIItem* item) { Companion::DispatchDrag(item, r); });
  if (VoIMotion* motion = character->GetMotion()) {
    if (auto* pui = dynamic_cast<PuiMotion*>(GetItemGui(motion))) pui->character = character;
    Companion::DispatchDrag(motion, r);
  }
}

void PuiCharacter::Draw() {
  VoICharacter* character = Character();
  if (!character) return;
  Refresh();
  {
    // Marks and bone shapes of every item go out in a few device calls.
    OverlayBatch batch(true);
    Companion::BatchScope scope(batch);
    ForEach(character, true, [&](VoIItem* item) { Companion::DispatchDraw(item); });
  }
  if (VoIMotion* motion = character->GetMotion()) Companion::DispatchDraw(motion);
}
