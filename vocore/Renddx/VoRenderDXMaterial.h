// VoRenderDXMaterial: a material item as a Direct3D material record.
#pragma once

#include <memory>

#include "platform/d3d8/d3d8.h"
#include "vocore/render/VoRenderState.h"

class VoIMaterial;

class VoRenderDXMaterial : public VoRenderMaterial {
 public:
  // The material owns this object and outlives it.
  explicit VoRenderDXMaterial(VoIMaterial* material) : material_(material) {}

  // Builds the record anew when the material's update flags are set.
  void Refresh() override;
  // The record, built on first use; null only without a material.
  const D3DMATERIAL8* GetRecord();

  // What a pass uses where a group has no material.
  static const D3DMATERIAL8& DefaultRecord();
  // The record of a material's colours.
  static D3DMATERIAL8 Convert(const VoIMaterial& material);

 private:
  VoIMaterial* material_;
  std::unique_ptr<D3DMATERIAL8> record_;
};
