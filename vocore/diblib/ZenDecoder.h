// The entries of the optional decoder modules zenjpg.so (LoadJPG) and
// zenpng.so (LoadPNG). Paths are file-system (UTF-8) paths; contexts are
// pointer-sized. Both return non-zero on success.
#pragma once

#include <cstdint>

#include "vocore/diblib/DibHeader.h"

struct ZenImageInfo {
  int32_t width;
  int32_t height;
  int32_t bitCount;      // 8 (with palette) or 24
  int32_t paletteCount;  // entries in palette
  const DibRgbQuad* palette;
};

// LoadJPG: the image is made by `create` (non-zero on success), then every row
// (0 = top) is written to the address `row` returns; null stops the decode.
typedef int (*ZenCreateProc)(const ZenImageInfo* info, void* context);
typedef uint8_t* (*ZenRowProc)(int32_t row, void* context);
typedef int (*ZenLoadJpgProc)(const char* path, ZenCreateProc create, ZenRowProc row, void* context);

// LoadPNG: on success *pixels and *header hold a DIB pixel block and header
// block (header, then palette) allocated with malloc, which the caller owns.
// progress may be null; returning 0 from it stops the decode.
typedef int (*ZenLoadPngProc)(const char* path, void** pixels, void** header,
                              DibProgressProc progress, void* context);

#define ZEN_LOAD_JPG_NAME "LoadJPG"
#define ZEN_LOAD_PNG_NAME "LoadPNG"
