// libFuzzer target: the PPM reader over arbitrary bytes, then the image it
// accepts through a conversion and a resample.
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/diblib/fuzz/FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DibImage image;
  if (ReadPpmMemory(data, size, &image)) ExerciseImage(image);
  return 0;
}
