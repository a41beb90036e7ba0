#include "vocore/geometry/VoIGeometry.h"

#include <vector>

#include "vocore/item/VoDescent.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/render/VoRenderState.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

VoIGeometry::~VoIGeometry() { delete render; }

void VoIGeometry::SetRender(VoRenderGeometry* r) {
  if (r == render) return;
  delete render;
  render = r;
}

void VoIGeometry::Copy(VoIItem* source) {
  VoIObject::Copy(source);
  VoIGeometry* from = source ? source->IsGeometry() : nullptr;
  if (from && from != this) {
    if (VoVertex* positions = from->GetVertex()) vertex = new VoVertex(positions);
  }
  SetUpdateFlag(UPDATE_VERTEX);
}

int VoIGeometry::Update(unsigned long counter) {
  Vo::Descent down(Vo::Walk::Update);
  if (!down) return 1;
  // A modifier may release itself or a sibling while it runs: walk a counted
  // snapshot and skip whatever has left meanwhile.
  std::vector<VoRefer<VoIItem>> snapshot;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (c->IsModifier()) snapshot.emplace_back(c);
  VoItemServices* master = VoItemServices::This();
  for (auto& ref : snapshot) {
    VoIItem* child = ref.Get();
    if (!child || child->parent.GetRaw() != this) continue;
    child->updateStamp = master ? master->GetUpdateCounter() : static_cast<unsigned short>(counter);
    child->Update(counter);
    child->updatedFlag = child->updateFlag;
    child->updateFlag = 0;
  }
  return 1;
}

void VoIGeometry::AttachVertex(VoVertex* array) {
  vertex = array;
  SetUpdateFlag(UPDATE_VERTEX);
}

unsigned long VoIGeometry::GetNumVertex() const {
  VoVertex* v = GetVertex();
  return v ? static_cast<unsigned long>(v->GetNum()) : 0;
}

Frx::Pvector VoIGeometry::GetVertexArray(unsigned long i) const {
  if (i >= GetNumVertex()) return Frx::Pvector(0.0f, 0.0f, 0.0f);
  return GetVertex()->Get(static_cast<int>(i));
}

int VoIGeometry::SetVertex(unsigned long i, const Frx::Pvector& v) {
  if (i >= GetNumVertex()) return 0;
  GetVertex()->Set(static_cast<int>(i), v);
  return 1;
}

int VoIGeometry::DeleteVertex(unsigned long i) {
  if (i >= GetNumVertex()) return 0;
  GetVertex()->Set(static_cast<int>(i), VoVertex::Deleted());
  return 1;
}

unsigned long VoIGeometry::AddVertex(const Frx::Pvector& v) {
  VoVertex* array = GetVertex();
  if (!array) return 0;
  const int n = array->GetNum();
  for (int i = 0; i < n; ++i) {
    if (!VoVertex::IsDeleted(array->Get(i))) continue;
    array->Set(i, v);
    // The slot's old fix type belonged to the deleted vertex.
    if (array->GetNumFix() < n) array->fix.resize(n);
    array->SetFix(i, VoVertex::FIX_MOVED);
    return static_cast<unsigned long>(i);
  }
  // Alloc keeps the old positions and fix types and zeroes the new entry.
  array->Alloc(n + 1);
  array->Set(n, v);
  return static_cast<unsigned long>(n);
}

VoICoordinate* VoIGeometry::GetNearCoordinate(VoISkelton* skeleton) {
  if (!skeleton) return nullptr;
  VoIBranch::ItemList candidates;
  skeleton->GetGroupList(candidates, VoICoordinate::CLASS_ID);
  VoVertex* positions = GetVertex();
  if (!positions) {
    for (const auto& ref : candidates)
      if (VoIItem* item = ref.Get())
        if (VoICoordinate* c = item->IsCoordinate()) return c;
    return nullptr;
  }
  const Frx::Pvector center = positions->GetCenter();
  float best = 3.4028235e38f;
  VoIBone* nearest = nullptr;
  for (const auto& ref : candidates) {
    VoIItem* item = ref.Get();
    VoIBone* bone = item ? item->IsBone() : nullptr;
    if (!bone) continue;
    const Frx::Pvector mid = (bone->GetWPosStart() + bone->GetWPosEnd()) * 0.5f;
    const float d = (mid - center).GetSize();
    if (d < best) {
      best = d;
      nearest = bone;
    }
  }
  return nearest;
}
