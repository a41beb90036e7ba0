// Turning an image file into texture pixels sized for the renderer.
#pragma once

#include <cstdint>

class DibImage;

// The renderer's texture capabilities that sizing depends on (its defaults).
struct DibTextureCaps {
  uint16_t bitDepth = 16;
  uint16_t maxWidth = 256;
  uint16_t maxHeight = 256;
  uint16_t stages = 1;
};

// Reads the image by the path's extension (bmp, tga, ppm, pgm, iff, tim,
// jpg/jpeg, png), then resamples it to power-of-two sides within the caps and
// converts it to the texture depth (24 -> 32, below 16 -> 16, capped by the
// caps' depth). On failure logs the import error and returns false.
bool DibLoadTexture(const char* path, const DibTextureCaps& caps, DibImage* image);

// The side a texture gets for an image side: the next power of two (at least
// 1), capped by `limit` (at least 1).
int32_t DibTextureSide(int32_t side, int32_t limit);
// The depth a texture gets for an image depth.
int DibTextureDepth(int bitCount, int capsDepth);
