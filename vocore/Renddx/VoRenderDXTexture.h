// VoRenderDXTexture: a texture item uploaded as a device texture: 16-bit
// 1-5-5-5 pixels become R5G6B5, 24- and 32-bit pixels A8R8G8B8, rows turned
// top-down (the item keeps them bottom-up).
#pragma once

#include "platform/d3d8/d3d8.h"
#include "vocore/render/VoRenderState.h"

class VoDirectX7;
class VoITexture;

class VoRenderDXTexture : public VoRenderTexture {
 public:
  // The texture item owns this object; the renderer outlives it.
  VoRenderDXTexture(VoDirectX7* renderer, VoITexture* texture) : renderer_(renderer), texture_(texture) {}
  ~VoRenderDXTexture() override;

  // Uploads the item's pixels anew when its update flags are set.
  void Refresh() override;
  // The device texture, uploaded first when still due (or made for another
  // device); null when the item has none to give.
  IDirect3DTexture8* GetTexture();

 private:
  void Upload();
  void Free();

  VoDirectX7* renderer_;
  VoITexture* texture_;
  IDirect3DTexture8* deviceTexture_ = nullptr;
  IDirect3DDevice8* madeFor_ = nullptr;
  bool due_ = true;
};
