// The device's state setters and getters: values are kept as given and applied
// to GL when drawing (Pipeline.cpp).
#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "platform/d3d8/device/Device.h"
#include "platform/d3d8/device/PixelFormat.h"

namespace D3D8Impl {
namespace {

// The pipeline's parts that read a transform.
uint32_t PartsOfTransform(D3DTRANSFORMSTATETYPE state) {
  switch (state) {
    case D3DTS_WORLD: return Pipeline::ModelView;
    case D3DTS_VIEW: return Pipeline::ModelView | Pipeline::Lights;
    case D3DTS_PROJECTION: return Pipeline::Viewport;
    default: return Pipeline::Stages;
  }
}

D3DMATRIX* TransformSlot(Device* d, D3DTRANSFORMSTATETYPE state) {
  switch (state) {
    case D3DTS_WORLD:
      return &d->world;
    case D3DTS_VIEW:
      return &d->view;
    case D3DTS_PROJECTION:
      return &d->projection;
    default:
      if (state >= D3DTS_TEXTURE0 && state < D3DTS_TEXTURE0 + MaxStages)
        return &d->textureMatrix[state - D3DTS_TEXTURE0];
      return nullptr;
  }
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

bool OpSupported(DWORD op) {
  return (op >= D3DTOP_DISABLE && op <= D3DTOP_BLENDCURRENTALPHA) || op == D3DTOP_DOTPRODUCT3 || op == D3DTOP_LERP;
}

bool ArgSupported(DWORD arg) { return (arg & D3DTA_SELECTMASK) <= D3DTA_SPECULAR; }

}  // namespace

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (recording_) Record("SetTransform(%u)", state);
  D3DMATRIX* slot = TransformSlot(this, state);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *slot = *matrix;
  Touch(PartsOfTransform(state));
  return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  D3DMATRIX* slot = TransformSlot(this, state);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *matrix = *slot;
  return D3D_OK;
}

HRESULT Device::MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  D3DMATRIX* slot = TransformSlot(this, state);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *slot = Multiply(*matrix, *slot);
  Touch(PartsOfTransform(state));
  return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT8* v) {
  if (recording_ && v) Record("SetViewport(%u,%u,%u,%u)", v->X, v->Y, v->Width, v->Height);
  if (!v || v->Width == 0 || v->Height == 0 || v->X + v->Width > width_ || v->Y + v->Height > height_ ||
      v->MinZ < 0 || v->MaxZ > 1 || v->MinZ > v->MaxZ)
    return D3DERR_INVALIDCALL;
  viewport = *v;
  Touch(Pipeline::Viewport);
  return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT8* v) {
  if (!v) return D3DERR_INVALIDCALL;
  *v = viewport;
  return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL8* m) {
  if (recording_) Record("SetMaterial()");
  if (!m) return D3DERR_INVALIDCALL;
  material = *m;
  Touch(Pipeline::Lighting);
  return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL8* m) {
  if (!m) return D3DERR_INVALIDCALL;
  *m = material;
  return D3D_OK;
}

HRESULT Device::SetLight(DWORD index, const D3DLIGHT8* light) {
  if (recording_) Record("SetLight(%u)", index);
  if (!light || light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL) return D3DERR_INVALIDCALL;
  lights[index].light = *light;
  Touch(Pipeline::Lights);
  return D3D_OK;
}

HRESULT Device::GetLight(DWORD index, D3DLIGHT8* light) {
  auto it = lights.find(index);
  if (!light || it == lights.end()) return D3DERR_INVALIDCALL;
  *light = it->second.light;
  return D3D_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable) {
  if (recording_) Record("LightEnable(%u,%d)", index, enable);
  auto it = lights.find(index);
  if (it == lights.end()) {
    // Direct3D enables a light never set as a white directional one along +z.
    D3DLIGHT8 l{};
    l.Type = D3DLIGHT_DIRECTIONAL;
    l.Diffuse = {1, 1, 1, 0};
    l.Direction = {0, 0, 1};
    it = lights.emplace(index, Light{l, false}).first;
  }
  if (enable) {
    size_t on = std::count_if(lights.begin(), lights.end(), [](const auto& e) { return e.second.enabled; });
    if (!it->second.enabled && on >= MaxLights) return D3DERR_INVALIDCALL;
  }
  it->second.enabled = enable != 0;
  Touch(Pipeline::Lights);
  return D3D_OK;
}

