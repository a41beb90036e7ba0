// The draw passes of a polygon mesh: plain, cel (ramp through the
// camera-space normal), the additive sphere highlight and the outline drawn
// from the back faces of the pushed-out shell.
#include <algorithm>

#include "platform/d3d8/d3dx8math.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/Renddx/VoRenderDXGeometry.h"
#include "vocore/Renddx/VoRenderDXMaterial.h"

namespace {

const D3DXVECTOR3 CelLight(1.0f, 1.0f, 1.0f);

// Camera-space normal -> ramp coordinates: v runs from 0 facing the light to 1 facing away.
D3DXMATRIX RampMatrix(const D3DXVECTOR3& light) {
  const D3DXVECTOR3 eye(0.0f, 0.0f, 0.0f);
  const D3DXVECTOR3 up = (light.x == 0.0f && light.z == 0.0f) ? D3DXVECTOR3(-light.y, 0.0f, 0.0f)
                                                              : D3DXVECTOR3(0.0f, 1.0f, 0.0f);
  D3DXMATRIX look, turn, scale, move;
  D3DXMatrixLookAtLH(&look, &eye, &light, &up);
  D3DXMatrixRotationX(&turn, -1.5707964f);
  D3DXMatrixScaling(&scale, 0.5f, -0.5f, 1.0f);
  D3DXMatrixTranslation(&move, 0.5f, 0.5f, 0.0f);
  return look * turn * scale * move;
}

// Camera-space normal -> sphere-map coordinates of a light from (-1, -1, -1).
D3DXMATRIX HighlightMatrix() {
  const D3DXVECTOR3 eye(0.0f, 0.0f, 0.0f), at(-1.0f, -1.0f, -1.0f), up(0.0f, 0.0f, 1.0f);
  D3DXMATRIX look;
  D3DXMatrixLookAtLH(&look, &eye, &at, &up);
  const D3DXMATRIX half(0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 0.5f, 0.5f, 0.5f, 1.0f);
  return look * half;
}

// Switches lights 0 and 1 off for a pass and back to what they were after it,
// so meshes drawn later in the frame are still lit.
class LightsOff {
 public:
  explicit LightsOff(IDirect3DDevice8* d) : d_(d) {
    for (DWORD i = 0; i < 2; ++i) {
      if (FAILED(d_->GetLightEnable(i, &was_[i]))) was_[i] = FALSE;
      d_->LightEnable(i, FALSE);
    }
  }
  ~LightsOff() {
    for (DWORD i = 0; i < 2; ++i)
      if (was_[i]) d_->LightEnable(i, TRUE);
  }

 private:
  IDirect3DDevice8* d_;
  BOOL was_[2] = {FALSE, FALSE};
};

void RampOnStage(IDirect3DDevice8* d, DWORD stage, IDirect3DTexture8* ramp) {
  d->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
  d->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_CURRENT);
  d->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  d->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL | 1);
  const D3DXMATRIX m = RampMatrix(CelLight);
  d->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + stage), &m);
  d->SetTexture(stage, ramp);
}

// ambient × material ambient + material diffuse × 0.5 + material emissive, per channel.
D3DCOLORVALUE CelAmbient(const VoDirectX7& r, const D3DMATERIAL8& m) {
  return {r.ambientR * m.Ambient.r + m.Diffuse.r * 0.5f + m.Emissive.r,
          r.ambientG * m.Ambient.g + m.Diffuse.g * 0.5f + m.Emissive.g,
          r.ambientB * m.Ambient.b + m.Diffuse.b * 0.5f + m.Emissive.b, 1.0f};
}

}  // namespace

const D3DMATERIAL8& VoRenderDXGeometry::MaterialOf(const Pdx8::Group& g) const {
  return g.material >= 0 ? *slots_.material[static_cast<size_t>(g.material)] : VoRenderDXMaterial::DefaultRecord();
}

