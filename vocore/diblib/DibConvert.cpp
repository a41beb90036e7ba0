// DibImage::ConvertTo: every depth is expanded to packed 32-bit pixels first,
// then rebuilt at the new depth. Rows keep their storage order throughout.
#include <cstring>
#include <vector>

#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/MedianCut.h"

namespace {

// Thresholds of the ordered dither, [column % 8][row % 8].
constexpr uint8_t DitherMatrix[8][8] = {
    {0, 38, 9, 47, 2, 40, 11, 50},   {25, 12, 35, 22, 27, 15, 37, 24},
    {6, 44, 3, 41, 8, 47, 5, 43},    {31, 19, 28, 15, 34, 21, 31, 18},
    {1, 39, 11, 49, 0, 39, 10, 48},  {27, 14, 36, 23, 26, 13, 35, 23},
    {7, 46, 4, 43, 7, 45, 3, 42},    {33, 20, 30, 17, 32, 19, 29, 16},
};

uint8_t Expand5(unsigned v) { return uint8_t((v << 3) | (v >> 2)); }

// Packed blue, green, red, alpha; alpha 255 for depths without one.
std::vector<uint8_t> Expand32(const DibImage& image) {
  const int32_t w = image.Width(), h = image.AbsHeight();
  const int bits = image.BitCount();
  const DibRgbQuad* palette = image.Palette();
  std::vector<uint8_t> out(size_t(w) * size_t(h) * 4);
  uint8_t* dst = out.data();
  for (int32_t r = 0; r < h; ++r) {
    const uint8_t* row = image.pixels + image.Stride() * size_t(r);
    for (int32_t x = 0; x < w; ++x, dst += 4) {
      unsigned index;
      switch (bits) {
        case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
        case 4: index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15; break;
        case 8: index = row[x]; break;
        case 16: {
          unsigned v = unsigned(row[x * 2] | row[x * 2 + 1] << 8);
          dst[0] = Expand5(v & 31), dst[1] = Expand5((v >> 5) & 31), dst[2] = Expand5((v >> 10) & 31);
          dst[3] = 255;
          continue;
        }
        case 24:
          std::memcpy(dst, row + x * 3, 3);
          dst[3] = 255;
          continue;
        default:
          std::memcpy(dst, row + x * 4, 4);
          continue;
      }
      dst[0] = palette[index].blue, dst[1] = palette[index].green, dst[2] = palette[index].red;
      dst[3] = 255;
    }
  }
  return out;
}

uint8_t Grey(const uint8_t* bgra) {
  return uint8_t((73 * bgra[2] + 146 * bgra[1] + 37 * bgra[0]) >> 8);
}

void ToOneBit(const std::vector<uint8_t>& src, DibImage& out) {
  const int32_t w = out.Width(), h = out.AbsHeight();
  // Error rows: this one and two ahead, two columns of margin each side.
  std::vector<int> err[3];
  for (auto& e : err) e.assign(size_t(w) + 4, 0);
  for (int32_t r = 0; r < h; ++r) {
    uint8_t* row = out.pixels + out.Stride() * size_t(r);
    int* e0 = err[r % 3].data() + 2;
    int* e1 = err[(r + 1) % 3].data() + 2;
    int* e2 = err[(r + 2) % 3].data() + 2;
    for (int32_t x = 0; x < w; ++x) {
      int v = Grey(&src[(size_t(r) * size_t(w) + size_t(x)) * 4]) + e0[x];
      int target = v >= 128 ? 255 : 0;
      if (target) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
      int e = v - target;
      e0[x + 1] += e * 8 / 42, e0[x + 2] += e * 4 / 42;
      static const int below[5] = {2, 4, 8, 4, 2}, further[5] = {1, 2, 4, 2, 1};
      for (int k = 0; k < 5; ++k) {
        e1[x - 2 + k] += e * below[k] / 42;
        e2[x - 2 + k] += e * further[k] / 42;
      }
    }
    std::fill(err[r % 3].begin(), err[r % 3].end(), 0);
  }
}

void ToDither216(const std::vector<uint8_t>& src, DibImage& out) {
  DibRgbQuad* palette = out.Palette();
  for (int i = 0; i < 216; ++i)
    palette[i] = {uint8_t(i / 36 * 51), uint8_t(i / 6 % 6 * 51), uint8_t(i % 6 * 51), 0};
  std::memset(palette + 216, 0, sizeof(DibRgbQuad) * 40);
  const int32_t w = out.Width(), h = out.AbsHeight();
  for (int32_t r = 0; r < h; ++r) {
    uint8_t* row = out.pixels + out.Stride() * size_t(r);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* p = &src[(size_t(r) * size_t(w) + size_t(x)) * 4];
      const int t = DitherMatrix[x & 7][r & 7];
      auto level = [t](int v) { return v / 51 + (v % 51 > t ? 1 : 0); };
      row[x] = uint8_t(36 * level(p[0]) + 6 * level(p[1]) + level(p[2]));
    }
  }
}

