#include <algorithm>
#include <vector>

#include "editor/view/FramePieces.h"
#include "editor/document/CTireloDoc.h"
#include "editor/document/ItemControls.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

namespace FrameLoop {

void AutoKeyCharacter(VoICharacter* character, VoIMotion* motion, long frame) {
  if (!character || !motion) return;
  CTireloDoc* doc = GetDocument();
  if (motion->GetControlSize() == 0) {
    if (doc) ItemControls::ForCharacter(*doc->master, character, motion);
    motion->ChangeCurveType(VO_CURVE_SPLINE);
    character->RegistAllControl(motion);
    if (doc) doc->RefreshTreeItem(motion);
  }
  character->WriteAllControl(static_cast<float>(frame));
  if (doc) ++doc->keyEdits;
}

void DeferredPass(CTireloDoc& doc, VoICharacter* scoped) {
  if (!scoped || doc.deferred.empty()) return;
  std::vector<VoRefer<VoICharacter>> collected;
  for (VoIItem* item : doc.deferred) {
    if (!item || item->IsMotion() || item->IsControl() || item->IsCharacter()) continue;
    VoICharacter* owner = item->GetParentCharacter();
    if (!owner) continue;
    auto same = [owner](const VoRefer<VoICharacter>& c) { return c.Get() == owner; };
    if (std::any_of(collected.begin(), collected.end(), same)) continue;
    if (owner == scoped || scoped->Search(owner)) collected.emplace_back(owner);
  }
  if (collected.empty()) return;
  VoIBranch::ItemList motions;
  scoped->GetGroupList(motions, VoIMotion::CLASS_ID);
  if (motions.empty()) {
    if (!CTireloDoc::RoomForMotion(scoped)) return;
    ShowMessage(1, "%s にはモーションが存在しません。\n新規にモーションを生成します。\n",
                scoped->GetFullName(nullptr).Get());
    VoIMotion* motion = doc.NewMotion(scoped);
    motion->SetSafetyName("motion");
    scoped->SetMotion(motion);
    doc.QueueItem(motion);
  }
  for (VoRefer<VoICharacter>& ref : collected) {
    VoICharacter* character = ref.Get();
    VoIMotion* motion = character ? character->GetMotion() : nullptr;
    if (!motion) continue;
    AutoKeyCharacter(character, motion, static_cast<long>(motion->GetFrame()));
    doc.Pause();
  }
}

}  // namespace FrameLoop
