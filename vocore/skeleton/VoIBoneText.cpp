// The bone's text block: its frame and the names of its start and end.
#include "ferrox/string/PstrCmp.h"
#include "vocore/item/VoParentCharacter.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {
// Start and end are locates of any kind, so the search runs over class
// Locate, in the enclosing character or, for a skeleton read on its own,
// the enclosing skeleton. The bone never resolves to itself.
VoILocate* FindLocate(VoIBone* bone, const char* wanted) {
  VoIBranch* group = Vo::ParentCharacterBranch(bone);
  if (!group) group = bone->VoILocate::GetSkelton();
  if (!group) return nullptr;
  VoIBranch::ItemList list;
  group->GetGroupList(list, VoILocate::CLASS_ID);
  for (const auto& ref : list) {
    VoIItem* item = ref.Get();
    if (!item || item == bone || !Frx::PstrCmp2(item->GetName(), wanted, 0)) continue;
    if (VoILocate* l = item->IsLocate()) return l;
  }
  return nullptr;
}
}  // namespace

void VoIBone::ResolveLocates() {
  if (!pendingStart.empty())
    if (VoILocate* l = FindLocate(this, pendingStart.c_str())) {
      SetStartLocate(l);
      pendingStart.clear();
    }
  if (!pendingEnd.empty())
    if (VoILocate* l = FindLocate(this, pendingEnd.c_str())) {
      SetEndLocate(l);
      pendingEnd.clear();
    }
}

int VoIBone::Save(VoSave& save) {
  VoIObject::Save(save);
  SaveRotations(save);
  if (VoILocate* l = GetStartLocate()) save.Write("start = \"%s\"\n", l->GetName());
  if (VoILocate* l = GetEndLocate()) save.Write("end = \"%s\"\n", l->GetName());
  return 1;
}

int VoIBone::Load(VoLoad& load) {
  for (;;) {
    if (VoIObject::Load(load) || LoadRotation(load)) continue;
    char text[1024];
    if (load.Read(" start = \"%s\"", text, static_cast<int>(sizeof text))) {
      pendingStart = text;
      ResolveLocates();
      continue;
    }
    if (load.Read(" end = \"%s\"", text, static_cast<int>(sizeof text))) {
      pendingEnd = text;
      ResolveLocates();
      continue;
    }
    return 0;
  }
}
