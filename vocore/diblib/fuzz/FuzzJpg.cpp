// libFuzzer target: the JPEG decoder module with the image loader's callbacks.
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/ZenDecoder.h"
#include "vocore/diblib/fuzz/FuzzImage.h"
#include "vocore/diblib/fuzz/FuzzModuleFile.h"

extern "C" int LoadJPG(const char* path, ZenCreateProc create, ZenRowProc row, void* context);

namespace {

int Create(const ZenImageInfo* info, void* context) {
  auto* image = static_cast<DibImage*>(context);
  if (!image->Create(info->width, info->height, info->bitCount)) return 0;
  for (int i = 0; i < info->paletteCount && i < image->PaletteSize(); ++i) image->Palette()[i] = info->palette[i];
  return 1;
}

uint8_t* Row(int32_t row, void* context) { return static_cast<DibImage*>(context)->Row(row); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* path = FuzzInputFile(data, size);
  DibImage image;
  if (path && LoadJPG(path, Create, Row, &image) && image.IsValid()) ExerciseImage(image);
  return 0;
}
