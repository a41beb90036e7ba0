#include "plugins/Osmira/DeformerInputs.h"

#include <algorithm>

#include "ferrox/link/Plist.h"
#include "plugins/Osmira/BoneDeformJob.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace Osmira {

namespace {

void Add(BoneSet& set, VoIBone* bone, bool standard) {
  set.bones.push_back(bone);
  set.segments.push_back(standard ? Segment{bone->GetSPosStart(), bone->GetSPosEnd()}
                                  : Segment{bone->GetWPosStart(), bone->GetWPosEnd()});
  set.reaches.push_back(bone->GetHeadLength());
}

}  // namespace

BoneSet DistanceBones(VoISkelton* skeleton, bool standard) {
  BoneSet set;
  if (!skeleton) return set;
  Frx::Plist<VoIItem> list;
  skeleton->MakeList_Group(&list, VoIBone::CLASS_ID);
  for (VoIItem* item : list)
    if (VoIBone* bone = item->IsBone()) Add(set, bone, standard);
  return set;
}

BoneSet AnchorBones(VoISkelton* skeleton) {
  BoneSet set;
  if (!skeleton) return set;
  VoIBranch::ItemList list;
  skeleton->GetGroupList(list, VoIBone::CLASS_ID);
  for (const VoRefer<VoIItem>& ref : list)
    if (VoIBone* bone = ref ? ref->IsBone() : nullptr) Add(set, bone, true);
  return set;
}

std::vector<AnchorInput> GatherAnchors(VoIBranch* deformer, const std::vector<VoIBone*>& bones) {
  std::vector<AnchorInput> anchors;
  for (VoIItem* c = deformer->GetFirstChild(); c; c = deformer->GetNextChild(c)) {
    VoIPolygon* polygon = c->IsPolygon();
    if (!polygon) continue;
    VoICoordinate* coordinate = polygon->GetCoordinate();
    const auto at = std::find(bones.begin(), bones.end(), coordinate ? coordinate->IsBone() : nullptr);
    const int bone = coordinate && at != bones.end() ? int(at - bones.begin()) : -1;
    anchors.push_back({polygon->GetName(), polygon->GetVertex(), polygon->GetFace(), bone});
  }
  return anchors;
}

Frx::Pmatrix NullMatrix() {
  VoMaster* master = VoMaster::This();
  VoICoordinate* root = master ? master->GetNullCoordinate() : nullptr;
  return root && IsFinite(root->GetMatrixL2W()) ? root->GetMatrixL2W() : Frx::Pmatrix::id;
}

Frx::Pmatrix DeformMatrix(VoIBone* bone) {
  if (!bone) return NullMatrix();
  const Frx::Pmatrix m = bone->GetMatrixS2W();
  return IsFinite(m) ? m : NullMatrix();
}

}  // namespace Osmira
