#include "vocore/Renddx/VoDirectX7.h"

#include "vocore/Renddx/VoRenderDXGeometry.h"
#include "vocore/Renddx/VoRenderDXMaterial.h"
#include "vocore/Renddx/VoRenderDXTexture.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"

namespace {

// Channels are 0..1; anything outside (or NaN) is held to the byte's range.
uint32_t Byte(float channel) {
  const float v = channel * 255.0f;
  if (!(v > 0.0f)) return 0;
  return v >= 255.0f ? 255u : static_cast<uint32_t>(v);
}

}  // namespace

void VoDirectX7::AttachDevice(IDirect3D8* d3dObject, IDirect3DDevice8* deviceObject) {
  d3d = d3dObject;
  device = deviceObject;
}

void VoDirectX7::SetRenderCaps(uint16_t width, uint16_t height, uint16_t stages, uint16_t bitDepth) {
  textureWidth = width;
  textureHeight = height;
  textureStages = stages;
  textureBits = bitDepth;
}

VoRenderGeometry* VoDirectX7::CreateRenderGeometry(VoIGeometry* geometry) {
  VoIPolygon* polygon = geometry ? geometry->IsPolygon() : nullptr;
  return polygon ? new VoRenderDXGeometry(this, polygon) : nullptr;
}

VoRenderMaterial* VoDirectX7::CreateRenderMaterial(VoIMaterial* material) {
  VoIMaterial* m = material ? material->IsMaterial() : nullptr;
  return m ? new VoRenderDXMaterial(m) : nullptr;
}

VoRenderTexture* VoDirectX7::CreateRenderTexture(VoITexture* texture) {
  VoITexture* t = texture ? texture->IsTexture() : nullptr;
  return t ? new VoRenderDXTexture(this, t) : nullptr;
}

uint32_t VoDirectX7::ColourWord(float r, float g, float b) {
  return 0xFF000000u | Byte(r) << 16 | Byte(g) << 8 | Byte(b);
}

void VoDirectX7::InitialFrame() {
  if (device) device->SetRenderState(D3DRS_AMBIENT, AmbientWord() & 0x00FFFFFFu);
}

DibTextureCaps VoDirectX7::GetTextureCaps() const {
  DibTextureCaps caps;
  caps.bitDepth = textureBits;
  caps.maxWidth = textureWidth;
  caps.maxHeight = textureHeight;
  caps.stages = textureStages;
  return caps;
}

void VoDirectX7::ResetRenderObject(VoIItem* item) {
  if (!item) return;
  VoIBranch::ItemList items;
  items.emplace_back(item);
  if (VoIBranch* branch = item->IsBranch()) branch->GetAllList(items, VoIItem::CLASS_ID);
  for (const auto& ref : items) {
    VoIItem* i = ref.Get();
    if (!i) continue;
    VoRenderState* state = nullptr;
    if (VoIGeometry* g = i->IsGeometry())
      state = g->GetRender();
    else if (VoIMaterial* m = i->IsMaterial())
      state = m->GetRender();
    else if (VoITexture* t = i->IsTexture())
      state = t->GetRender();
    if (state) state->Reset();
  }
}
