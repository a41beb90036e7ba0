#include "vocore/Renddx/VoRenderDXMaterial.h"

#include "vocore/scene/VoIMaterial.h"

void VoRenderDXMaterial::Refresh() {
  if (!material_ || material_->GetUpdateFlag() == 0) return;
  record_ = std::make_unique<D3DMATERIAL8>(Convert(*material_));
}

const D3DMATERIAL8* VoRenderDXMaterial::GetRecord() {
  // A material drawn before its first update still shows its colours.
  if (!record_ && material_) record_ = std::make_unique<D3DMATERIAL8>(Convert(*material_));
  return record_.get();
}

const D3DMATERIAL8& VoRenderDXMaterial::DefaultRecord() {
  static const D3DMATERIAL8 record = {{1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0.0f};
  return record;
}

D3DMATERIAL8 VoRenderDXMaterial::Convert(const VoIMaterial& m) {
  D3DMATERIAL8 d{};
  d.Diffuse = {m.r * m.dif, m.g * m.dif, m.b * m.dif, m.a};
  d.Ambient = {m.r * m.amb, m.g * m.amb, m.b * m.amb, m.amb};
  d.Specular = {m.spc, m.spc, m.spc, m.spc};
  d.Emissive = {m.r * m.emi, m.g * m.emi, m.b * m.emi, m.emi};
  d.Power = m.power;
  return d;
}
