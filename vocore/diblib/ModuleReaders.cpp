// JPEG and PNG through the optional decoder modules, loaded at each read and
// freed after it.
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/CaseResolve.h"
#include "platform/module/Module.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibMemory.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/diblib/ZenDecoder.h"

namespace {

struct JpgTarget {
  DibImage* image;
  DibProgressProc progress;
  void* context;
};

int CreateImage(const ZenImageInfo* info, void* context) {
  auto* target = static_cast<JpgTarget*>(context);
  if (!info || !target->image->Create(info->width, info->height, info->bitCount)) return 0;
  if (info->bitCount == 8 && info->palette) {
    int count = info->paletteCount < 256 ? info->paletteCount : 256;
    for (int i = 0; i < count; ++i) target->image->Palette()[i] = info->palette[i];
  }
  return 1;
}

uint8_t* ImageRow(int32_t row, void* context) {
  auto* target = static_cast<JpgTarget*>(context);
  DibImage* image = target->image;
  if (!image->IsValid()) return nullptr;
  if (target->progress && !target->progress(float(row) / float(image->AbsHeight()), target->context))
    return nullptr;
  return image->Row(row);
}

}  // namespace

bool ReadJpg(const char* path, DibImage* image, DibProgressProc progress, void* context) {
  if (!path || !image) return false;
  image->Free();
  const std::string moduleName = std::string(Frx::theFerrox.systemPath.Get()) + "zenjpg.dll";
  HMODULE module = LoadLibraryA(moduleName.c_str());
  if (!module) {
    // The line number is part of the message text that logs are compared by.
    Frx::theFerrox.Log("%s(%d) :step\n", __FILE__, 64);
    return false;
  }
  bool ok = false;
  auto load = reinterpret_cast<ZenLoadJpgProc>(GetProcAddress(module, ZEN_LOAD_JPG_NAME));
  if (load) {
    JpgTarget target{image, progress, context};
    // The module opens the file itself: give it the name as the file system
    // spells it (models name their textures in any letter case).
    ok = load(Frx::CaseResolve::ResolveSystem(path).c_str(), CreateImage, ImageRow, &target) != 0 &&
         image->IsValid();
  }
  FreeLibrary(module);
  return ok;
}

bool ReadPng(const char* path, DibImage* image, DibProgressProc progress, void* context) {
  if (!path || !image) return false;
  image->Free();
  HMODULE module = LoadLibraryA("zenpng.dll");
  if (!module) return false;
  bool ok = false;
  auto load = reinterpret_cast<ZenLoadPngProc>(GetProcAddress(module, ZEN_LOAD_PNG_NAME));
  void* pixels = nullptr;
  void* header = nullptr;
  if (load && load(Frx::CaseResolve::ResolveSystem(path).c_str(), &pixels, &header, progress, context))
    ok = image->Attach(header, DibMemGlobalFixed, pixels, DibMemGlobalFixed);
  const int bits = ok ? image->BitCount() : 0;
  const bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (ok && (image->header->size != sizeof(DibInfoHeader) || !knownDepth ||
             !DibImage::SizeAllowed(image->Width(), image->Height(), image->BitCount()))) {
    image->Free();  // the blocks are released with the image
    return FreeLibrary(module), false;
  }
  if (!ok) {
    DibRelease(DibMemGlobalFixed, pixels);
    DibRelease(DibMemGlobalFixed, header);
  }
  FreeLibrary(module);
  return ok;
}
