// D3DX texture creation and texture-from-file (BMP, TGA, PPM, JPEG, PNG).
#pragma once

#include "platform/d3d8/d3d8.h"

struct D3DXIMAGE_INFO {
  uint32_t Width;
  uint32_t Height;
  uint32_t Depth;
  uint32_t MipLevels;
  D3DFORMAT Format;
};

// levels 0: a full chain. The caller owns one reference of the texture.
HRESULT D3DXCreateTexture(IDirect3DDevice8* device, unsigned width, unsigned height, unsigned levels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);

// width/height D3DX_DEFAULT: the file's own size; format D3DFMT_UNKNOWN: the
// file's. colourKey: texels of that ARGB value (0 none) become transparent
// black. Mip levels are box-filtered from level 0. path is Shift-JIS and
// found as on Windows, in any letter case; only a regular file is read, and
// a picture over 32767 on a side or 256 MiB decoded is D3DXERR_INVALIDDATA.
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* device, const char* path, unsigned width, unsigned height,
                                     unsigned levels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info, void* palette,
                                     IDirect3DTexture8** texture);
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* device, const char* path, IDirect3DTexture8** texture);
