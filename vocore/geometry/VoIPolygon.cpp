#include "vocore/geometry/VoIPolygon.h"

#include "vocore/item/VoItemServices.h"
#include "vocore/persist/VoSave.h"
#include "vocore/render/VoRenderState.h"

namespace {

// The type word as callers may walk it: a face whose corners cannot be
// resolved reads as deleted (count 0), so a caller looping over the count
// never writes past its four-entry array or reads past the positions.
VoFaceElementType WalkableType(const VoFaceElement& e, int validCount) {
  return (e.type & ~static_cast<VoFaceElementType>(VoFaceElement::COUNT_MASK)) |
         static_cast<VoFaceElementType>(validCount);
}

}  // namespace

void VoIPolygon::Copy(VoIItem* source) {
  VoIGeometry::Copy(source);
  VoIPolygon* from = source ? source->IsPolygon() : nullptr;
  if (!from || from == this) return;
  AttachFace(new VoFace(from->GetFace()));
  if (VoVertex* normals = from->GetNormal()) AttachNormal(new VoVertex(normals));
}

int VoIPolygon::Update(unsigned long counter) {
  VoIGeometry::Update(counter);
  // Positions may have grown (AddVertex) or been replaced since the normals
  // were made; a short normal array would be read past its end when drawn.
  VoVertex* normals = GetNormal();
  if (!normals || normals->GetNum() != static_cast<int>(GetNumVertex())) CreateNormal();
  SolveNormal_Grow();
  if (GetUpdateFlag() != 0 && render) render->Refresh();
  return 1;
}

int VoIPolygon::Redraw() {
  if (render) render->Draw();
  return 1;
}

int VoIPolygon::Save(VoSave& save) {
  VoIObject::Save(save);
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) VoItemServices::ExecSave(c, save);
  return 1;
}

void VoIPolygon::AttachFace(VoFace* table) {
  face = table;
  SetUpdateFlag(UPDATE_FACE);
}

unsigned long VoIPolygon::GetNumFace() const {
  VoFace* f = GetFace();
  return f ? static_cast<unsigned long>(f->GetNum()) : 0;
}

VoFaceElementType VoIPolygon::GetFaceIndexArray(unsigned long* out, unsigned long i) const {
  if (!out || i >= GetNumFace()) return 0;
  const VoFaceElement& e = GetFace()->array[i];
  const int n = e.GetValidCount(static_cast<int>(GetNumVertex()));
  for (int k = 0; k < n; ++k) out[k] = e.index[k];
  return WalkableType(e, n);
}

VoFaceElementType VoIPolygon::GetFacePointArray(Frx::Pvector* out, unsigned long i) const {
  if (!out || i >= GetNumFace()) return 0;
  const VoFaceElement& e = GetFace()->array[i];
  const int n = e.GetValidCount(static_cast<int>(GetNumVertex()));
  for (int k = 0; k < n; ++k) out[k] = GetVertexArray(e.index[k]);
  return WalkableType(e, n);
}

VoIMaterial* VoIPolygon::GetMaterialFace(unsigned long i) const {
  if (i >= GetNumFace()) return nullptr;
  return GetFace()->GetMaterial(static_cast<int>(i));
}

unsigned long VoIPolygon::GetFIndexArray(unsigned long* out, unsigned long v) const {
  VoFace* table = GetFace();
  if (!table) return 0;
  const int numVertex = static_cast<int>(GetNumVertex());
  unsigned long found = 0;
  for (int f = 0; f < table->count; ++f) {
    const VoFaceElement& e = table->array[f];
    const int n = e.GetValidCount(numVertex);
    for (int k = 0; k < n; ++k) {
      if (e.index[k] != v) continue;
      if (out) out[found] = static_cast<unsigned long>(f);
      ++found;
      break;
    }
  }
  return found;
}

unsigned long VoIPolygon::AddFace(unsigned long n, const unsigned long* indices) {
  VoFace* table = GetFace();
  if (!table) return 0;
  if (n < 2 || n > VoFaceElement::MaxCorners || !indices) return NO_FACE;
  const unsigned long numVertex = GetNumVertex();
  for (unsigned long k = 0; k < n; ++k)
    if (indices[k] >= numVertex) return NO_FACE;

  int slot = -1;
  for (int f = 0; f < table->count; ++f)
    if (table->array[f].GetCount() == 0) {
      slot = f;
      break;
    }
  if (slot < 0) {
    slot = table->count;
    table->resize(slot + 1);
  }
  VoFaceElement& e = table->array[slot];
  e.SetCount(static_cast<int>(n));
  for (unsigned long k = 0; k < n; ++k) e.index[k] = static_cast<uint32_t>(indices[k]);
  // The drawn mesh is rebuilt only when a flag is set.
  SetUpdateFlag(UPDATE_FACE);
  return static_cast<unsigned long>(slot);
}

int VoIPolygon::DeleteFace(unsigned long i) {
  if (i >= GetNumFace()) return 0;
  VoFaceElement& e = GetFace()->array[i];
  if (e.GetCount() == 0) return 0;
  e.SetCount(0);
  SetUpdateFlag(UPDATE_FACE);
  return 1;
}

unsigned long VoIPolygon::ValidateFaces() {
  VoFace* table = GetFace();
  if (!table) return 0;
  const int numVertex = static_cast<int>(GetNumVertex());
  unsigned long dropped = 0;
  for (int f = 0; f < table->count; ++f) {
    VoFaceElement& e = table->array[f];
    if (e.GetCount() == 0 || e.GetValidCount(numVertex) != 0) continue;
    e.SetCount(0);
    ++dropped;
  }
  if (dropped) SetUpdateFlag(UPDATE_FACE);
  return dropped;
}