HRESULT Device::GetLightEnable(DWORD index, BOOL* enable) {
  auto it = lights.find(index);
  if (!enable || it == lights.end()) return D3DERR_INVALIDCALL;
  *enable = it->second.enabled ? TRUE : FALSE;
  return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (recording_) Record("SetRenderState(%u,%u)", state, value);
  if (state >= D3DRS_COUNT) return D3DERR_INVALIDCALL;
  if (renderState[state] == value) return D3D_OK;
  renderState[state] = value;
  Touch(Pipeline::PartsOf(state));
  return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (state >= D3DRS_COUNT || !value) return D3DERR_INVALIDCALL;
  *value = renderState[state];
  return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  if (recording_) Record("SetTexture(%u,%s)", stage, texture ? "texture" : "null");
  if (stage >= MaxStages) return D3DERR_INVALIDCALL;
  // The same texture again changes nothing (and its reference is already held).
  if (texture == textures[stage]) return D3D_OK;
  if (texture) {
    // Texture is final: comparing the exact type is the check a dynamic_cast
    // makes, without its walk of the class tree (the renderer sets one a draw).
    if (typeid(*texture) != typeid(Texture)) return D3DERR_INVALIDCALL;
    auto* t = static_cast<Texture*>(texture);
    if (t->Owner() != this) return D3DERR_INVALIDCALL;
    texture->AddRef();
  }
  if (textures[stage]) textures[stage]->Release();
  textures[stage] = texture;
  return D3D_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
  if (stage >= MaxStages || !texture) return D3DERR_INVALIDCALL;
  *texture = textures[stage];
  if (*texture) (*texture)->AddRef();
  return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  if (recording_) Record("SetTextureStageState(%u,%u,%u)", stage, type, value);
  if (stage >= MaxStages || type >= D3DTSS_COUNT) return D3DERR_INVALIDCALL;
  if (stageState[stage][type] == value) return D3D_OK;
  stageState[stage][type] = value;
  Touch(Pipeline::Stages);
  return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
  if (stage >= MaxStages || type >= D3DTSS_COUNT || !value) return D3DERR_INVALIDCALL;
  *value = stageState[stage][type];
  return D3D_OK;
}

HRESULT Device::ValidateDevice(DWORD* passes) {
  if (recording_) Record("ValidateDevice()");
  if (!passes) return D3DERR_INVALIDCALL;
  *passes = 0;
  for (unsigned s = 0; s < MaxStages; ++s) {
    const DWORD* t = stageState[s];
    if (t[D3DTSS_COLOROP] == D3DTOP_DISABLE) break;
    if (!OpSupported(t[D3DTSS_COLOROP])) return D3DERR_UNSUPPORTEDCOLOROPERATION;
    if (!ArgSupported(t[D3DTSS_COLORARG1]) || !ArgSupported(t[D3DTSS_COLORARG2]))
      return D3DERR_UNSUPPORTEDCOLORARG;
    // A disabled alpha operation on a colour stage passes the current alpha on.
    if (!OpSupported(t[D3DTSS_ALPHAOP])) return D3DERR_UNSUPPORTEDALPHAOPERATION;
    if (!ArgSupported(t[D3DTSS_ALPHAARG1]) || !ArgSupported(t[D3DTSS_ALPHAARG2]))
      return D3DERR_UNSUPPORTEDALPHAARG;
    for (auto f : {D3DTSS_MAGFILTER, D3DTSS_MINFILTER})
      if (t[f] < D3DTEXF_POINT || t[f] > D3DTEXF_ANISOTROPIC) return D3DERR_UNSUPPORTEDTEXTUREFILTER;
    if (t[D3DTSS_MIPFILTER] > D3DTEXF_LINEAR) return D3DERR_UNSUPPORTEDTEXTUREFILTER;
  }
  *passes = 1;
  return D3D_OK;
}

HRESULT Device::SetVertexShader(DWORD code) {
  if (recording_) Record("SetVertexShader(%u)", code);
  // Only FVF codes: a shader handle would have bit 0 set, never an FVF code.
  if (code & 1) return D3DERR_INVALIDCALL;
  fvf = code;
  return D3D_OK;
}

