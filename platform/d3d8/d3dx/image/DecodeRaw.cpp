// The uncompressed and run-length formats: the bytes a header promises are
// counted (at least one byte per run for RLE) before the picture is made.
#include <algorithm>

#include "platform/d3d8/d3dx/image/ImageDecoders.h"

namespace D3D8Impl {

namespace {

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

uint32_t From555(uint32_t v) {
  const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
  return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
}

}  // namespace

bool DecodeBmp(const uint8_t* d, size_t n, Image* img, const ImageLimits& limits) {
  if (n < 54 || d[0] != 'B' || d[1] != 'M') return false;
  const uint32_t offset = Le32(d + 10), headerSize = Le32(d + 14);
  if (headerSize < 40 || 14 + uint64_t{headerSize} > n) return false;
  const int32_t w = static_cast<int32_t>(Le32(d + 18)), h = static_cast<int32_t>(Le32(d + 22));
  const uint32_t bpp = Le16(d + 28), compression = Le32(d + 30), used = Le32(d + 46);
  const bool topDown = h < 0;
  const uint64_t aw = w < 0 ? 0 : static_cast<uint64_t>(w), ah = h < 0 ? -static_cast<int64_t>(h) : h;
  if (compression != 0 && !(compression == 3 && (bpp == 16 || bpp == 32))) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (!FitsLimits(aw, ah, limits)) return false;
  uint32_t palette[256] = {};
  if (bpp <= 8) {
    const uint32_t count = used ? used : (1u << bpp);
    if (count > 256) return false;
    const uint64_t at = 14 + uint64_t{headerSize};
    if (at + count * 4ull > n) return false;
    for (uint32_t i = 0; i < count; ++i) palette[i] = 0xFF000000u | (Le32(d + at + i * 4) & 0xFFFFFF);
  }
  const uint64_t stride = ((aw * bpp + 31) / 32) * 4;
  if (offset > n || stride * ah > n - offset) return false;
  if (!AllocateImage(img, aw, ah, limits)) return false;
  for (uint64_t y = 0; y < ah; ++y) {
    const uint8_t* row = d + offset + (topDown ? y : ah - 1 - y) * stride;
    uint32_t* out = img->argb.data() + y * aw;
    for (uint64_t x = 0; x < aw; ++x) {
      switch (bpp) {
        case 1: out[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: out[x] = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
        case 8: out[x] = palette[row[x]]; break;
        case 16: out[x] = From555(Le16(row + x * 2)); break;
        case 24: out[x] = 0xFF000000u | row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16); break;
        default: out[x] = 0xFF000000u | (Le32(row + x * 4) & 0xFFFFFF); break;
      }
    }
  }
  return true;
}

bool DecodeTga(const uint8_t* d, size_t n, Image* img, const ImageLimits& limits) {
  if (n < 18) return false;
  const uint32_t idLength = d[0], mapType = d[1], type = d[2];
  const uint32_t mapLength = Le16(d + 5), mapEntry = d[7];
  const uint32_t w = Le16(d + 12), h = Le16(d + 14), bpp = d[16], desc = d[17];
  if (mapType != 0 || (type != 2 && type != 3 && type != 10 && type != 11)) return false;
  const bool grey = type == 3 || type == 11, rle = type >= 10;
  if (grey ? bpp != 8 : (bpp != 24 && bpp != 32 && bpp != 16)) return false;
  if (!FitsLimits(w, h, limits)) return false;
  size_t at = 18 + idLength + static_cast<size_t>(mapLength) * ((mapEntry + 7) / 8);
  const size_t bytes = bpp / 8;
  const uint64_t total = uint64_t{w} * h;
  // A run packet holds at most 128 pixels and one pixel value.
  const uint64_t needed = rle ? (total + 127) / 128 * (1 + bytes) : total * bytes;
  if (at > n || needed > n - at) return false;
  if (!AllocateImage(img, w, h, limits)) return false;
  img->hasAlpha = bpp == 32;
  auto readPixel = [&](const uint8_t* p) -> uint32_t {
    if (grey) return 0xFF000000u | p[0] * 0x010101u;
    if (bytes == 2) return From555(Le16(p));
    const uint32_t a = bytes == 4 ? p[3] : 255u;
    return (a << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
  };
  // Pixels in file order first, then turned to rows top-down, left to right.
  uint32_t* pixels = img->argb.data();
  uint64_t i = 0;
  if (!rle) {
    for (; i < total; ++i) pixels[i] = readPixel(d + at + i * bytes);
  } else {
    while (i < total) {
      if (at >= n) return false;
      const uint32_t header = d[at++];
      const uint32_t count = (header & 127) + 1;
      if (count > total - i) return false;
      if (header & 128) {
        if (bytes > n - at) return false;
        std::fill_n(pixels + i, count, readPixel(d + at));
        at += bytes;
        i += count;
      } else {
        if (uint64_t{count} * bytes > n - at) return false;
        for (uint32_t k = 0; k < count; ++k, at += bytes) pixels[i++] = readPixel(d + at);
      }
    }
  }
  if (!(desc & 0x20))  // bottom-up
    for (uint32_t y = 0; y < h / 2; ++y)
      std::swap_ranges(pixels + uint64_t{y} * w, pixels + uint64_t{y + 1} * w, pixels + uint64_t{h - 1 - y} * w);
  if (desc & 0x10)  // right to left
    for (uint32_t y = 0; y < h; ++y) std::reverse(pixels + uint64_t{y} * w, pixels + uint64_t{y + 1} * w);
  return true;
}

bool DecodePpm(const uint8_t* d, size_t n, Image* img, const ImageLimits& limits) {
  if (n < 3 || d[0] != 'P' || (d[1] != '6' && d[1] != '3')) return false;
  size_t at = 2;
  // A number ends at a non-digit (huge values saturate), so every number
  // after the first takes at least two bytes.
  auto number = [&](uint64_t* out) {
    while (at < n) {
      if (d[at] == '#')
        while (at < n && d[at] != '\n') ++at;
      else if (d[at] == ' ' || d[at] == '\t' || d[at] == '\r' || d[at] == '\n')
        ++at;
      else
        break;
    }
    if (at >= n || d[at] < '0' || d[at] > '9') return false;
    uint64_t v = 0;
    for (; at < n && d[at] >= '0' && d[at] <= '9'; ++at) v = std::min<uint64_t>(v * 10 + (d[at] - '0'), 10000000);
    *out = v;
    return true;
  };
  uint64_t w, h, maxValue;
  if (!number(&w) || !number(&h) || !number(&maxValue) || maxValue == 0 || maxValue > 255) return false;
  if (!FitsLimits(w, h, limits)) return false;
  const bool raw = d[1] == '6';
  if (raw) ++at;  // the single white-space byte after the maximum
  if (at > n || w * h * (raw ? 3 : 6) > n - at) return false;
  if (!AllocateImage(img, w, h, limits)) return false;
  auto scale = [&](uint64_t v) { return static_cast<uint32_t>(std::min(v, maxValue) * 255 / maxValue); };
  for (uint64_t i = 0; i < w * h; ++i) {
    uint64_t r, g, b;
    if (raw) {
      const uint8_t* p = d + at + i * 3;
      r = p[0], g = p[1], b = p[2];
    } else if (!number(&r) || !number(&g) || !number(&b)) {
      return false;
    }
    img->argb[i] = 0xFF000000u | (scale(r) << 16) | (scale(g) << 8) | scale(b);
  }
  return true;
}

}  // namespace D3D8Impl