IDirect3DTexture8* VoRenderDXGeometry::TextureOf(const Pdx8::Group& g) const {
  return g.texture >= 0 ? slots_.texture[static_cast<size_t>(g.texture)] : nullptr;
}

void VoRenderDXGeometry::DrawGroup(const Pdx8::Group& g) {
  const D3DPRIMITIVETYPE type = g.kind == Pdx8::KIND_LINE ? D3DPT_LINELIST : D3DPT_TRIANGLELIST;
  device_->DrawIndexedPrimitive(type, 0, mesh_.vertexCount, g.first, g.count);
}

void VoRenderDXGeometry::DrawPlain() {
  for (const Pdx8::Group& g : mesh_.groups) {
    device_->SetMaterial(&MaterialOf(g));
    device_->SetTexture(0, TextureOf(g));
    DrawGroup(g);
  }
}

void VoRenderDXGeometry::DrawCel() {
  IDirect3DDevice8* d = device_;
  const VoDirectX7& r = *renderer_;
  LightsOff lights(d);
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
  const bool oneStage = r.textureStages < 2;
  if (!oneStage) RampOnStage(d, 1, r.celTexture);
  // Base pass: the lit colour comes from the ambient state alone.
  d->SetMaterial(&VoRenderDXMaterial::DefaultRecord());
  for (const Pdx8::Group& g : mesh_.groups) {
    const D3DCOLORVALUE c = CelAmbient(r, MaterialOf(g));
    d->SetRenderState(D3DRS_AMBIENT, VoDirectX7::ColourWord(c.r, c.g, c.b));
    d->SetTexture(0, TextureOf(g));
    DrawGroup(g);
  }
  if (oneStage) {
    // The ramp multiplies what the base pass left.
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_SRCCOLOR);
    RampOnStage(d, 0, r.celTexture);
    d->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFFu);
    for (const Pdx8::Group& g : mesh_.groups) DrawGroup(g);
    d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  } else {
    d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    d->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    d->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
  }
  d->SetRenderState(D3DRS_AMBIENT, r.AmbientWord());
}

void VoRenderDXGeometry::DrawHighlight() {
  IDirect3DDevice8* d = device_;
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
  const D3DXMATRIX m = HighlightMatrix();
  d->SetTransform(D3DTS_TEXTURE0, &m);
  d->SetTexture(0, renderer_->sphereTexture);
  for (const Pdx8::Group& g : mesh_.groups) {
    const float specular = MaterialOf(g).Specular.a;
    if (specular == 0.0f) continue;
    const uint32_t level = VoDirectX7::ColourWord(specular, specular, specular) & 0xFF;
    d->SetRenderState(D3DRS_TEXTUREFACTOR, level * 0x01010101u);
    DrawGroup(g);
  }
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
}

void VoRenderDXGeometry::DrawOutline() {
  IDirect3DDevice8* d = device_;
  const VoDirectX7& r = *renderer_;
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  LightsOff lights(d);
  // The same indices, read from the shell in the second half; only its back faces.
  d->SetIndices(mesh_.indexBuffer, mesh_.vertexCount);
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  d->SetMaterial(&VoRenderDXMaterial::DefaultRecord());
  for (const Pdx8::Group& g : mesh_.groups) {
    if (g.material >= 0 && slots_.edge[static_cast<size_t>(g.material)] != 0) continue;
    const D3DCOLORVALUE c = CelAmbient(r, MaterialOf(g));
    d->SetRenderState(D3DRS_AMBIENT, VoDirectX7::ColourWord(std::min(1.0f, c.r * r.outlineR),
                                                            std::min(1.0f, c.g * r.outlineG),
                                                            std::min(1.0f, c.b * r.outlineB)));
    d->SetTexture(0, TextureOf(g));
    DrawGroup(g);
  }
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  d->SetRenderState(D3DRS_AMBIENT, r.AmbientWord());
}
