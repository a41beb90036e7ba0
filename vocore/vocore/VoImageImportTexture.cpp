// The texture item step of the image import: the item exists (with its
// render object) before the pixels arrive, so a failed read releases it.
#include <cstring>

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibTexture.h"
#include "vocore/render/VoRenderer.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/vocore/VoImageImportDesc.h"
#include "vocore/vocore/VoMaster.h"

namespace {

DibTextureCaps CurrentCaps(VoMaster* master) {
  VoRenderer* renderer = master ? master->GetRender() : nullptr;
  return renderer ? renderer->GetTextureCaps() : DibTextureCaps();
}

// Textures hold rows bottom-up with no gap between them, whatever the image's
// storage order and row padding (24-bit image rows are padded to 4 bytes).
bool TakePixels(const DibImage& image, VoITexture* texture) {
  const int32_t width = image.Width(), height = image.AbsHeight();
  const int bits = image.BitCount();
  if (width <= 0 || height <= 0 || bits % 8 != 0) return false;
  const size_t row = size_t(width) * size_t(bits / 8);
  auto* pixels = new unsigned char[row * size_t(height)];
  for (int32_t k = 0; k < height; ++k) std::memcpy(pixels + row * size_t(k), image.Row(height - 1 - k), row);
  delete[] texture->pixels;
  texture->pixels = pixels;
  texture->width = width;
  texture->height = height;
  texture->bits = bits;
  return true;
}

}  // namespace

VoITexture* VoImportTexture(const char* path, VoIBranch* parent) {
  VoMaster* master = VoMaster::This();
  auto* texture = new VoITexture(parent);
  if (master) master->CreateState(texture);
  DibImage image;
  bool ok = DibLoadTexture(path, CurrentCaps(master), &image);  // logs its own failure
  if (ok && !TakePixels(image, texture)) {
    Frx::theFerrox.Log("　　画像インポート中にエラーが発生しました。\n");
    ok = false;
  }
  if (!ok) {
    if (master)
      master->ReleaseItem(texture);
    else
      texture->Release();
    return nullptr;
  }
  return texture;
}
