#include "editor/manip/draw/FlatState.h"

namespace {

enum class Alpha { Unknown, Diffuse, One };

DWORD Stage(IDirect3DDevice8* d, DWORD unit, D3DTEXTURESTAGESTATETYPE type) {
  DWORD v = 0;
  d->GetTextureStageState(unit, type, &v);
  return v;
}

DWORD Render(IDirect3DDevice8* d, D3DRENDERSTATETYPE state) {
  DWORD v = 0;
  d->GetRenderState(state, &v);
  return v;
}

// Whether the operation's result is the diffuse value when the texture is white.
bool DiffuseOver(DWORD op, DWORD arg1, DWORD arg2) {
  auto is = [](DWORD arg, DWORD what) { return (arg & D3DTA_SELECTMASK) == what && !(arg & ~D3DTA_SELECTMASK); };
  if (op == D3DTOP_SELECTARG1) return is(arg1, D3DTA_DIFFUSE);
  if (op == D3DTOP_SELECTARG2) return is(arg2, D3DTA_DIFFUSE);
  if (op == D3DTOP_MODULATE)
    return (is(arg1, D3DTA_TEXTURE) && is(arg2, D3DTA_DIFFUSE)) || (is(arg1, D3DTA_DIFFUSE) && is(arg2, D3DTA_TEXTURE));
  return false;
}

Alpha AlphaOf(IDirect3DDevice8* d) {
  const DWORD op = Stage(d, 0, D3DTSS_ALPHAOP), a1 = Stage(d, 0, D3DTSS_ALPHAARG1), a2 = Stage(d, 0, D3DTSS_ALPHAARG2);
  if (op == D3DTOP_DISABLE || DiffuseOver(op, a1, a2)) return Alpha::Diffuse;
  if ((op == D3DTOP_SELECTARG1 && a1 == D3DTA_TEXTURE) || (op == D3DTOP_SELECTARG2 && a2 == D3DTA_TEXTURE))
    return Alpha::One;
  return Alpha::Unknown;
}

// A blend factor with the source alpha taken as 1; 0 for one that would
// still read an alpha.
DWORD FactorWithOpaqueSource(DWORD factor) {
  switch (factor) {
    case D3DBLEND_SRCALPHA: return D3DBLEND_ONE;
    case D3DBLEND_INVSRCALPHA: return D3DBLEND_ZERO;
    case D3DBLEND_ZERO:
    case D3DBLEND_ONE:
    case D3DBLEND_SRCCOLOR:
    case D3DBLEND_INVSRCCOLOR:
    case D3DBLEND_DESTCOLOR:
    case D3DBLEND_INVDESTCOLOR: return factor;
    default: return 0;
  }
}

}  // namespace

FlatState::FlatState(IDirect3DDevice8* device, Opaque opaque) : device_(device) {
  if (!device_) return;
  if (Render(device_, D3DRS_ZFUNC) == D3DCMP_LESSEQUAL || Render(device_, D3DRS_ZFUNC) == D3DCMP_ALWAYS)
    Set(D3DRS_ZENABLE, FALSE);
  IDirect3DBaseTexture8* texture = nullptr;
  device_->GetTexture(0, &texture);
  if (texture) {
    texture->Release();
    return;
  }
  if (Stage(device_, 1, D3DTSS_COLOROP) != D3DTOP_DISABLE ||
      !DiffuseOver(Stage(device_, 0, D3DTSS_COLOROP), Stage(device_, 0, D3DTSS_COLORARG1),
                   Stage(device_, 0, D3DTSS_COLORARG2)))
    return;
  const Alpha alpha = AlphaOf(device_);
  if (alpha == Alpha::Unknown) return;
  if (opaque == Opaque::Blend && BlendByAlpha(alpha == Alpha::Diffuse)) {
    SetStage(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    return;
  }
  if (alpha == Alpha::One && Render(device_, D3DRS_ALPHABLENDENABLE)) {
    const DWORD src = FactorWithOpaqueSource(Render(device_, D3DRS_SRCBLEND));
    const DWORD dst = FactorWithOpaqueSource(Render(device_, D3DRS_DESTBLEND));
    // An alpha test against 1 that could fail keeps the stage.
    const bool test = Render(device_, D3DRS_ALPHATESTENABLE) != 0;
    const bool passes = !test || (Render(device_, D3DRS_ALPHAFUNC) == D3DCMP_GREATER && Render(device_, D3DRS_ALPHAREF) < 255);
    if (!src || !dst || !passes) return;
    Set(D3DRS_SRCBLEND, src);
    Set(D3DRS_DESTBLEND, dst);
    if (test) Set(D3DRS_ALPHATESTENABLE, FALSE);
  } else if (alpha == Alpha::One && Render(device_, D3DRS_ALPHATESTENABLE)) {
    return;
  }
  SetStage(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
  SetStage(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

FlatState FlatState::Untextured(IDirect3DDevice8* device, Opaque opaque) {
  if (device) device->SetTexture(0, nullptr);
  return FlatState(device, opaque);
}

FlatState::~FlatState() {
  for (int i = count_ - 1; i >= 0; --i) {
    const Saved& s = saved_[i];
    if (s.stage)
      device_->SetTextureStageState(s.unit, static_cast<D3DTEXTURESTAGESTATETYPE>(s.type), s.value);
    else
      device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(s.type), s.value);
  }
}

bool FlatState::BlendByAlpha(bool diffuseAlpha) {
  const bool blend = Render(device_, D3DRS_ALPHABLENDENABLE) != 0;
  const DWORD src = Render(device_, D3DRS_SRCBLEND), dst = Render(device_, D3DRS_DESTBLEND);
  const bool test = Render(device_, D3DRS_ALPHATESTENABLE) != 0;
  const DWORD func = Render(device_, D3DRS_ALPHAFUNC), ref = Render(device_, D3DRS_ALPHAREF);
  const bool byAlpha = blend && src == D3DBLEND_SRCALPHA && dst == D3DBLEND_INVSRCALPHA;
  const bool replaces = !blend || (src == D3DBLEND_ONE && dst == D3DBLEND_ZERO);
  // Blended, an alpha of 0 leaves the picture as it is: the marks' test
  // that drops it changes nothing.
  if (byAlpha && diffuseAlpha) {
    if (test && !(func == D3DCMP_GREATER && ref == 0)) return false;
    opaqueAlpha_ = false;
  } else if ((byAlpha && !diffuseAlpha) || (replaces && (!test || !diffuseAlpha))) {
    // Replacing: with an alpha of 1 the test must pass and blending gives the source.
    if (test && !(func == D3DCMP_GREATER && ref < 255) && func != D3DCMP_ALWAYS) return false;
    opaqueAlpha_ = true;
  } else {
    return false;
  }
  Change(D3DRS_ALPHABLENDENABLE, TRUE);
  Change(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  Change(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  Change(D3DRS_ALPHATESTENABLE, TRUE);
  Change(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  Change(D3DRS_ALPHAREF, 0);
  return true;
}

void FlatState::Change(D3DRENDERSTATETYPE state, DWORD value) {
  if (Render(device_, state) != value) Set(state, value);
}

void FlatState::Set(D3DRENDERSTATETYPE state, DWORD value) {
  saved_[count_++] = {false, 0, static_cast<DWORD>(state), Render(device_, state)};
  device_->SetRenderState(state, value);
}

void FlatState::SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  saved_[count_++] = {true, stage, static_cast<DWORD>(type), Stage(device_, stage, type)};
  device_->SetTextureStageState(stage, type, value);
}
