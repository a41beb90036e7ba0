#include "vocore/Renddx/VoRenderDXGeometry.h"

#include <cstring>
#include <unordered_map>

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/Renddx/VoRenderDXMaterial.h"
#include "vocore/Renddx/VoRenderDXTexture.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace {

// The index of `item` in `list`, appending it when new.
template <class T>
int IndexOf(std::vector<VoRefer<T>>& list, std::unordered_map<T*, int>& index, T* item) {
  auto [it, added] = index.try_emplace(item, static_cast<int>(list.size()));
  if (added) list.emplace_back(item);
  return it->second;
}

}  // namespace

VoRenderDXGeometry::VoRenderDXGeometry(VoDirectX7* renderer, VoIPolygon* polygon)
    : renderer_(renderer), polygon_(polygon) {}

VoRenderDXGeometry::~VoRenderDXGeometry() = default;

void VoRenderDXGeometry::Refresh() {
  if (!polygon_ || polygon_->GetUpdateFlag() == 0) return;
  due_ = true;
  Rebuild();
}

void VoRenderDXGeometry::Reset() {
  if (!mesh_.isStatic) mesh_.ReleaseVertexBuffer();
}

bool VoRenderDXGeometry::Rebuild() {
  IDirect3DDevice8* device = renderer_ ? renderer_->device : nullptr;
  VoIPolygon& p = *polygon_;
  VoVertex* positions = p.GetVertex();
  VoFace* faces = p.GetFace();
  VoVertex* normals = p.GetNormal();
  // Without what a build needs it stays due, and the first draw that has it builds.
  if (!device || !positions || !faces || !normals || p.IsHide() == 1) return false;
  due_ = false;
  builtFor_ = device;
  builtPositions_ = positions->GetNum();
  filledPositions_.clear();
  filledNormals_.clear();

  p.OptimizeFaceFix();
  materials_.clear();
  textures_.clear();
  std::unordered_map<VoIMaterial*, int> materialIndex;
  std::unordered_map<VoITexture*, int> textureIndex;
  std::vector<Pdx8::FaceRecord> records;
  records.reserve(static_cast<size_t>(faces->count));
  const int numPositions = positions->GetNum();
  for (int f = 0; f < faces->count; ++f) {
    const VoFaceElement& e = faces->array[f];
    const int corners = e.GetValidCount(numPositions);
    if (corners < 2) continue;
    Pdx8::FaceRecord r{};
    r.corners = corners;
    r.material = r.texture = -1;
    for (int k = 0; k < corners; ++k) {
      r.index[k] = e.index[k];
      r.uv[k][0] = e.uv[k][0];
      r.uv[k][1] = e.uv[k][1];
    }
    if (VoIMaterial* m = e.material.Get()) {
      r.material = IndexOf(materials_, materialIndex, m);
      if (VoITexture* t = m->texture.Get()) r.texture = IndexOf(textures_, textureIndex, t);
    }
    records.push_back(r);
  }
  mesh_.isStatic = numPositions > 0;
  for (int i = 0; i < numPositions && mesh_.isStatic; ++i)
    mesh_.isStatic = positions->GetFix(i) == VoVertex::FIX_RIGID;
  if (!mesh_.Build(device, static_cast<uint32_t>(numPositions), records)) {
    Frx::theFerrox.Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
    return false;
  }
  if (mesh_.isStatic && normals->GetNum() >= numPositions && mesh_.IsBuilt()) {
    if (mesh_.Fill(positions->Get(), normals->Get(), true, renderer_->outlineWidth)) KeepFilled(*positions, *normals);
  }
  return true;
}

void VoRenderDXGeometry::KeepFilled(const VoVertex& positions, const VoVertex& normals) {
  const size_t n = mesh_.positionCount;
  filledPositions_.assign(positions.Get(), positions.Get() + n);
  filledNormals_.assign(normals.Get(), normals.Get() + n);
  filledWidth_ = renderer_->outlineWidth;
}

