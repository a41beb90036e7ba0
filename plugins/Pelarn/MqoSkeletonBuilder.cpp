// The skeleton items of a document: locates, bones, sibling bones with their
// springs, linked into a tree and arranged.
#include <cmath>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Pelarn/MqoSceneBuilder.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoISpring.h"
#include "vocore/skeleton/VoIWLocate.h"
#include "vocore/vocore/VoMaster.h"

namespace Mqo {

namespace {

float Distance(const Frx::Pvector& a, const Frx::Pvector& b) {
  const Frx::Pvector d = a - b;
  return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

// A spring that keeps a sibling bone at its rest length. It hangs from no
// branch: the skeleton's spring array holds it and releases it.
void AddSpring(VoMaster& master, VoISkelton* skeleton, VoIBone* bone, VoILocate* start, VoILocate* end,
               float rest) {
  auto* spring = new VoISpring(nullptr);
  master.CreateState(spring);
  spring->bone = bone;
  spring->a = start;
  spring->b = end;
  spring->rest = rest;
  skeleton->AddSpring(spring);
}

}  // namespace

std::vector<VoIBone*> BuildSkeletonItems(VoMaster& master, const Document& doc, VoIBranch* parent) {
  std::vector<VoIBone*> bones(doc.bones.size(), nullptr);
  if (doc.locates.empty() && doc.bones.empty()) return bones;
  VoISkelton* skeleton = master.NewItem<VoISkelton>(parent);

  // Only bone ends become locates; a corner that is only a head stays a record.
  std::vector<VoILocate*> locates(doc.locates.size(), nullptr);
  for (size_t i = 0; i < doc.locates.size(); ++i) {
    const Locate& record = doc.locates[i];
    if (!(record.flags & (Locate::START | Locate::END))) continue;
    VoILocate* locate = (record.flags & Locate::SIBLING) ? master.NewItem<VoIWLocate>(skeleton)
                                                         : master.NewItem<VoILocate>(skeleton);
    locate->SetName(record.name.c_str());
    locate->SetWPos(record.position);
    locates[i] = locate;
  }

  for (size_t i = 0; i < doc.bones.size(); ++i) {
    const Bone& record = doc.bones[i];
    VoIBone* bone = (record.flags & Bone::SIBLING) ? master.NewItem<VoISiblingBone>(skeleton)
                                                   : master.NewItem<VoIBone>(skeleton);
    bones[i] = bone;
    bone->SetName(record.name.c_str());
    bone->headLength = 0.0f;  // Arrange takes it from the head vector
    const Frx::Pvector& start = doc.locates[record.start].position;
    const Frx::Pvector& end = doc.locates[record.end].position;
    VoILocate* startLocate = locates[record.start];
    VoILocate* endLocate = locates[record.end];
    bone->SetStartLocate(startLocate);
    bone->SetEndLocate(endLocate);
    bone->SetHeadVector(doc.locates[record.head].position - start);
    bone->SetWPos(start);
    for (int index : record.affect)
      bone->AddAffectLocate(index >= 0 ? locates[index] : nullptr,
                            index >= 0 ? doc.locates[index].position : Frx::Pvector(0.0f, 0.0f, 0.0f));
    if ((record.flags & Bone::NO_BONE_AT_START) && startLocate) {
      startLocate->IKchain = 0;
      if (record.parent >= 0) startLocate->SwLock(1);
    }
    if (record.flags & Bone::SIBLING) {
      AddSpring(master, skeleton, bone, startLocate, endLocate, Distance(start, end));
      bone->SetHeadLocate(locates[record.head]);
    }
  }

  if (Frx::theFerrox.debug) Frx::theFerrox.LogOut("\t階層構造構築\n");
  for (size_t i = 0; i < doc.locates.size(); ++i) {
    const Locate& record = doc.locates[i];
    if (!locates[i] || record.parent < 0) continue;
    VoIItem* above = record.parentIsLocate ? static_cast<VoIItem*>(locates[record.parent])
                                           : static_cast<VoIItem*>(bones[record.parent]);
    if (VoIBranch* branch = above ? above->IsBranch() : nullptr) locates[i]->Link(branch);
  }
  for (size_t i = 0; i < doc.bones.size(); ++i)
    if (doc.bones[i].parent >= 0) bones[i]->Link(bones[doc.bones[i].parent]);
  skeleton->InitialUpdate();
  return bones;
}

}  // namespace Mqo
