#include "vocore/item/VoIBranch.h"

#include <algorithm>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/PstrCmp.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoItemServices.h"

namespace {
bool SameName(const char* a, const char* b) { return Frx::PstrCmp2(a, b, 0) == 1; }

int IsSubclass(VoIItem* item, unsigned long classId) {
  if (classId == 1) return 1;
  if (VoItemServices* master = VoItemServices::This()) return master->IsSubclass(item, classId);
  return item->GetClassID() == classId ? 1 : 0;
}
}  // namespace

VoIBranch::VoIBranch(VoIBranch* p) : VoIItem(p) {}

VoIBranch::~VoIBranch() {
  // Children still linked belong to a branch that was deleted without being
  // released (a branch on the stack, say). Detach each one and drop the
  // tree's count on it; children referenced elsewhere stay alive, released.
  // The guard count keeps their parent references from deleting us again.
  AddRef();
  while (children.next != &children) {
    VoIItem* child = VoItemOfLink(children.next);
    child->Frx::Plink::Page();
    child->parent.Clear();
    if (!child->IsRelease()) child->Release();
  }
  references.clear();
  if (count > 0) --count;
}

VoIItem* VoIBranch::GetFirstChild() {
  return children.next == &children ? nullptr : VoItemOfLink(children.next);
}

VoIItem* VoIBranch::GetNextChild(VoIItem* child) {
  if (!child) return nullptr;
  Frx::Plink* next = child->next;
  // A child that left the ring points to itself: the walk ends there.
  if (next == &children || next == static_cast<Frx::Plink*>(child)) return nullptr;
  return VoItemOfLink(next);
}

int VoIBranch::GetChildCount() {
  int n = 0;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) ++n;
  return n;
}

int VoIBranch::Update(unsigned long counter) {
  Vo::Descent down(Vo::Walk::Update);
  if (!down) return 1;
  // A child's update may release itself or a sibling: walk a counted snapshot
  // and skip whatever has left this branch meanwhile.
  std::vector<VoRefer<VoIItem>> snapshot;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) snapshot.emplace_back(c);
  VoItemServices* master = VoItemServices::This();
  for (auto& ref : snapshot) {
    VoIItem* child = ref.Get();
    if (!child || child->parent.GetRaw() != this) continue;
    child->updateStamp = master ? master->GetUpdateCounter() : static_cast<unsigned short>(counter);
    child->Update(counter);
    child->FlushUpdateFlag();
  }
  return 1;
}

VoIItem* VoIBranch::GetItem(const char* wanted) {
  if (!wanted) return nullptr;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    if (Frx::theFerrox.debug) Frx::theFerrox.Log("cmp %s, %s\n", c->GetName(), wanted);
    if (SameName(c->GetName(), wanted)) return c;
  }
  return nullptr;
}

VoIItem* VoIBranch::GetItemArray(int n, unsigned long classId) {
  if (n < 0) return nullptr;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (c->GetClassID() == classId && n-- == 0) return c;
  return nullptr;
}

int VoIBranch::Sort() {
  std::vector<VoIItem*> order;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) order.push_back(c);
  std::stable_sort(order.begin(), order.end(),
                   [](VoIItem* a, VoIItem* b) { return a->GetClassID() < b->GetClassID(); });
  // Relinking keeps every parent reference: only the ring order changes.
  for (VoIItem* c : order) {
    c->Frx::Plink::Page();
    c->LinkTail(&children);
  }
  return 1;
}

void VoIBranch::CollectList(ItemList& list, unsigned long classId, int mode, int depth) {
  if (depth > MaxDepth) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    if (IsSubclass(c, classId)) list.emplace_back(c);
    VoIBranch* branch = c->IsBranch();
    if (!branch || mode == 0) continue;
    if (mode == 1 && c->IsCharacter()) continue;  // nested characters are other groups
    branch->CollectList(list, classId, mode, depth + 1);
  }
}

void VoIBranch::GetChildList(ItemList& list, unsigned long classId) { CollectList(list, classId, 0, 0); }
void VoIBranch::CollectPlist(Frx::Plist<VoIItem>* list, unsigned long classId, bool intoPolygons,
                             int depth) {
  if (!list || depth > MaxDepth) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    if (classId == 0 || c->GetClassID() == classId) list->Append(c);
    VoIBranch* b = c->IsBranch();
    if (b && (intoPolygons || !c->IsPolygon())) b->CollectPlist(list, classId, intoPolygons, depth + 1);
  }
}

void VoIBranch::MakeList_Group(Frx::Plist<VoIItem>* list, unsigned long classId) {
  CollectPlist(list, classId, false, 0);
}

void VoIBranch::MakeList_All(Frx::Plist<VoIItem>* list, unsigned long classId) {
  CollectPlist(list, classId, true, 0);
}

void VoIBranch::GetGroupList(ItemList& list, unsigned long classId) { CollectList(list, classId, 1, 0); }
void VoIBranch::GetAllList(ItemList& list, unsigned long classId) { CollectList(list, classId, 2, 0); }

namespace {
VoIItem* FirstNamed(const VoIBranch::ItemList& list, const char* wanted) {
  if (!wanted) return nullptr;
  for (const auto& ref : list)
    if (VoIItem* item = ref.Get(); item && SameName(item->GetName(), wanted)) return item;
  return nullptr;
}
}  // namespace

VoIItem* VoIBranch::SearchGroupItem(const char* wanted, unsigned long classId) {
  ItemList list;
  GetGroupList(list, classId);
  return FirstNamed(list, wanted);
}

VoIItem* VoIBranch::SearchAllItem(const char* wanted, unsigned long classId) {
  ItemList list;
  GetAllList(list, classId);
  return FirstNamed(list, wanted);
}

VoIItem* VoIBranch::Search(unsigned long classId, const char* wanted) {
  if (!wanted) return nullptr;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (IsSubclass(c, classId) && SameName(c->GetName(), wanted)) return c;
  return nullptr;
}

int VoIBranch::Search(VoIItem* item) {
  // Up from the item rather than down through the subtree: the same answer
  // (a child in the ring of its parent, at most MaxDepth + 1 levels down) in
  // the item's depth instead of the subtree's size.
  const VoIItem* c = item;
  for (int levels = 0; c && levels <= MaxDepth; ++levels) {
    // A child that left its parent's ring points to itself.
    if (c->next == static_cast<const Frx::Plink*>(c)) return 0;
    const VoIBranch* up = c->parent.GetRaw();
    if (up == this) return 1;
    c = up;
  }
  return 0;
}
