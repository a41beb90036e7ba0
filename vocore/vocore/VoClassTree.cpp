// Class-tree queries and operations on lists of counted item references.
#include <cstdint>

#include "vocore/item/VoIItem.h"
#include "vocore/item/VoNameCompare.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Whether the item's cast slots allow it to be of the engine class `classId`;
// -1 for a class no cast slot answers for.
int FitsEngineClass(VoIItem* item, unsigned long classId) {
  switch (classId) {
    case 1: return 1;
    case 2: return item->IsBranch() != nullptr;
    case 3: return item->IsCharacter() != nullptr;
    case 4: return item->IsFile() != nullptr;
    case 5: return item->IsInstance() != nullptr;
    case 6: return item->IsSkelton() != nullptr;
    case 8: return item->IsMotionSet() != nullptr;
    case 17: return item->IsLocate() != nullptr;
    case 18: return item->IsCoordinate() != nullptr;
    case 19: return item->IsBone() != nullptr;
    case 20: return item->IsWLocate() != nullptr;
    case 21: return item->IsSiblingBone() != nullptr;
    case 33: return item->IsObject() != nullptr;
    case 34: return item->IsModifier() != nullptr;
    case 35: return item->IsGeometry() != nullptr;
    case 36: return item->IsPolygon() != nullptr;
    case 37: return item->IsCamera() != nullptr;
    case 38: return item->IsLight() != nullptr;
    case 65: return item->IsTexture() != nullptr;
    case 67: return item->IsMaterial() != nullptr;
    case 68: return item->IsNote() != nullptr;
    case 70: return item->IsScript() != nullptr;
    case 96: return item->IsControl() != nullptr;
    case 97: return item->IsMotion() != nullptr;
    default: return -1;
  }
}

}  // namespace

int VoMaster::DescriptorFits(VoClassDescItem* desc, VoIItem* item) {
  // Up the descriptor's parents to the first engine class a cast slot answers
  // for; a chain that never reaches one does not rule the item out.
  std::size_t steps = 0;
  for (unsigned long id = desc->ParentClassID(); steps <= itemDescs.size(); ++steps) {
    const int fits = FitsEngineClass(item, id);
    if (fits >= 0) return fits;
    VoClassDescItem* parent = GetClassDescItem(id);
    if (!parent) return 1;
    id = parent->ParentClassID();
  }
  return 1;
}

int VoMaster::IsSubclass(VoIItem* item, unsigned long classId) {
  if (classId == 1) return 1;
  // Through the item's own descriptor: two plug-ins may share a class id with
  // different parents, and only the item can tell which one it belongs to.
  VoClassDescItem* desc = item ? GetClassDescItem(item) : nullptr;
  if (!desc) return 0;
  if (desc->ClassID() == classId) return 1;
  const std::size_t slot =
      ((reinterpret_cast<std::uintptr_t>(desc) >> 4) ^ (classId * 0x9E3779B1u)) % subclassAnswers.size();
  SubclassAnswer& answer = subclassAnswers[slot];
  if (answer.desc != desc || answer.classId != classId)
    answer = {desc, classId, IsSubclassID(desc->ParentClassID(), classId)};
  return answer.result;
}

int VoMaster::IsSubclassID(unsigned long itemClassId, unsigned long classId) {
  if (classId == 1) return 1;
  // A chain longer than the registry has descriptors runs in a circle (a
  // plug-in naming a descendant as its parent): stop there.
  std::size_t steps = 0;
  for (VoClassDescItem* desc = GetClassDescItem(itemClassId); desc && steps <= itemDescs.size();
       desc = GetClassDescItem(desc->ParentClassID()), ++steps) {
    if (desc->ClassID() == classId) return 1;
  }
  return 0;
}

void VoMaster::ListWeedOut(ItemList& out, ItemList& in, unsigned long classId) {
  // Only the items that were in the list at the start: when out is in, the
  // appended copies must not be walked again (and again).
  std::size_t left = in.size();
  for (auto it = in.begin(); left > 0; ++it, --left) {
    VoIItem* item = *it;
    if (item && IsSubclass(item, classId)) out.emplace_back(item);
  }
}

VoIItem* VoMaster::ListSearchItem(ItemList& list, const char* name) {
  for (VoRefer<VoIItem>& ref : list) {
    VoIItem* item = ref;
    if (item && VoName::Same(item->GetName(), name)) return item;
  }
  return nullptr;
}
