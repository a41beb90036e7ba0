#include "editor/tree/TreeRules.h"

#include "editor/document/CTireloDoc.h"

namespace TreeRules {

bool IsShown(VoIItem* item, int filter) {
  if (!item || (item->GetState() & VoIItem::STATE_MARK10)) return false;
  if (item->IsCharacter() || item->IsFile() || item->IsNote() || item->IsMotionSet()) return true;
  if ((filter & FilterObjects) && (item->IsObject() || item->IsGeometry() || item->IsModifier() || item->IsLocate()))
    return true;
  if ((filter & FilterSkeleton) && (item->IsCoordinate() || item->IsSkelton())) return true;
  if ((filter & FilterMotions) && (item->IsControl() || item->IsMotion())) return true;
  return false;
}

Frx::Pstring Label(VoIItem* item) {
  if (!item) return Frx::Pstring();
  Frx::Pstring label = item->GetNameEx();
  if (item->IsProblem()) label = Frx::Pstring("! ") + label;
  if (item->IsLock()) label = Frx::Pstring("\\ ") + label;
  if (item->IsHide()) label = Frx::Pstring("# ") + label;
  return label;
}

int Icon(VoIItem* item, const VoIItem* scoped) {
  if (!item) return 0;
  return item == scoped ? 30 : static_cast<int>(item->GetNumIcon());
}

bool Rename(VoIItem* item, const char* text) {
  if (!item || !text || !*text) return false;
  item->SetName(text);
  return true;
}

bool IsTopLevel(const CTireloDoc& doc, VoIItem* item) {
  if (!item) return false;
  if (doc.treeRootMode == 3) return false;
  if (item == doc.general.Get()) return true;
  return item == (doc.treeRootMode == 2 ? doc.current.Get() : doc.project.Get());
}

}  // namespace TreeRules
