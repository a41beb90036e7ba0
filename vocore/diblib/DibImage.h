// DibImage: the engine's in-memory device-independent bitmap. The header block
// holds a DibInfoHeader followed by the palette (2, 16 or 256 entries for 1, 4
// and 8 bits, none above); the pixel block holds rows of Stride() bytes.
// The image owns both blocks and releases them by their allocation kind.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vocore/diblib/DibHeader.h"

class DibImage {
 public:
  // Largest side and pixel block a reader or conversion will make; larger
  // sizes in a file are treated as a lie rather than allocated.
  static constexpr int32_t MaxSide = 32767;
  static constexpr size_t MaxBytes = size_t(256) << 20;

  DibImage();
  ~DibImage();
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;

  // Bit counts 1, 4, 8, 16, 24, 32; both blocks from fixed global memory.
  // 1 bit gets black and white, 8 bits a grey ramp, 4 bits a zeroed palette.
  bool Create(int32_t width, int32_t height, int bitCount);
  // Takes ownership of both blocks; fails (keeping nothing) on a null block.
  bool Attach(void* header, int headerKind, void* pixels, int pixelKind);
  void Free();
  // Takes both blocks of `other`, which is left empty.
  void TakeFrom(DibImage& other);

  // Conversions and resampling in place (see DibConvert.cpp, DibResample.cpp).
  // mode: 0 grey, 1 ordered dither, 2 median cut; bits 16-23 of mode give
  // the median-cut colour count (0: 256).
  bool ConvertTo(int bitCount, int mode);
  bool Resample(int32_t width, int32_t height);

  bool IsValid() const { return header && pixels; }
  int32_t Width() const { return header ? header->width : 0; }
  int32_t Height() const { return header ? header->height : 0; }  // signed
  int32_t AbsHeight() const;
  int BitCount() const { return header ? header->bitCount : 0; }
  bool TopDown() const { return Height() < 0; }
  size_t Stride() const { return StrideOf(Width(), BitCount()); }
  size_t ImageSize() const { return Stride() * size_t(AbsHeight()); }
  DibRgbQuad* Palette();
  const DibRgbQuad* Palette() const;
  int PaletteSize() const { return PaletteSizeOf(BitCount()); }
  // Row y counted from the top of the picture, whatever the storage order.
  uint8_t* Row(int32_t y);
  const uint8_t* Row(int32_t y) const;

  static size_t StrideOf(int32_t width, int bitCount);
  static int PaletteSizeOf(int bitCount);
  // True when the size is positive, within MaxSide and the block within MaxBytes.
  static bool SizeAllowed(int32_t width, int32_t height, int bitCount);

  int initFlag;  // 1 at construction
  DibInfoHeader* header;
  uint8_t* pixels;
  int headerKind;
  int pixelKind;
};
