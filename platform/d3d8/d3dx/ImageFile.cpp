#include "platform/d3d8/d3dx/ImageFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include <jpeglib.h>
#include <png.h>

namespace D3D8Impl {
namespace {

constexpr unsigned MaxSide = 16384;

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

bool Allocate(Image* image, uint64_t w, uint64_t h) {
  if (w == 0 || h == 0 || w > MaxSide || h > MaxSide) return false;
  image->width = static_cast<unsigned>(w), image->height = static_cast<unsigned>(h);
  image->argb.assign(w * h, 0xFF000000u);
  return true;
}

bool DecodeBmp(const uint8_t* d, size_t n, Image* img) {
  if (n < 54 || d[0] != 'B' || d[1] != 'M') return false;
  uint32_t offset = Le32(d + 10), headerSize = Le32(d + 14);
  if (headerSize < 40 || 14 + uint64_t{headerSize} > n) return false;
  int32_t w = static_cast<int32_t>(Le32(d + 18)), h = static_cast<int32_t>(Le32(d + 22));
  uint32_t bpp = Le16(d + 28), compression = Le32(d + 30), used = Le32(d + 46);
  bool topDown = h < 0;
  uint64_t aw = w < 0 ? 0 : static_cast<uint64_t>(w), ah = h < 0 ? -static_cast<int64_t>(h) : h;
  if (compression != 0 && !(compression == 3 && (bpp == 16 || bpp == 32))) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (!Allocate(img, aw, ah)) return false;
  uint32_t palette[256] = {};
  if (bpp <= 8) {
    uint32_t count = used ? used : (1u << bpp);
    if (count > 256) return false;
    uint64_t at = 14 + uint64_t{headerSize};
    if (at + count * 4ull > n) return false;
    for (uint32_t i = 0; i < count; ++i) palette[i] = 0xFF000000u | (Le32(d + at + i * 4) & 0xFFFFFF);
  }
  uint64_t stride = ((aw * bpp + 31) / 32) * 4;
  if (offset > n || stride * ah > n - offset) return false;
  for (uint64_t y = 0; y < ah; ++y) {
    const uint8_t* row = d + offset + (topDown ? y : ah - 1 - y) * stride;
    uint32_t* out = img->argb.data() + y * aw;
    for (uint64_t x = 0; x < aw; ++x) {
      switch (bpp) {
        case 1: out[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: out[x] = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
        case 8: out[x] = palette[row[x]]; break;
        case 16: {
          uint32_t v = Le16(row + x * 2);
          uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
          out[x] = 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
          break;
        }
        case 24: out[x] = 0xFF000000u | row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16); break;
        default: out[x] = 0xFF000000u | (Le32(row + x * 4) & 0xFFFFFF); break;
      }
    }
  }
  return true;
}

bool DecodeTga(const uint8_t* d, size_t n, Image* img) {
  if (n < 18) return false;
  uint32_t idLength = d[0], mapType = d[1], type = d[2];
  uint32_t mapLength = Le16(d + 5), mapEntry = d[7];
  uint32_t w = Le16(d + 12), h = Le16(d + 14), bpp = d[16], desc = d[17];
  if (mapType != 0 || (type != 2 && type != 3 && type != 10 && type != 11)) return false;
  bool grey = type == 3 || type == 11;
  if (grey ? bpp != 8 : (bpp != 24 && bpp != 32 && bpp != 16)) return false;
  if (!Allocate(img, w, h)) return false;
  img->hasAlpha = bpp == 32;
  size_t at = 18 + idLength + static_cast<size_t>(mapLength) * ((mapEntry + 7) / 8);
  size_t bytes = bpp / 8;
  uint64_t total = uint64_t{w} * h;
  std::vector<uint32_t> pixels(total);
  auto readPixel = [&](const uint8_t* p) -> uint32_t {
    if (grey) return 0xFF000000u | p[0] * 0x010101u;
    if (bytes == 2) {
      uint32_t v = Le16(p), r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
      return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
    }
    uint32_t a = bytes == 4 ? p[3] : 255u;
    return (a << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
  };
  uint64_t i = 0;
  if (type == 2 || type == 3) {
    if (at > n || total * bytes > n - at) return false;
    for (; i < total; ++i) pixels[i] = readPixel(d + at + i * bytes);
  } else {
    while (i < total) {
      if (at >= n) return false;
      uint32_t header = d[at++];
      uint32_t count = (header & 127) + 1;
      if (count > total - i) return false;
      if (header & 128) {
        if (bytes > n - at) return false;
        uint32_t v = readPixel(d + at);
        at += bytes;
        for (uint32_t k = 0; k < count; ++k) pixels[i++] = v;
      } else {
        if (uint64_t{count} * bytes > n - at) return false;
        for (uint32_t k = 0; k < count; ++k, at += bytes) pixels[i++] = readPixel(d + at);
      }
    }
  }
  bool topDown = (desc & 0x20) != 0, rightToLeft = (desc & 0x10) != 0;
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      uint32_t sy = topDown ? y : h - 1 - y, sx = rightToLeft ? w - 1 - x : x;
      img->argb[uint64_t{y} * w + x] = pixels[uint64_t{sy} * w + sx];
    }
  return true;
}

bool DecodePpm(const uint8_t* d, size_t n, Image* img) {
  if (n < 3 || d[0] != 'P' || (d[1] != '6' && d[1] != '3')) return false;
  size_t at = 2;
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
    while (at < n && d[at] >= '0' && d[at] <= '9' && v < 1000000) v = v * 10 + (d[at++] - '0');
    *out = v;
    return true;
  };
  uint64_t w, h, maxValue;
  if (!number(&w) || !number(&h) || !number(&maxValue) || maxValue == 0 || maxValue > 255) return false;
  if (!Allocate(img, w, h)) return false;
  auto scale = [&](uint64_t v) { return static_cast<uint32_t>(std::min<uint64_t>(v, maxValue) * 255 / maxValue); };
  if (d[1] == '6') {
    ++at;  // the single white-space byte after the maximum
    if (at > n || w * h * 3 > n - at) return false;
    for (uint64_t i = 0; i < w * h; ++i) {
      const uint8_t* p = d + at + i * 3;
      img->argb[i] = 0xFF000000u | (scale(p[0]) << 16) | (scale(p[1]) << 8) | scale(p[2]);
    }
    return true;
  }
  for (uint64_t i = 0; i < w * h; ++i) {
    uint64_t r, g, b;
    if (!number(&r) || !number(&g) || !number(&b)) return false;
    img->argb[i] = 0xFF000000u | (scale(r) << 16) | (scale(g) << 8) | scale(b);
  }
  return true;
}

struct JpegError {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

void JpegFail(j_common_ptr info) { longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }
void JpegQuiet(j_common_ptr, int) {}

bool DecodeJpeg(const uint8_t* d, size_t n, Image* img) {
  if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  error.manager.emit_message = JpegQuiet;
  std::vector<uint8_t> row;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(d), static_cast<unsigned long>(n));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3 || !Allocate(img, info.output_width, info.output_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  row.resize(static_cast<size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    unsigned y = info.output_scanline;
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    uint32_t* out = img->argb.data() + static_cast<size_t>(y) * img->width;
    for (unsigned x = 0; x < img->width; ++x)
      out[x] = 0xFF000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool DecodePng(const uint8_t* d, size_t n, Image* img) {
  if (n < 8 || png_sig_cmp(const_cast<png_bytep>(d), 0, 8) != 0) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, d, n)) return false;
  image.format = PNG_FORMAT_BGRA;
  if (!Allocate(img, image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  img->hasAlpha = true;
  if (!png_image_finish_read(&image, nullptr, img->argb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, Image* image) {
  *image = Image{};
  return DecodeBmp(data, size, image) || DecodePng(data, size, image) || DecodeJpeg(data, size, image) ||
         DecodePpm(data, size, image) || DecodeTga(data, size, image);
}

bool ReadImageFile(const std::string& nativePath, Image* image) {
  std::ifstream in(nativePath, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size <= 0 || size > (256 << 20)) return false;
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
  return DecodeImage(bytes.data(), bytes.size(), image);
}

}  // namespace D3D8Impl
