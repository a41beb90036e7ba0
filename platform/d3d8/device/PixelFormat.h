// Texel formats of the stand-in: sizes, conversion to and from A8R8G8B8 words,
// and how each is handed to OpenGL.
#pragma once

#include <cstdint>

#include "platform/d3d8/D3D8Constants.h"

namespace D3D8Impl {

// Bytes per texel; 0 for a format that textures and surfaces cannot hold.
int BytesPerPixel(D3DFORMAT format);
bool HasAlpha(D3DFORMAT format);

// Formats without alpha read as opaque.
uint32_t ReadArgb(D3DFORMAT format, const uint8_t* texel);
void WriteArgb(D3DFORMAT format, uint32_t argb, uint8_t* texel);

struct GlUpload {
  unsigned internalFormat;
  unsigned format;
  unsigned type;
};
bool GlUploadOf(D3DFORMAT format, GlUpload* upload);

}  // namespace D3D8Impl
