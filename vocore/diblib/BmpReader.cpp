// BMP files: "BM", a 40-byte info header, uncompressed or RLE8 pixels.
#include <cstring>

#include "vocore/diblib/ByteReader.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

int DepthBit(int bitCount) {
  switch (bitCount) {
    case 1: return 1;
    case 4: return 2;
    case 8: return 4;
    case 16: return 8;
    case 24: return 16;
    case 32: return 32;
    default: return 0;
  }
}

// RLE8 into a bottom-up 8-bit image. Encoders also encode the padding of a
// row, so runs are clipped at the end of the stored row; rows or moves that
// leave the image make the file invalid.
bool DecodeRle8(ByteReader& in, DibImage* image) {
  int32_t x = 0, y = 0;  // y: stored row, 0 = bottom
  const int32_t width = image->Width();
  const int32_t height = image->AbsHeight();
  const size_t stride = image->Stride();
  auto fits = [&](int n) { return size_t(n) < stride - size_t(x) ? size_t(n) : stride - size_t(x); };
  while (in.Has(2)) {
    uint8_t count = in.U8();
    uint8_t code = in.U8();
    if (count > 0) {
      if (y >= height) return false;
      const size_t n = fits(count);
      std::memset(image->pixels + stride * size_t(y) + size_t(x), code, n);
      x += int32_t(n);
      continue;
    }
    switch (code) {
      case 0:  // end of row
        x = 0;
        ++y;
        break;
      case 1:  // end of image
        return true;
      case 2: {  // move
        uint8_t dx = in.U8();
        uint8_t dy = in.U8();
        if (in.failed || dx > width - x || dy > height - y) return false;
        x += dx;
        y += dy;
        break;
      }
      default: {  // literal bytes, padded to a 16-bit boundary
        if (y >= height) return false;
        const uint8_t* literal = in.Take(code);
        if (!literal) return false;
        const size_t n = fits(code);
        std::memcpy(image->pixels + stride * size_t(y) + size_t(x), literal, n);
        x += int32_t(n);
        if (code & 1) in.Skip(1);
        break;
      }
    }
  }
  // Data ran out without the end-of-image code: accept only a complete image.
  return y >= height;
}

}  // namespace

bool ReadBmpMemory(const uint8_t* data, size_t size, DibImage* image, int depthMask) {
  if (!image) return false;
  image->Free();
  ByteReader in(data, size);
  if (in.U8() != 'B' || in.U8() != 'M') return false;
  in.U32LE();  // file size: often wrong in real files, the data length rules
  in.U32LE();
  uint32_t pixelOffset = in.U32LE();
  DibInfoHeader info;
  info.size = in.U32LE();
  info.width = int32_t(in.U32LE());
  info.height = int32_t(in.U32LE());
  info.planes = in.U16LE();
  info.bitCount = in.U16LE();
  info.compression = in.U32LE();
  info.sizeImage = in.U32LE();
  info.xPelsPerMeter = int32_t(in.U32LE());
  info.yPelsPerMeter = int32_t(in.U32LE());
  info.clrUsed = in.U32LE();
  info.clrImportant = in.U32LE();
  if (in.failed || info.size != 40) return false;
  if (!(DepthBit(info.bitCount) & depthMask)) return false;
  if (info.compression != 0 && !(info.compression == 1 && info.bitCount == 8)) return false;
  if (info.height == INT32_MIN) return false;
  if (info.compression == 1 && info.height < 0) return false;  // RLE is bottom-up only
  if (!DibImage::SizeAllowed(info.width, info.height, info.bitCount)) return false;

  int maxColours = DibImage::PaletteSizeOf(info.bitCount);
  uint32_t colours = 0;
  if (maxColours) {
    colours = info.clrUsed ? info.clrUsed : uint32_t(maxColours);
    if (colours > uint32_t(maxColours)) return false;
  }
  const uint8_t* paletteBytes = in.Take(size_t(colours) * 4);
  if (!paletteBytes) return false;
  if (pixelOffset != 0 && !in.Seek(pixelOffset)) return false;

  // Check the data is there before allocating what the header claims.
  size_t imageBytes = DibImage::StrideOf(info.width, info.bitCount) *
                      size_t(info.height < 0 ? -info.height : info.height);
  if (info.compression == 0 && !in.Has(imageBytes)) return false;

  if (!image->Create(info.width, info.height, info.bitCount)) return false;
  image->header->xPelsPerMeter = info.xPelsPerMeter;
  image->header->yPelsPerMeter = info.yPelsPerMeter;
  image->header->clrUsed = info.clrUsed;
  if (colours) std::memcpy(image->Palette(), paletteBytes, size_t(colours) * 4);

  if (info.compression == 0) {
    std::memcpy(image->pixels, in.Take(imageBytes), imageBytes);
    return true;
  }
  // RLE8 data length comes from the header, bounded by the file.
  size_t packed = info.sizeImage && info.sizeImage < in.Left() ? info.sizeImage : in.Left();
  ByteReader rle(in.Here(), packed);
  return DecodeRle8(rle, image);
}
