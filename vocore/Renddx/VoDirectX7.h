// VoDirectX7: the engine's renderer on Direct3D 8. Hosts make one, hand it
// to VoMaster::Initialize and attach their device; it then makes the render
// objects of polygons, materials and textures, which draw plain lit meshes,
// cel shading through a ramp texture, an additive sphere highlight and
// outlines from pushed-out back faces.
//
// The host owns the device and the two textures; the renderer never releases
// them and must outlive the render objects it made (they point back at it).
#pragma once

#include <cstdint>

#include "platform/d3d8/d3d8.h"
#include "vocore/render/VoRenderer.h"

class VoIItem;

class VoDirectX7 : public VoRenderer {
 public:
  VoDirectX7() = default;
  ~VoDirectX7() override = default;
  VoDirectX7(const VoDirectX7&) = delete;
  VoDirectX7& operator=(const VoDirectX7&) = delete;

  void AttachDevice(IDirect3D8* d3d, IDirect3DDevice8* device);
  void SetRenderCaps(uint16_t width, uint16_t height, uint16_t stages, uint16_t bitDepth);

  // Null for items of other kinds (a geometry that is not a polygon).
  VoRenderGeometry* CreateRenderGeometry(VoIGeometry* geometry) override;
  VoRenderMaterial* CreateRenderMaterial(VoIMaterial* material) override;
  VoRenderTexture* CreateRenderTexture(VoITexture* texture) override;
  // The ambient colour as the device's ambient state, 0x00RRGGBB.
  void InitialFrame() override;
  DibTextureCaps GetTextureCaps() const override;

  // Frees what does not survive a device reset, for the item and everything below it.
  void ResetRenderObject(VoIItem* item);

  // The ambient word the passes set: 0xFFRRGGBB of the ambient colour.
  uint32_t AmbientWord() const { return ColourWord(ambientR, ambientG, ambientB); }
  // 0xFFRRGGBB of channels 0..1, each × 255 truncated (held to 0..255).
  static uint32_t ColourWord(float r, float g, float b);

  IDirect3D8* d3d = nullptr;
  IDirect3DDevice8* device = nullptr;
  IDirect3DTexture8* sphereTexture = nullptr;  // highlight
  IDirect3DTexture8* celTexture = nullptr;     // cel ramp
  float ambientR = 0.0f, ambientG = 0.0f, ambientB = 0.0f;
  int highlight = 1;
  int celShading = 0;
  int outline = 0;
  int reserved = 1;  // kept for hosts; the engine does not read it
  float outlineR = 0.6f, outlineG = 0.5f, outlineB = 0.5f;
  float outlineWidth = 0.5f;
  uint16_t textureBits = 16;
  uint16_t textureWidth = 256;
  uint16_t textureHeight = 256;
  uint16_t textureStages = 1;
};
