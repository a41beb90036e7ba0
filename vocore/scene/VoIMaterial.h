// VoIMaterial: surface colours and texture of faces; owns its render object.
#pragma once

#include "vocore/item/VoIItem.h"

class VoRenderMaterial;

class VoIMaterial : public VoIItem {
 public:
  enum : unsigned long { CLASS_ID = 67 };
  explicit VoIMaterial(VoIBranch* parent = nullptr);
  ~VoIMaterial() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 8; }
  VoIMaterial* IsMaterial() override { return this; }
  int Update(unsigned long counter) override;

  // Deletes the current render object and keeps the new one.
  void SetRender(VoRenderMaterial* r);
  VoRenderMaterial* GetRender() const { return render; }

  VoRenderMaterial* render = nullptr;
  float r = 0, g = 0, b = 0, a = 0;
  float dif = 0, spc = 0, power = 0, amb = 0, unused = 0, emi = 0;
  VoRefer<VoITexture> texture;
  VoRefer<VoITexture> texture2;
  int edge = 0;
};
