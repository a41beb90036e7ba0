#include "vocore/skeleton/VoILocate.h"

#include "vocore/item/VoDescent.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoIWLocate.h"

VoIWLocate::~VoIWLocate() = default;

VoILocate::VoILocate(VoIBranch* p) : VoIObject(p) {}

void VoILocate::MakeWorldMatrix(const Frx::Pmatrix& parentWorld) {
  Frx::Pmatrix local;
  local.SetTranslate(pos);
  L2W = local * parentWorld;
}

void VoILocate::ConvL2W(const Frx::Pmatrix& parentWorld, int force) {
  changed = 0;
  MakeWorldMatrix(parentWorld);
  Vo::Descent down(Vo::Walk::ToWorld);
  if (!down) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* child = c->IsLocate()) child->ConvL2W(L2W, force);
}

void VoILocate::ConvW2L(const Frx::Pmatrix& parentWorld, int force) {
  if (!changed && !force) return;
  pos = parentWorld.GetInverse() * GetWPos();
  MakeWorldMatrix(parentWorld);
  Vo::Descent down(Vo::Walk::ToLocal);
  if (!down) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* child = c->IsLocate()) child->ConvW2L(L2W, force);
}

void VoILocate::ConvTransW2L(int force) {
  if (!changed && !force) return;
  pos = GetParentMatrix().GetInverse() * GetWPos();
}

void VoILocate::ConvRotateW2L(int) {}

void VoILocate::StandardPosition() { pos = spos; }

int VoILocate::Arrange() {
  VoIBranch* up = GetParent();
  if (up && !up->IsRelease())
    if (VoILocate* from = up->IsLocate()) SetCoordinate(from);
  ConvTransW2L(0);
  MakeWorldMatrix(GetParentMatrix());
  spos = pos;
  int result = 1;
  Vo::Descent down(Vo::Walk::Arrange);
  if (!down) return result;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (!c->Arrange()) result = 0;
  return result;
}

int VoILocate::Update(unsigned long counter) {
  VoIBranch::Update(counter);
  return 1;
}

Frx::Pvector VoILocate::GetSPos() {
  VoICoordinate* local = GetLocalCoordinate();
  if (!local) return pos;
  return local->S.GetInverse() * pos;
}

int VoILocate::IsEndSite() {
  VoIBranch* up = GetParent();
  if (!up) return 1;
  for (VoIItem* c = up->GetFirstChild(); c; c = up->GetNextChild(c))
    if (c->IsCoordinate()) return 0;
  return 1;
}

VoISkelton* VoILocate::GetSkelton() {
  int guard = 0;
  for (VoIBranch* p = GetParent(); p && guard < VoIBranch::MaxDepth; p = p->GetParent(), ++guard)
    if (VoISkelton* s = p->IsSkelton()) return s;
  return nullptr;
}

void VoILocate::MakeSkeltonList(std::list<VoILocate*>* list) {
  if (!list) return;
  // Iterative, so a deep chain cannot exhaust the stack.
  std::list<VoILocate*> pending{this};
  while (!pending.empty()) {
    VoILocate* at = pending.front();
    pending.pop_front();
    list->push_back(at);
    auto insertAt = pending.begin();
    for (VoIItem* c = at->GetFirstChild(); c; c = at->GetNextChild(c))
      if (VoILocate* child = c->IsLocate()) pending.insert(insertAt, child);
  }
}

int VoILocate::Save(VoSave& save) {
  VoIObject::Save(save);
  save.Write("spos = ( %f, %f, %f)\n", spos.x, spos.y, spos.z);
  save.Write("pos = ( %f, %f, %f)\n", pos.x, pos.y, pos.z);
  return 1;
}

int VoILocate::Load(VoLoad& load) {
  for (;;) {
    if (VoIObject::Load(load)) continue;
    Frx::Pvector v;
    if (load.Read(" spos = ( %f, %f, %f)", &v.x, &v.y, &v.z)) {
      spos = v;
      continue;
    }
    if (load.Read(" pos = ( %f, %f, %f)", &v.x, &v.y, &v.z)) {
      pos = v;
      continue;
    }
    return 0;
  }
}