HRESULT Device::GetVertexShader(DWORD* code) {
  if (!code) return D3DERR_INVALIDCALL;
  *code = fvf;
  return D3D_OK;
}

HRESULT Device::SetStreamSource(unsigned number, IDirect3DVertexBuffer8* buffer, unsigned stride) {
  if (recording_) Record("SetStreamSource(%u,%u)", number, stride);
  if (number != 0) return D3DERR_INVALIDCALL;
  auto* vb = dynamic_cast<VertexBuffer*>(buffer);
  if (buffer && (!vb || vb->Data().Owner() != this)) return D3DERR_INVALIDCALL;
  if (vb) vb->AddRef();
  if (stream) stream->Release();
  stream = vb;
  streamStride = stride;
  return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer8* buffer, unsigned base) {
  if (recording_) Record("SetIndices(%u)", base);
  auto* ib = dynamic_cast<IndexBuffer*>(buffer);
  if (buffer && (!ib || ib->Data().Owner() != this)) return D3DERR_INVALIDCALL;
  if (ib) ib->AddRef();
  if (indices) indices->Release();
  indices = ib;
  baseVertex = base;
  return D3D_OK;
}

HRESULT Device::CopyRects(IDirect3DSurface8* source, const RECT* rects, unsigned count, IDirect3DSurface8* dest,
                          const POINT* points) {
  if (recording_) Record("CopyRects(%u)", count);
  auto* src = dynamic_cast<Surface*>(source);
  auto* dst = dynamic_cast<Surface*>(dest);
  if (!src || !dst || src == dst) return D3DERR_INVALIDCALL;
  D3DSURFACE_DESC sd{}, dd{};
  if (FAILED(src->GetDesc(&sd)) || FAILED(dst->GetDesc(&dd))) return D3DERR_INVALIDCALL;
  if (sd.Format != dd.Format) return D3DERR_INVALIDCALL;
  RECT whole{0, 0, static_cast<int32_t>(sd.Width), static_cast<int32_t>(sd.Height)};
  POINT origin{0, 0};
  if (count == 0) rects = &whole, points = &origin, count = 1;
  if (!rects) return D3DERR_INVALIDCALL;
  D3DLOCKED_RECT from{};
  if (FAILED(src->LockRect(&from, nullptr, D3DLOCK_READONLY))) return D3DERR_INVALIDCALL;
  int bpp = BytesPerPixel(sd.Format);
  HRESULT result = D3D_OK;
  for (unsigned i = 0; i < count && SUCCEEDED(result); ++i) {
    RECT r = rects[i];
    POINT p = points ? points[i] : POINT{r.left, r.top};
    int w = r.right - r.left, h = r.bottom - r.top;
    if (r.left < 0 || r.top < 0 || w <= 0 || h <= 0 || r.right > static_cast<int32_t>(sd.Width) ||
        r.bottom > static_cast<int32_t>(sd.Height) || p.x < 0 || p.y < 0 ||
        p.x + w > static_cast<int32_t>(dd.Width) || p.y + h > static_cast<int32_t>(dd.Height)) {
      result = D3DERR_INVALIDCALL;
      break;
    }
    const uint8_t* base = static_cast<const uint8_t*>(from.pBits) + static_cast<size_t>(r.top) * from.Pitch +
                          static_cast<size_t>(r.left) * bpp;
    if (dst->IsBackBuffer()) {
      if (!dst->BackBufferDevice() || bpp != 4) {
        result = D3DERR_INVALIDCALL;
        break;
      }
      dst->BackBufferDevice()->WriteBackBuffer(base, p.x, p.y, w, h, from.Pitch);
      continue;
    }
    RECT target{p.x, p.y, p.x + w, p.y + h};
    D3DLOCKED_RECT to{};
    if (FAILED(dst->LockRect(&to, &target, 0))) {
      result = D3DERR_INVALIDCALL;
      break;
    }
    for (int y = 0; y < h; ++y)
      std::memcpy(static_cast<uint8_t*>(to.pBits) + static_cast<size_t>(y) * to.Pitch,
                  base + static_cast<size_t>(y) * from.Pitch, static_cast<size_t>(w) * bpp);
    dst->UnlockRect();
  }
  src->UnlockRect();
  return result;
}

}  // namespace D3D8Impl
