#include "editor/document/ItemControls.h"

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/item/VoDescent.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/vocore/VoMaster.h"

namespace {

constexpr unsigned long kLocate = 17, kCoordinate = 18, kBone = 19, kWLocate = 20,
                        kSiblingBone = 21;

// Nested characters deeper than this get no controls (a loop of names).
constexpr int kMaxNesting = 64;

// Whether controls and motions fit below the motion within the nesting limit.
bool RoomBelow(VoIMotion* motion) {
  if (Vo::Depth(motion) < VoIBranch::MaxDepth) return true;
  Frx::theFerrox.Log("　　モーション \"%s\" の下は階層が深すぎるためコントロールを作れません。\n", motion->GetName());
  return false;
}

void MakeItemControls(VoMaster& master, VoICharacter* character, VoIMotion* motion,
                      int depth) {
  if (motion->endframe == 0) motion->SetEndFrame(60);
  if (!RoomBelow(motion)) return;
  VoIBranch::ItemList group;
  character->GetGroupList(group, VoIItem::CLASS_ID);
  for (VoIItem* item : group) {
    if (!item || item->IsLock()) continue;
    switch (item->GetClassID()) {
      case kLocate:
        if (item->IsLocate()->IKchain != 1) master.CreateControl(item, "pos", motion);
        break;
      case kCoordinate:
        master.CreateControl(item, "pos", motion);
        master.CreateControl(item, "rot", motion);
        break;
      case kWLocate: master.CreateControl(item, "pos", motion); break;
      case kBone:
      case kSiblingBone: master.CreateControl(item, "rot", motion); break;
      default:
        if (VoICharacter* nested = item->IsCharacter()) {
          VoIMotion* sub = master.NewItem<VoIMotion>(motion);
          sub->SetName(nested->GetName());
        } else {
          master.CreateControl(item, nullptr, motion);
        }
        break;
    }
  }
  if (depth >= kMaxNesting) return;
  VoIBranch::ItemList children;
  motion->GetChildList(children, VoIMotion::CLASS_ID);
  for (VoIItem* child : children) {
    VoIMotion* sub = child ? child->IsMotion() : nullptr;
    if (!sub) continue;
    VoIItem* found = character->Search(VoICharacter::CLASS_ID, sub->GetName());
    if (VoICharacter* nested = found ? found->IsCharacter() : nullptr)
      MakeItemControls(master, nested, sub, depth + 1);
  }
}

}  // namespace

namespace ItemControls {

void ForBranch(VoMaster& master, VoIBranch* branch, VoIMotion* motion) {
  if (!branch || !motion || !RoomBelow(motion)) return;
  VoIBranch::ItemList group;
  branch->GetGroupList(group, VoIItem::CLASS_ID);
  for (VoIItem* item : group) {
    if (!item) continue;
    if (item->IsBone() || item->IsSiblingBone()) {
      master.CreateControl(item, "rot", motion);
    } else if (item->IsCoordinate()) {
      master.CreateControl(item, "pos", motion);
      master.CreateControl(item, "rot", motion);
    } else if (item->IsLocate()) {
      master.CreateControl(item, "pos", motion);
    } else {
      master.CreateControl(item, nullptr, motion);
    }
  }
}

void ForCharacter(VoMaster& master, VoICharacter* character, VoIMotion* motion) {
  if (!character || !motion) return;
  MakeItemControls(master, character, motion, 0);
}

}  // namespace ItemControls
