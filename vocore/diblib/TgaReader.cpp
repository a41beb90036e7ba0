// TGA files: colour-mapped (1, 9), true colour (2, 10) and grey (3) images.
#include <cstring>
#include <vector>

#include "vocore/diblib/ByteReader.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

struct TgaHeader {
  uint8_t idLength, mapType, imageType;
  uint16_t mapFirst, mapLength;
  uint8_t mapEntryBits;
  uint16_t width, height;
  uint8_t pixelBits, descriptor;
};

int MapEntryBytes(int bits) {
  switch (bits) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
  }
}

// Run-length packets into `out` (exactly width * height pixels). A packet that
// runs past the image makes the file invalid.
bool DecodeRle(ByteReader& in, uint8_t* out, size_t pixelCount, int pixelBytes) {
  size_t done = 0;
  while (done < pixelCount) {
    uint8_t packet = in.U8();
    if (in.failed) return false;
    size_t n = size_t(packet & 0x7F) + 1;
    if (n > pixelCount - done) return false;
    uint8_t* dst = out + done * size_t(pixelBytes);
    if (packet & 0x80) {
      const uint8_t* pixel = in.Take(size_t(pixelBytes));
      if (!pixel) return false;
      for (size_t i = 0; i < n; ++i) std::memcpy(dst + i * size_t(pixelBytes), pixel, size_t(pixelBytes));
    } else {
      const uint8_t* raw = in.Take(n * size_t(pixelBytes));
      if (!raw) return false;
      std::memcpy(dst, raw, n * size_t(pixelBytes));
    }
    done += n;
  }
  return true;
}

}  // namespace

bool ReadTgaMemory(const uint8_t* data, size_t size, DibImage* image) {
  if (!image) return false;
  image->Free();
  ByteReader in(data, size);
  TgaHeader h;
  h.idLength = in.U8();
  h.mapType = in.U8();
  h.imageType = in.U8();
  h.mapFirst = in.U16LE();
  h.mapLength = in.U16LE();
  h.mapEntryBits = in.U8();
  in.U16LE();  // x origin
  in.U16LE();  // y origin
  h.width = in.U16LE();
  h.height = in.U16LE();
  h.pixelBits = in.U8();
  h.descriptor = in.U8();
  if (in.failed || !in.Skip(h.idLength)) return false;

  const bool mapped = h.imageType == 1 || h.imageType == 9;
  const bool rle = h.imageType == 9 || h.imageType == 10;
  int bitCount;
  switch (h.imageType) {
    case 1:
    case 9:
      if (h.pixelBits != 8 || h.mapType != 1 || h.mapEntryBits != 24) return false;
      if (size_t(h.mapFirst) + h.mapLength > 256) return false;
      bitCount = 8;
      break;
    case 2:
    case 10:
      if (h.pixelBits != 16 && h.pixelBits != 24 && h.pixelBits != 32) return false;
      bitCount = h.pixelBits;
      break;
    case 3:
      if (h.pixelBits != 8) return false;
      bitCount = 8;
      break;
    default:
      return false;
  }

  const uint8_t* map = nullptr;
  if (h.mapType == 1) {
    int entryBytes = MapEntryBytes(h.mapEntryBits);
    if (!entryBytes) return false;
    map = in.Take(size_t(h.mapLength) * size_t(entryBytes));
    if (!map) return false;
  } else if (h.mapType != 0) {
    return false;
  }

  const int32_t width = h.width;
  const int32_t height = h.height;
  const int pixelBytes = h.pixelBits / 8;
  const size_t pixelCount = size_t(width) * size_t(height);
  if (!DibImage::SizeAllowed(width, height, bitCount)) return false;
  // Uncompressed data must be all there; a run-length image needs at least
  // one packet byte per 128 pixels.
  if (!rle && !in.Has(pixelCount * size_t(pixelBytes))) return false;
  if (rle && in.Left() < pixelCount / 128) return false;

  const bool topLeft = (h.descriptor & 0x20) != 0;
  if (!image->Create(width, (!rle && topLeft) ? -height : height, bitCount)) return false;
  if (mapped) {
    DibRgbQuad* palette = image->Palette();
    std::memset(palette, 0, 256 * sizeof(DibRgbQuad));
    for (int i = 0; i < h.mapLength; ++i)
      palette[h.mapFirst + i] = {map[i * 3], map[i * 3 + 1], map[i * 3 + 2], 0};
  }

  const size_t rowBytes = size_t(width) * size_t(pixelBytes);
  std::vector<uint8_t> decoded;
  const uint8_t* source;
  if (rle) {
    decoded.resize(pixelCount * size_t(pixelBytes));
    if (!DecodeRle(in, decoded.data(), pixelCount, pixelBytes)) return false;
    source = decoded.data();
  } else {
    source = in.Take(pixelCount * size_t(pixelBytes));
  }
  for (int32_t r = 0; r < height; ++r) {
    // File row r is the top row when the origin is top-left, else the bottom row.
    uint8_t* dst = image->pixels + image->Stride() * size_t(rle && topLeft ? height - 1 - r : r);
    const uint8_t* src = source + rowBytes * size_t(r);
    // 32-bit alpha is kept as stored (255 opaque), as every other source
    // reaches 32 bits: inverted, opaque textures would blend as invisible.
    std::memcpy(dst, src, rowBytes);
    if (bitCount == 16) {
      for (int32_t x = 0; x < width; ++x) dst[x * 2 + 1] &= 0x7F;  // attribute bit
    }
  }
  return true;
}
