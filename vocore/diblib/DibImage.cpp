#include "vocore/diblib/DibImage.h"

#include <cstring>

#include "vocore/diblib/DibMemory.h"

DibImage::DibImage()
    : initFlag(1), header(nullptr), pixels(nullptr), headerKind(DibMemNone), pixelKind(DibMemNone) {}

DibImage::~DibImage() { Free(); }

void DibImage::Free() {
  DibRelease(headerKind, header);
  DibRelease(pixelKind, pixels);
  header = nullptr;
  pixels = nullptr;
  headerKind = DibMemNone;
  pixelKind = DibMemNone;
}

size_t DibImage::StrideOf(int32_t width, int bitCount) {
  if (width <= 0 || bitCount <= 0) return 0;
  return ((size_t(bitCount) * size_t(width) + 31) / 32) * 4;
}

int DibImage::PaletteSizeOf(int bitCount) { return bitCount <= 8 && bitCount > 0 ? 1 << bitCount : 0; }

bool DibImage::SizeAllowed(int32_t width, int32_t height, int bitCount) {
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return false;
  return StrideOf(width, bitCount) * size_t(height) <= MaxBytes;
}

int32_t DibImage::AbsHeight() const {
  int32_t h = Height();
  return h < 0 ? -h : h;
}

DibRgbQuad* DibImage::Palette() {
  return header ? reinterpret_cast<DibRgbQuad*>(header + 1) : nullptr;
}

const DibRgbQuad* DibImage::Palette() const {
  return header ? reinterpret_cast<const DibRgbQuad*>(header + 1) : nullptr;
}

uint8_t* DibImage::Row(int32_t y) {
  int32_t h = AbsHeight();
  if (!pixels || y < 0 || y >= h) return nullptr;
  int32_t stored = TopDown() ? y : h - 1 - y;
  return pixels + Stride() * size_t(stored);
}

const uint8_t* DibImage::Row(int32_t y) const { return const_cast<DibImage*>(this)->Row(y); }

bool DibImage::Create(int32_t width, int32_t height, int bitCount) {
  Free();
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return false;
  if (!SizeAllowed(width, height, bitCount)) return false;
  int colours = PaletteSizeOf(bitCount);
  size_t headerBytes = sizeof(DibInfoHeader) + sizeof(DibRgbQuad) * size_t(colours);
  size_t imageBytes = StrideOf(width, bitCount) * size_t(height < 0 ? -height : height);
  auto* newHeader = static_cast<DibInfoHeader*>(DibAlloc(DibMemGlobalFixed, headerBytes));
  auto* newPixels = static_cast<uint8_t*>(DibAlloc(DibMemGlobalFixed, imageBytes));
  if (!newHeader || !newPixels) {
    DibRelease(DibMemGlobalFixed, newHeader);
    DibRelease(DibMemGlobalFixed, newPixels);
    return false;
  }
  std::memset(newHeader, 0, headerBytes);
  std::memset(newPixels, 0, imageBytes);
  newHeader->size = sizeof(DibInfoHeader);
  newHeader->width = width;
  newHeader->height = height;
  newHeader->planes = 1;
  newHeader->bitCount = uint16_t(bitCount);
  newHeader->sizeImage = uint32_t(imageBytes);
  header = newHeader;
  pixels = newPixels;
  headerKind = pixelKind = DibMemGlobalFixed;
  DibRgbQuad* palette = Palette();
  if (bitCount == 1) {
    palette[1] = {255, 255, 255, 0};
  } else if (bitCount == 8) {
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  }
  return true;
}

bool DibImage::Attach(void* newHeader, int newHeaderKind, void* newPixels, int newPixelKind) {
  if (!newHeader || !newPixels) return false;
  Free();
  header = static_cast<DibInfoHeader*>(newHeader);
  pixels = static_cast<uint8_t*>(newPixels);
  headerKind = newHeaderKind;
  pixelKind = newPixelKind;
  return true;
}

void DibImage::TakeFrom(DibImage& other) {
  if (&other == this) return;
  Free();
  header = other.header;
  pixels = other.pixels;
  headerKind = other.headerKind;
  pixelKind = other.pixelKind;
  other.header = nullptr;
  other.pixels = nullptr;
  other.headerKind = other.pixelKind = DibMemNone;
}
