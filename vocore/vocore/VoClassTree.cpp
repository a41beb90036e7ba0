// Class-tree queries and operations on lists of counted item references.
#include "vocore/item/VoIItem.h"
#include "vocore/item/VoNameCompare.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

int VoMaster::IsSubclass(VoIItem* item, unsigned long classId) {
  if (classId == 1) return 1;
  return item ? IsSubclassID(item->GetClassID(), classId) : 0;
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
