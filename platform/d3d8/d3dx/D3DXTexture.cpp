#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "platform/d3d8/d3dx/image/Image.h"
#include "platform/d3d8/d3dx8tex.h"
#include "platform/d3d8/device/PixelFormat.h"
#include "platform/win32/Cp932.h"

namespace D3D8Impl {

// A Shift-JIS Windows path as the file system's UTF-8 path.
std::string NativePath(const char* path) {
  std::string out = Platform::Cp932::ToUtf8(path, std::strlen(path));
  // After conversion: 0x5C is a trail byte of some Shift-JIS characters.
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

namespace {

// Box filter of one level into the next (odd edges repeat their last texel).
std::vector<uint32_t> HalfSize(const std::vector<uint32_t>& src, unsigned w, unsigned h, unsigned nw, unsigned nh) {
  std::vector<uint32_t> out(static_cast<size_t>(nw) * nh);
  for (unsigned y = 0; y < nh; ++y)
    for (unsigned x = 0; x < nw; ++x) {
      unsigned sum[4] = {};
      for (unsigned k = 0; k < 4; ++k) {
        unsigned sx = std::min(w - 1, x * 2 + (k & 1)), sy = std::min(h - 1, y * 2 + (k >> 1));
        uint32_t c = src[static_cast<size_t>(sy) * w + sx];
        for (int ch = 0; ch < 4; ++ch) sum[ch] += (c >> (ch * 8)) & 255;
      }
      uint32_t c = 0;
      for (int ch = 0; ch < 4; ++ch) c |= ((sum[ch] + 2) / 4) << (ch * 8);
      out[static_cast<size_t>(y) * nw + x] = c;
    }
  return out;
}

// Point-sampled resize to the requested size; the picture itself when it fits.
std::vector<uint32_t> Resize(Image&& img, unsigned w, unsigned h) {
  if (w == img.width && h == img.height) return std::move(img.argb);
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x)
      out[static_cast<size_t>(y) * w + x] =
          img.argb[static_cast<size_t>(y * img.height / h) * img.width + x * img.width / w];
  return out;
}

}  // namespace
}  // namespace D3D8Impl

HRESULT D3DXCreateTexture(IDirect3DDevice8* device, unsigned width, unsigned height, unsigned levels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture) {
  if (!device || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (width == D3DX_DEFAULT) width = 256;
  if (height == D3DX_DEFAULT) height = 256;
  if (format == D3DFMT_UNKNOWN) format = D3DFMT_A8R8G8B8;
  if (levels == D3DX_DEFAULT) levels = 0;
  return device->CreateTexture(std::max(1u, width), std::max(1u, height), levels, usage, format, pool, texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* device, const char* path, unsigned width, unsigned height,
                                     unsigned levels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD,
                                     DWORD, D3DCOLOR colourKey, D3DXIMAGE_INFO* info, void*,
                                     IDirect3DTexture8** texture) {
  using namespace D3D8Impl;
  if (!device || !path || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  Image img;
  if (!ReadImageFile(NativePath(path), &img)) return D3DXERR_INVALIDDATA;
  if (info) *info = {img.width, img.height, 1, 1, img.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8};
  if (width == 0 || width == D3DX_DEFAULT) width = img.width;
  if (height == 0 || height == D3DX_DEFAULT) height = img.height;
  if (format == D3DFMT_UNKNOWN) format = (img.hasAlpha || colourKey) ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
  if (levels == D3DX_DEFAULT) levels = 0;
  IDirect3DTexture8* created = nullptr;
  HRESULT hr = device->CreateTexture(width, height, levels, usage, format, pool, &created);
  if (FAILED(hr)) return hr;
  std::vector<uint32_t> level = Resize(std::move(img), width, height);
  if (colourKey)
    for (uint32_t& c : level)
      if (c == colourKey) c = 0;
  unsigned w = width, h = height;
  int bpp = BytesPerPixel(format);
  for (DWORD i = 0; i < created->GetLevelCount(); ++i) {
    if (i > 0) {
      unsigned nw = std::max(1u, w / 2), nh = std::max(1u, h / 2);
      level = HalfSize(level, w, h, nw, nh);
      w = nw, h = nh;
    }
    D3DLOCKED_RECT lr{};
    if (FAILED(created->LockRect(i, &lr, nullptr, 0))) {
      created->Release();
      return D3DERR_INVALIDCALL;
    }
    for (unsigned y = 0; y < h; ++y)
      for (unsigned x = 0; x < w; ++x)
        WriteArgb(format, level[static_cast<size_t>(y) * w + x],
                  static_cast<uint8_t*>(lr.pBits) + static_cast<size_t>(y) * lr.Pitch + static_cast<size_t>(x) * bpp);
    created->UnlockRect(i);
  }
  *texture = created;
  return D3D_OK;
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* device, const char* path, IDirect3DTexture8** texture) {
  return D3DXCreateTextureFromFileExA(device, path, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                      D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, texture);
}
