// libFuzzer target: the PNG decoder module; the blocks it returns are checked
// against the header it wrote.
#include <cstdlib>

#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibMemory.h"
#include "vocore/diblib/ZenDecoder.h"
#include "vocore/diblib/fuzz/FuzzImage.h"
#include "vocore/diblib/fuzz/FuzzModuleFile.h"

extern "C" int LoadPNG(const char* path, void** pixels, void** header, DibProgressProc progress,
                       void* context);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* path = FuzzInputFile(data, size);
  void* pixels = nullptr;
  void* header = nullptr;
  if (!path || !LoadPNG(path, &pixels, &header, nullptr, nullptr)) return 0;
  DibImage image;
  if (!image.Attach(header, DibMemGlobalFixed, pixels, DibMemGlobalFixed)) std::abort();
  // Touch the last byte of the pixel block the header promises.
  volatile uint8_t last = image.pixels[image.ImageSize() - 1];
  (void)last;
  ExerciseImage(image);
  return 0;
}
