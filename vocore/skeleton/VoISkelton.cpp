#include "vocore/skeleton/VoISkelton.h"

#include "vocore/item/VoDescent.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISpring.h"

VoISkelton::VoISkelton(VoIBranch* p) : VoIBranch(p) { state = 0; }

VoISkelton::~VoISkelton() = default;

void VoISkelton::Release() {
  if (IsRelease()) return;
  std::vector<VoRefer<VoISpring>> held;
  held.swap(springs);
  VoItemServices* master = VoItemServices::This();
  for (auto& ref : held)
    if (VoISpring* s = ref.Get()) master ? master->ReleaseItem(s) : s->Release();
  held.clear();
  VoIBranch::Release();
}

void VoISkelton::AddSpring(VoISpring* spring) {
  if (spring) springs.emplace_back(spring);
}

int VoISkelton::Update(unsigned long counter) {
  VoIBranch::Update(counter);
  return 1;
}

void VoISkelton::ConvL2W(const Frx::Pmatrix& parentWorld, int force) {
  Vo::Descent down(Vo::Walk::ToWorld);
  if (!down) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* l = c->IsLocate()) l->ConvL2W(parentWorld, force);
}

void VoISkelton::ConvW2L(const Frx::Pmatrix&, int force) {
  VoISkelton* skelton = VoIItem::GetSkelton();
  if (!skelton) skelton = this;
  skelton->ConvRotateW2L(force);
  skelton->ConvTransW2L(force);
}

namespace {
// A plain coordinate that nobody moved holds a local rotation already;
// converting it again as a world rotation would turn it by the inverse of
// its parent on every pass. Bones decide for themselves from their flag.
void RotateOne(VoICoordinate* c, int force) {
  if (c->IsBone() || c->IsChanged() || force) c->ConvRotateW2L(force);
  c->MakeWorldMatrix(c->GetParentMatrix());
}

void RotateTree(VoICoordinate* c, int force, int depth) {
  if (depth > VoIBranch::MaxDepth) return;
  RotateOne(c, force);
  for (VoIItem* k = c->GetFirstChild(); k; k = c->GetNextChild(k))
    if (VoICoordinate* child = k->IsCoordinate()) RotateTree(child, force, depth + 1);
}

void TransTree(VoILocate* l, int force, int depth) {
  if (depth > VoIBranch::MaxDepth) return;
  l->ConvTransW2L(force);
  l->MakeWorldMatrix(l->GetParentMatrix());
  for (VoIItem* k = l->GetFirstChild(); k; k = l->GetNextChild(k))
    if (VoILocate* child = k->IsLocate()) TransTree(child, force, depth + 1);
}
}  // namespace

void VoISkelton::ConvRotateW2L(int force) {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoICoordinate* coordinate = c->IsCoordinate()) RotateTree(coordinate, force, 0);
}

void VoISkelton::ConvTransW2L(int force) {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* l = c->IsLocate()) TransTree(l, force, 0);
}

void VoISkelton::MakeList_Skelton(std::list<VoILocate*>* list) {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* l = c->IsLocate()) l->MakeSkeltonList(list);
}

void VoISkelton::StandardPosition() {
  ItemList list;
  GetGroupList(list, VoILocate::CLASS_ID);
  for (const auto& ref : list)
    if (VoIItem* item = ref.Get())
      if (VoILocate* l = item->IsLocate()) l->StandardPosition();
}

void VoISkelton::StandardRotate() {
  ItemList list;
  GetGroupList(list, VoICoordinate::CLASS_ID);
  for (const auto& ref : list)
    if (VoIItem* item = ref.Get())
      if (VoICoordinate* c = item->IsCoordinate()) c->StandardRotate();
}

void VoISkelton::InitialUpdate() {
  Vo::Descent down(Vo::Walk::Arrange);
  if (!down) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) c->Arrange();
}

VoILocate* VoISkelton::GetLocate(const char* wanted) {
  if (!wanted) return nullptr;
  VoIItem* item = SearchGroupItem(wanted, VoILocate::CLASS_ID);
  return item ? item->IsLocate() : nullptr;
}

VoIBone* VoISkelton::GetBone(const char* wanted) {
  if (!wanted) return nullptr;
  VoIItem* item = SearchGroupItem(wanted, VoIBone::CLASS_ID);
  return item ? item->IsBone() : nullptr;
}