void ToQuantized(const std::vector<uint8_t>& src, DibImage& out, int colours) {
  const int32_t w = out.Width(), h = out.AbsHeight();
  const size_t count = size_t(w) * size_t(h);
  std::vector<uint8_t> bgr(count * 3), indices(count);
  for (size_t i = 0; i < count; ++i) std::memcpy(&bgr[i * 3], &src[i * 4], 3);
  std::memset(out.Palette(), 0, sizeof(DibRgbQuad) * size_t(out.PaletteSize()));
  MedianCut(bgr.data(), count, colours, out.Palette(), indices.data());
  for (int32_t r = 0; r < h; ++r) {
    uint8_t* row = out.pixels + out.Stride() * size_t(r);
    for (int32_t x = 0; x < w; ++x) {
      uint8_t index = indices[size_t(r) * size_t(w) + size_t(x)];
      if (out.BitCount() == 8) row[x] = index;
      else row[x >> 1] |= uint8_t(index << ((x & 1) ? 0 : 4));
    }
  }
}

}  // namespace

bool DibImage::ConvertTo(int bitCount, int mode) {
  if (!IsValid()) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return false;
  const std::vector<uint8_t> src = Expand32(*this);
  DibImage out;
  if (!out.Create(Width(), Height(), bitCount)) return false;
  const int32_t w = Width(), h = AbsHeight();
  const int modeKind = mode & 0xFF;

  if (bitCount == 1) {
    ToOneBit(src, out);
  } else if (bitCount == 8 && modeKind == 1) {
    ToDither216(src, out);
  } else if ((bitCount == 8 || bitCount == 4) && modeKind == 2) {
    int colours = bitCount == 4 ? 16 : ((mode >> 16) & 0xFF ? (mode >> 16) & 0xFF : 256);
    ToQuantized(src, out, colours);
  } else if (bitCount == 8 || bitCount == 4) {
    if (bitCount == 4) {
      for (int i = 0; i < 16; ++i) out.Palette()[i] = {uint8_t(i * 17), uint8_t(i * 17), uint8_t(i * 17), 0};
    }
    for (int32_t r = 0; r < h; ++r) {
      uint8_t* row = out.pixels + out.Stride() * size_t(r);
      for (int32_t x = 0; x < w; ++x) {
        uint8_t g = Grey(&src[(size_t(r) * size_t(w) + size_t(x)) * 4]);
        if (bitCount == 8) row[x] = g;
        else row[x >> 1] |= uint8_t((g >> 4) << ((x & 1) ? 0 : 4));
      }
    }
  } else {
    for (int32_t r = 0; r < h; ++r) {
      uint8_t* row = out.pixels + out.Stride() * size_t(r);
      const uint8_t* p = &src[size_t(r) * size_t(w) * 4];
      for (int32_t x = 0; x < w; ++x, p += 4) {
        if (bitCount == 16) {
          unsigned v = unsigned((p[2] >> 3) << 10 | (p[1] >> 3) << 5 | (p[0] >> 3));
          row[x * 2] = uint8_t(v), row[x * 2 + 1] = uint8_t(v >> 8);
        } else if (bitCount == 24) {
          std::memcpy(row + x * 3, p, 3);
        } else {
          std::memcpy(row + x * 4, p, 4);
        }
      }
    }
  }
  out.header->xPelsPerMeter = header->xPelsPerMeter;
  out.header->yPelsPerMeter = header->yPelsPerMeter;
  TakeFrom(out);
  return true;
}
