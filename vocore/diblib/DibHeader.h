// The bitmap header layout of a device-independent bitmap, as stored in BMP
// files and handed across the decoder modules. Sizes are fixed by the format.
#pragma once

#include <cstdint>

struct DibInfoHeader {
  uint32_t size;  // 40
  int32_t width;
  int32_t height;  // > 0: bottom row first in memory; < 0: top row first
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t sizeImage;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t clrUsed;
  uint32_t clrImportant;
};
static_assert(sizeof(DibInfoHeader) == 40);

struct DibRgbQuad {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
  uint8_t reserved;
};
static_assert(sizeof(DibRgbQuad) == 4);

// How a header or pixel block was allocated; each is released by its own call.
enum DibMemoryKind {
  DibMemNone = 0,
  DibMemMalloc = 1,
  DibMemLocalMovable = 2,
  DibMemGlobalMovable = 3,
  DibMemLocalFixed = 4,
  DibMemGlobalFixed = 5,
};

// Progress of a long read: fraction of rows done; returning 0 stops the read.
typedef int (*DibProgressProc)(float fraction, void* context);
