#include "platform/d3d8/device/PixelFormat.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace D3D8Impl {
namespace {

uint32_t Expand(uint32_t value, int bits) {
  // Replicates the top bits into the low ones, so full scale maps to 255.
  value &= (1u << bits) - 1;
  uint32_t v = value << (8 - bits);
  return v | (v >> bits);
}

uint16_t Load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Store16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

int BytesPerPixel(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      return 4;
    case D3DFMT_R8G8B8:
      return 3;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
      return 2;
    case D3DFMT_A8:
    case D3DFMT_L8:
      return 1;
    default:
      return 0;
  }
}

bool HasAlpha(D3DFORMAT format) {
  return format == D3DFMT_A8R8G8B8 || format == D3DFMT_A1R5G5B5 || format == D3DFMT_A4R4G4B4 ||
         format == D3DFMT_A8;
}

uint32_t ReadArgb(D3DFORMAT format, const uint8_t* p) {
  uint32_t a = 255, r = 0, g = 0, b = 0;
  switch (format) {
    case D3DFMT_A8R8G8B8:
      return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    case D3DFMT_X8R8G8B8:
      return p[0] | (p[1] << 8) | (p[2] << 16) | 0xFF000000u;
    case D3DFMT_R8G8B8:
      return p[0] | (p[1] << 8) | (p[2] << 16) | 0xFF000000u;
    case D3DFMT_R5G6B5: {
      uint32_t v = Load16(p);
      r = Expand(v >> 11, 5), g = Expand(v >> 5, 6), b = Expand(v, 5);
      break;
    }
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5: {
      uint32_t v = Load16(p);
      r = Expand(v >> 10, 5), g = Expand(v >> 5, 5), b = Expand(v, 5);
      if (format == D3DFMT_A1R5G5B5) a = (v & 0x8000) ? 255 : 0;
      break;
    }
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A4R4G4B4: {
      uint32_t v = Load16(p);
      r = Expand(v >> 8, 4), g = Expand(v >> 4, 4), b = Expand(v, 4);
      if (format == D3DFMT_A4R4G4B4) a = Expand(v >> 12, 4);
      break;
    }
    case D3DFMT_A8:
      a = p[0];
      break;
    case D3DFMT_L8:
      r = g = b = p[0];
      break;
    default:
      return 0;
  }
  return (a << 24) | (r << 16) | (g << 8) | b;
}

void WriteArgb(D3DFORMAT format, uint32_t argb, uint8_t* p) {
  uint32_t a = argb >> 24, r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      p[0] = static_cast<uint8_t>(b), p[1] = static_cast<uint8_t>(g), p[2] = static_cast<uint8_t>(r);
      p[3] = static_cast<uint8_t>(format == D3DFMT_A8R8G8B8 ? a : 255);
      break;
    case D3DFMT_R8G8B8:
      p[0] = static_cast<uint8_t>(b), p[1] = static_cast<uint8_t>(g), p[2] = static_cast<uint8_t>(r);
      break;
    case D3DFMT_R5G6B5:
      Store16(p, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
      break;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      Store16(p, ((a >= 128 ? 1u : 0u) << 15) | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
      break;
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A4R4G4B4:
      Store16(p, ((a >> 4) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4));
      break;
    case D3DFMT_A8:
      p[0] = static_cast<uint8_t>(a);
      break;
    case D3DFMT_L8:
      p[0] = static_cast<uint8_t>((r * 77 + g * 150 + b * 29) >> 8);
      break;
    default:
      break;
  }
}

bool GlUploadOf(D3DFORMAT format, GlUpload* u) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
      *u = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE};
      return true;
    case D3DFMT_X8R8G8B8:
      *u = {GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE};
      return true;
    case D3DFMT_R8G8B8:
      *u = {GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE};
      return true;
    case D3DFMT_R5G6B5:
      *u = {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
      return true;
    case D3DFMT_X1R5G5B5:
      *u = {GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case D3DFMT_A1R5G5B5:
      *u = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case D3DFMT_X4R4G4B4:
      *u = {GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    case D3DFMT_A4R4G4B4:
      *u = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    case D3DFMT_A8:
      *u = {GL_ALPHA8, GL_ALPHA, GL_UNSIGNED_BYTE};
      return true;
    case D3DFMT_L8:
      *u = {GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE};
      return true;
    default:
      return false;
  }
}

}  // namespace D3D8Impl