bool VoRenderDXGeometry::FilledMatches(const VoVertex& positions, const VoVertex& normals) const {
  const size_t n = mesh_.positionCount;
  if (filledPositions_.size() != n || filledNormals_.size() != n) return false;
  const size_t bytes = n * sizeof(Frx::Pvector);
  return std::memcmp(filledPositions_.data(), positions.Get(), bytes) == 0 &&
         std::memcmp(filledNormals_.data(), normals.Get(), bytes) == 0;
}

bool VoRenderDXGeometry::UpdateVertices(const VoVertex& positions, const VoVertex& normals, bool outline) {
  const float width = renderer_->outlineWidth;
  if (mesh_.isStatic) {
    const bool moved = !filledPositions_.empty() && !FilledMatches(positions, normals);
    if (!moved) {
      if (mesh_.vertexBuffer && !filledPositions_.empty() && (!outline || filledWidth_ == width)) return true;
      if (!mesh_.Fill(positions.Get(), normals.Get(), true, width)) return false;
      KeepFilled(positions, normals);
      return true;
    }
    // Rigid vertices that move anyway (a deformer writes them in place).
    mesh_.isStatic = false;
    filledPositions_.clear();
    filledNormals_.clear();
  }
  return mesh_.Fill(positions.Get(), normals.Get(), outline, width);
}

void VoRenderDXGeometry::GatherSlots() {
  slots_.material.resize(materials_.size());
  slots_.edge.resize(materials_.size());
  for (size_t i = 0; i < materials_.size(); ++i) {
    VoIMaterial* m = materials_[i].Get();
    auto* r = m ? dynamic_cast<VoRenderDXMaterial*>(m->GetRender()) : nullptr;
    const D3DMATERIAL8* record = r ? r->GetRecord() : nullptr;
    slots_.material[i] = record ? record : &VoRenderDXMaterial::DefaultRecord();
    slots_.edge[i] = m ? m->edge : 0;
  }
  slots_.texture.resize(textures_.size());
  for (size_t i = 0; i < textures_.size(); ++i) {
    VoITexture* t = textures_[i].Get();
    auto* r = t ? dynamic_cast<VoRenderDXTexture*>(t->GetRender()) : nullptr;
    slots_.texture[i] = r ? r->GetTexture() : nullptr;
  }
}

void VoRenderDXGeometry::Draw() {
  VoIPolygon& p = *polygon_;
  VoVertex* positions = p.GetVertex();
  VoVertex* normals = p.GetNormal();
  IDirect3DDevice8* device = renderer_ ? renderer_->device : nullptr;
  if (p.IsHide() != 0 || !positions || !normals || positions->GetNum() <= 0 || !device) return;
  // Built for another device or another position count (the array was
  // replaced behind the item's back): the mesh no longer fits, build anew.
  if (due_ || builtFor_ != device || builtPositions_ != positions->GetNum()) {
    if (!Rebuild()) return;
  }
  if (!mesh_.IsBuilt() || normals->GetNum() < positions->GetNum()) return;
  const bool outline = renderer_->outline == 1 && renderer_->outlineWidth != 0.0f && mesh_.OutlineFits();
  if (!UpdateVertices(*positions, *normals, outline)) return;
  device_ = device;

  // 1. World: the coordinate's standard matrix, then its world matrix.
  Frx::Pmatrix world = Frx::Pmatrix::id;
  if (VoICoordinate* c = p.GetSafetyCoordinate()) world = c->GetMatrixS2W();
  device->SetTransform(D3DTS_WORLD, &world);
  // 2. What each listed material and texture hands to the device.
  GatherSlots();
  // 3. The vertex buffer is current (above). 4. Stream and blending.
  device->SetStreamSource(0, mesh_.vertexBuffer, sizeof(Pdx8::Vertex));
  device->SetVertexShader(Pdx8::VertexFvf);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device->SetIndices(mesh_.indexBuffer, 0);
  if (renderer_->celShading == 0)
    DrawPlain();
  else
    DrawCel();
  if (renderer_->sphereTexture && renderer_->highlight == 1) DrawHighlight();
  if (outline) DrawOutline();
  device_ = nullptr;
}
