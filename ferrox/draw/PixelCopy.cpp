#include "ferrox/draw/PixelCopy.h"

namespace Frx::Pixel {

int PixelSize(const FORMAT& f) { return (f.bits[0] + f.bits[1] + f.bits[2] + f.bits[3] + 7) / 8; }

bool IsValidFormat(const FORMAT& f) {
  int size = PixelSize(f);
  if (size < 2 || size > 4) return false;
  for (int c = 0; c < 4; ++c) {
    if (f.bits[c] > 8) return false;
    if (f.bits[c] && f.shift[c] + f.bits[c] > size * 8) return false;
  }
  return true;
}

int LineCopy(unsigned long count, unsigned char* dst, FORMAT dstFormat, const unsigned char* src, FORMAT srcFormat,
             PIXEL) {
  if (!dst || !src || !IsValidFormat(dstFormat) || !IsValidFormat(srcFormat)) return 0;
  const int srcSize = PixelSize(srcFormat), dstSize = PixelSize(dstFormat);
  for (unsigned long i = 0; i < count; ++i) {
    uint32_t value = 0;
    for (int b = 0; b < srcSize; ++b) value |= static_cast<uint32_t>(src[b]) << (8 * b);
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) {
      uint32_t v8;
      if (srcFormat.bits[c] == 0)
        v8 = c == 0 ? 255u : 0u;  // no alpha reads as opaque
      else
        v8 = (((value >> srcFormat.shift[c]) & 255u) << (8 - srcFormat.bits[c])) & 255u;
      if (dstFormat.bits[c]) out |= (v8 >> (8 - dstFormat.bits[c])) << dstFormat.shift[c];
    }
    for (int b = 0; b < dstSize; ++b) dst[b] = static_cast<unsigned char>(out >> (8 * b));
    src += srcSize;
    dst += dstSize;
  }
  return 1;
}

}  // namespace Frx::Pixel
