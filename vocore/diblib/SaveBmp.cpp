// SaveBmp: a BMP file with a positive height, rows bottom-up.
#include <cstring>
#include <vector>

#include "vocore/diblib/DibFile.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = uint8_t(v), out[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}

}  // namespace

bool SaveBmp(const DibImage* image, const char* path) {
  if (!image || !image->IsValid()) return false;
  const DibInfoHeader& info = *image->header;
  uint32_t colours = info.clrUsed;
  if (colours == 0 && info.bitCount <= 8) colours = 1u << info.bitCount;
  if (colours > uint32_t(image->PaletteSize())) colours = uint32_t(image->PaletteSize());
  const size_t stride = image->Stride();
  const int32_t height = image->AbsHeight();
  const size_t pixelBytes = stride * size_t(height);
  const size_t offset = 54 + 4 * size_t(colours);

  std::vector<uint8_t> out(offset + pixelBytes);
  out[0] = 'B', out[1] = 'M';
  Put32(out, 2, uint32_t(offset + pixelBytes));
  Put32(out, 10, uint32_t(offset));
  DibInfoHeader written = info;
  written.height = height;
  written.sizeImage = uint32_t(pixelBytes);
  written.clrUsed = info.bitCount <= 8 ? info.clrUsed : 0;
  std::memcpy(&out[14], &written, sizeof written);
  if (colours) std::memcpy(&out[54], image->Palette(), 4 * size_t(colours));
  if (!image->TopDown()) {
    std::memcpy(&out[offset], image->pixels, pixelBytes);
  } else {
    for (int32_t y = 0; y < height; ++y)
      std::memcpy(&out[offset + stride * size_t(y)], image->Row(height - 1 - y), stride);
  }
  return DibWriteFile(path, out.data(), out.size());
}
