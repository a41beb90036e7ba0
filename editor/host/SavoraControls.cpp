// The slots that make key controls for a branch or a character in a motion.
#include "editor/extend/VoMasterSavora.h"
#include "editor/host/SavoraHost.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"

namespace {

constexpr unsigned long kLocate = 17, kCoordinate = 18, kBone = 19, kWLocate = 20,
                        kSiblingBone = 21;

// Nested characters deeper than this get no controls (a loop of names).
constexpr int kMaxNesting = 64;

void MakeItemControls(VoMasterSavora& master, VoICharacter* character, VoIMotion* motion,
                      int depth) {
  if (motion->endframe == 0) motion->SetEndFrame(60);
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

void SavoraHost::CreateBranchControls(VoIBranch* branch, VoIMotion* motion) {
  if (!master_ || !branch || !motion) return;
  VoIBranch::ItemList group;
  branch->GetGroupList(group, VoIItem::CLASS_ID);
  for (VoIItem* item : group) {
    if (!item) continue;
    if (item->IsBone() || item->IsSiblingBone()) {
      master_->CreateControl(item, "rot", motion);
    } else if (item->IsCoordinate()) {
      master_->CreateControl(item, "pos", motion);
      master_->CreateControl(item, "rot", motion);
    } else if (item->IsLocate()) {
      master_->CreateControl(item, "pos", motion);
    } else {
      master_->CreateControl(item, nullptr, motion);
    }
  }
}

void SavoraHost::CreateItemControls(VoICharacter* character, VoIMotion* motion) {
  if (!master_ || !character || !motion) return;
  MakeItemControls(*master_, character, motion, 0);
}
