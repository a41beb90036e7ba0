// Work done on every image a fuzzed reader accepts, so conversions and
// resampling also see the odd sizes and palettes that readers let through.
#pragma once

#include "vocore/diblib/DibImage.h"

inline void ExerciseImage(DibImage& image) {
  if (image.Width() > 512 || image.AbsHeight() > 512) return;  // keep runs fast
  image.Resample(image.Width() / 2 + 1, image.AbsHeight() / 2 + 1);
  image.ConvertTo(8, 2);
  image.ConvertTo(1, 0);
}
