#include "vocore/diblib/DibTexture.h"

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

bool ReadByExtension(const char* path, DibImage* image) {
  using Frx::Path::CmpExt;
  if (CmpExt(path, "bmp")) return ReadBmp(path, image);
  if (CmpExt(path, "tga")) return ReadTga(path, image);
  if (CmpExt(path, "ppm") || CmpExt(path, "pgm")) return ReadPpm(path, image);
  if (CmpExt(path, "iff")) return ReadIff(path, image);
  if (CmpExt(path, "tim")) return ReadTim(path, image);
  if (CmpExt(path, "jpg") || CmpExt(path, "jpeg")) return ReadJpg(path, image);
  if (CmpExt(path, "png")) return ReadPng(path, image);
  return false;
}

}  // namespace

int32_t DibTextureSide(int32_t side, int32_t limit) {
  int32_t size = 1;
  while (size < side && size < (1 << 30)) size <<= 1;
  if (limit < 1) limit = 1;
  return size < limit ? size : limit;
}

int DibTextureDepth(int bitCount, int capsDepth) {
  int depth = bitCount == 24 ? 32 : bitCount < 16 ? 16 : bitCount;
  // A renderer depth that is not a pixel depth of its own is not applied.
  if ((capsDepth == 16 || capsDepth == 24 || capsDepth == 32) && depth > capsDepth) depth = capsDepth;
  return depth;
}

bool DibLoadTexture(const char* path, const DibTextureCaps& caps, DibImage* image) {
  if (!path || !image || !ReadByExtension(path, image)) {
    if (image) image->Free();
    Frx::theFerrox.Log("　　画像インポート中にエラーが発生しました。\n");
    return false;
  }
  int32_t width = DibTextureSide(image->Width(), caps.maxWidth);
  const int32_t height = DibTextureSide(image->AbsHeight(), caps.maxHeight);
  bool ok = image->Resample(width, height) &&
            image->ConvertTo(DibTextureDepth(image->BitCount(), caps.bitDepth), 0);
  // Rows of odd width are not aligned the way textures want; one pixel wide
  // goes up to two rather than down to nothing.
  if (ok && (width & 1)) {
    width = width == 1 ? 2 : width - 1;
    ok = image->Resample(width, height);
  }
  if (!ok) {
    image->Free();
    Frx::theFerrox.Log("　　画像インポート中にエラーが発生しました。\n");
  }
  return ok;
}
