// TIM files: 4-, 8- and 16-bit images with an optional colour table.
#include <cstring>

#include "vocore/diblib/ByteReader.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

uint8_t Expand5(unsigned v) { return uint8_t((v << 3) | (v >> 2)); }

}  // namespace

bool ReadTimMemory(const uint8_t* data, size_t size, DibImage* image) {
  if (!image) return false;
  image->Free();
  ByteReader in(data, size);
  if (in.U32LE() != 0x10) return false;
  uint32_t flags = in.U32LE();
  if (in.failed) return false;
  int bitCount;
  int pixelsPerUnit;
  switch (flags & 7) {
    case 0: bitCount = 4, pixelsPerUnit = 4; break;
    case 1: bitCount = 8, pixelsPerUnit = 2; break;
    case 2: bitCount = 16, pixelsPerUnit = 1; break;
    default: return false;
  }

  DibRgbQuad palette[256] = {};
  if (flags & 8) {
    size_t start = in.Pos();
    uint32_t length = in.U32LE();
    in.Skip(4);  // x, y
    uint16_t w = in.U16LE();
    uint16_t h = in.U16LE();
    const size_t count = size_t(w) * h;
    if (in.failed || length < 12 + count * 2 || length - 12 > in.Left()) return false;
    const size_t used = bitCount == 4 ? 16 : 256;
    for (size_t i = 0; i < count && i < used; ++i) {
      unsigned c = in.U16LE();
      palette[i] = {Expand5((c >> 10) & 31), Expand5((c >> 5) & 31), Expand5(c & 31), 0};
    }
    if (!in.Seek(start + length)) return false;
  }

  in.U32LE();  // block length: the size fields below are what is read
  in.Skip(4);  // x, y
  const uint16_t units = in.U16LE();
  const uint16_t height = in.U16LE();
  if (in.failed) return false;
  const int32_t width = int32_t(units) * pixelsPerUnit;
  const size_t rowBytes = size_t(units) * 2;
  if (!DibImage::SizeAllowed(width, height, bitCount)) return false;
  if (!in.Has(rowBytes * height)) return false;
  // TIM rows run top first: a top-down image stores them as they are.
  if (!image->Create(width, -int32_t(height), bitCount)) return false;
  if (bitCount <= 8) std::memcpy(image->Palette(), palette, sizeof(DibRgbQuad) * size_t(image->PaletteSize()));
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = in.Take(rowBytes);
    uint8_t* dst = image->Row(y);
    if (bitCount == 4) {
      for (size_t i = 0; i < rowBytes; ++i) dst[i] = uint8_t(src[i] << 4 | src[i] >> 4);
    } else if (bitCount == 8) {
      std::memcpy(dst, src, rowBytes);
    } else {
      for (size_t i = 0; i < rowBytes; i += 2) {
        unsigned c = unsigned(src[i] | src[i + 1] << 8);
        unsigned swapped = (c & 31) << 10 | (c & 0x3E0) | ((c >> 10) & 31);
        dst[i] = uint8_t(swapped);
        dst[i + 1] = uint8_t(swapped >> 8);
      }
    }
  }
  return true;
}
