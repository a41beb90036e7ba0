// What the project tree shows: which items get an entry, their labels and
// icons, and under which entry an item's entry goes. No widgets here.
#pragma once

#include "ferrox/string/Pstring.h"

class CTireloDoc;
class VoIItem;

namespace TreeRules {

// Filter bits of the document's tree filter.
enum : int { FilterObjects = 1, FilterSkeleton = 2, FilterMotions = 4 };

// Whether `item` gets an entry under `filter`.
bool IsShown(VoIItem* item, int filter);
// The name with its marks: "# " hidden, "\ " locked, "! " problem, in that order.
Frx::Pstring Label(VoIItem* item);
// Index in the 16-pixel image list; the scoped character shows 30.
int Icon(VoIItem* item, const VoIItem* scoped);
// End of label editing: a non-empty text becomes the item's plain name
// (the marks are not part of it). False when nothing changed.
bool Rename(VoIItem* item, const char* text);
// The top-level items the root mode shows: "project" (mode 0) or the scoped
// character (mode 2), then "general"; none in mode 3.
bool IsTopLevel(const CTireloDoc& doc, VoIItem* item);
// The nearest ancestor of `item` for which `hasEntry` answers true; null when
// none (the item is then shown only when it is a top-level item).
template <class HasEntry>
VoIItem* EntryParent(VoIItem* item, HasEntry hasEntry);

}  // namespace TreeRules

#include "vocore/item/VoIBranch.h"

template <class HasEntry>
VoIItem* TreeRules::EntryParent(VoIItem* item, HasEntry hasEntry) {
  int depth = 0;
  for (VoIItem* p = item ? item->GetParent() : nullptr; p && depth < VoIBranch::MaxDepth;
       p = p->GetParent(), ++depth)
    if (hasEntry(p)) return p;
  return nullptr;
}
