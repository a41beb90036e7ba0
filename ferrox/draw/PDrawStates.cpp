// Render-state presets and blend modes of the drawing surface.
#include "ferrox/draw/PDraw.h"
#include "ferrox/ferrox/Ferrox.h"

namespace Frx::Draw {

void PDraw::SetRenderStateInitialize() {
  if (!device) return;
  IDirect3DDevice8* d = device;
  d->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  d->SetRenderState(D3DRS_LIGHTING, TRUE);
  d->SetRenderState(D3DRS_DITHERENABLE, TRUE);
  d->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  d->SetRenderState(D3DRS_LOCALVIEWER, FALSE);
  d->SetRenderState(D3DRS_EDGEANTIALIAS, TRUE);
  d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  d->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  d->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

void PDraw::SetRenderStateBlend(BlendMode mode) {
  if (!device) return;
  IDirect3DDevice8* d = device;
  d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  d->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
  d->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
  struct Row {
    D3DBLEND src, dst;
    DWORD alphaOp;  // 0: texture alpha as set above
    bool alphaTest, noDepthWrite;
  };
  // With the alpha operation disabled the device passes the diffuse alpha on.
  static const Row table[9] = {
      {D3DBLEND_ONE, D3DBLEND_ZERO, D3DTOP_DISABLE, false, false},
      {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0, true, false},
      {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, D3DTOP_MODULATE, true, false},
      {D3DBLEND_ONE, D3DBLEND_ONE, D3DTOP_DISABLE, true, false},
      {D3DBLEND_SRCALPHA, D3DBLEND_ONE, D3DTOP_MODULATE, false, true},
      {D3DBLEND_ONE, D3DBLEND_SRCALPHA, D3DTOP_MODULATE, false, false},
      {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR, D3DTOP_MODULATE, false, false},
      {D3DBLEND_DESTCOLOR, D3DBLEND_ONE, 0, false, false},
      {D3DBLEND_INVDESTCOLOR, D3DBLEND_ZERO, 0, false, false},
  };
  if (mode < 0 || mode > 8) return;
  const Row& r = table[mode];
  d->SetRenderState(D3DRS_SRCBLEND, r.src);
  d->SetRenderState(D3DRS_DESTBLEND, r.dst);
  if (r.alphaOp == D3DTOP_MODULATE) {
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  } else if (r.alphaOp == D3DTOP_DISABLE) {
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  }
  if (r.alphaTest) {
    d->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    d->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    d->SetRenderState(D3DRS_ALPHAREF, 0);
  }
  if (r.noDepthWrite) d->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
}

void PDraw::SetRenderStateFilter(int linear) {
  if (!device) return;
  DWORD f = linear == 1 ? D3DTEXF_LINEAR : D3DTEXF_POINT;
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, f);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, f);
}

void PDraw::SetRenderStateLighting(int on) {
  if (device) device->SetRenderState(D3DRS_LIGHTING, on == 1 ? TRUE : FALSE);
}

int PDraw::ValidateRenderState() {
  if (!device) return 0;
  DWORD passes = 0;
  if (FAILED(device->ValidateDevice(&passes)) || passes == 0) {
    if (theFerrox.debug) theFerrox.Log("マルチパスレンダで再現できないレンダステートです。\n");
    return 0;
  }
  if (theFerrox.debug) {
    if (passes == 1)
      theFerrox.Log("シングルパスでレンダできます。\n");
    else
      theFerrox.Log("マルチパスでレンダします。パス数 (%d)\n", static_cast<int>(passes));
  }
  return static_cast<int>(passes);
}

IDirect3DTexture8* PDraw::LoadTexture(const char* path, D3DFORMAT format, unsigned long colourKey) {
  if (!path) return nullptr;
  if (theFerrox.debug) theFerrox.Log("PDraw::LoadTexture() '%s'\n", path);
  IDirect3DTexture8* texture = nullptr;
  HRESULT hr = device ? D3DXCreateTextureFromFileExA(device, path, D3DX_DEFAULT, D3DX_DEFAULT, 0, 0, format,
                                                     D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE,
                                                     static_cast<D3DCOLOR>(colourKey), nullptr, nullptr, &texture)
                      : D3DERR_INVALIDCALL;
  if (FAILED(hr)) {
    theFerrox.Error("PDraw::LoadTexture() \"%s\" の読み込みに失敗しました。\n hr = %x", path,
                    static_cast<unsigned>(hr));
    return nullptr;
  }
  return texture;
}

IDirect3DTexture8* PDraw::LoadTextureCK(const char* path, D3DFORMAT format) {
  return LoadTexture(path, format, 0xFF000000ul);
}

}  // namespace Frx::Draw
