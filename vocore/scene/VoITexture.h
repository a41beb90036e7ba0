// VoITexture: an image in memory (rows bottom-up); owns its render object and pixels.
#pragma once

#include <string>

#include "vocore/item/VoIItem.h"

class VoRenderTexture;

class VoITexture : public VoIItem {
 public:
  enum : unsigned long { CLASS_ID = 65 };
  explicit VoITexture(VoIBranch* parent = nullptr);
  ~VoITexture() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 7; }
  VoITexture* IsTexture() override { return this; }
  int Update(unsigned long counter) override;

  void SetRender(VoRenderTexture* r);
  VoRenderTexture* GetRender() const { return render; }

  VoRenderTexture* render = nullptr;
  std::string text1;
  std::string text2;
  unsigned char* pixels = nullptr;  // owned, freed with delete[]
  int width = 0, height = 0, bits = 0, extra = 0;
};
