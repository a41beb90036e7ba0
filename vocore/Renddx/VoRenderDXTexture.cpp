#include "vocore/Renddx/VoRenderDXTexture.h"

#include <cstdint>

#include "ferrox/draw/PixelCopy.h"
#include "ferrox/ferrox/Ferrox.h"
#include "platform/d3d8/d3dx8tex.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/scene/VoITexture.h"

namespace {

// Bit counts (alpha, red, green, blue), then shifts in the same order.
constexpr Frx::Pixel::FORMAT Source555 = {{1, 5, 5, 5}, {15, 10, 5, 0}};
constexpr Frx::Pixel::FORMAT Source888 = {{0, 8, 8, 8}, {0, 16, 8, 0}};
constexpr Frx::Pixel::FORMAT Source8888 = {{8, 8, 8, 8}, {24, 16, 8, 0}};
constexpr Frx::Pixel::FORMAT Texture565 = {{0, 5, 6, 5}, {0, 11, 5, 0}};
constexpr Frx::Pixel::FORMAT Texture8888 = {{8, 8, 8, 8}, {24, 16, 8, 0}};

// Texture images beyond this side are refused before any size arithmetic.
constexpr int MaxSide = 16384;

void Step(int line) { Frx::theFerrox.Log("%s(%d) :step\n", __FILE_NAME__, line); }

}  // namespace

VoRenderDXTexture::~VoRenderDXTexture() { Free(); }

void VoRenderDXTexture::Free() {
  if (deviceTexture_) deviceTexture_->Release();
  deviceTexture_ = nullptr;
  madeFor_ = nullptr;
}

void VoRenderDXTexture::Refresh() {
  if (!texture_ || texture_->GetUpdateFlag() == 0) return;
  due_ = true;
  Upload();
}

IDirect3DTexture8* VoRenderDXTexture::GetTexture() {
  IDirect3DDevice8* device = renderer_ ? renderer_->device : nullptr;
  if (device && (due_ || (deviceTexture_ && madeFor_ != device))) Upload();
  return madeFor_ == device ? deviceTexture_ : nullptr;
}

void VoRenderDXTexture::Upload() {
  Free();
  IDirect3DDevice8* device = renderer_ ? renderer_->device : nullptr;
  // Without a device the upload waits for the first draw that has one.
  if (!device || !texture_) return;
  due_ = false;
  const VoITexture& t = *texture_;
  Frx::Pixel::FORMAT source, target;
  D3DFORMAT format;
  switch (t.bits) {
    case 16: source = Source555, target = Texture565, format = D3DFMT_R5G6B5; break;
    case 24: source = Source888, target = Texture8888, format = D3DFMT_A8R8G8B8; break;
    case 32: source = Source8888, target = Texture8888, format = D3DFMT_A8R8G8B8; break;
    default:
      Frx::theFerrox.Error("対応していないピクセルフォーマットです。\n%s bpp = %d\n", t.GetName(), t.bits);
      return;
  }
  if (!t.pixels || t.width <= 0 || t.height <= 0 || t.width > MaxSide || t.height > MaxSide) return;
  const char* failure = "VoRenderDXTexture::CreateDXTexture( )\n%s の DirectX テクスチャの生成に失敗しました。\nhr = %x";
  IDirect3DTexture8* made = nullptr;
  HRESULT hr = D3DXCreateTexture(device, static_cast<unsigned>(t.width), static_cast<unsigned>(t.height), 1, 0,
                                 format, D3DPOOL_MANAGED, &made);
  if (FAILED(hr) || !made) {
    Step(__LINE__);
    Frx::theFerrox.Error(failure, t.GetName(), static_cast<unsigned>(hr));
    return;
  }
  D3DLOCKED_RECT locked{};
  hr = made->LockRect(0, &locked, nullptr, 0);
  const int texelBytes = format == D3DFMT_R5G6B5 ? 2 : 4;
  if (FAILED(hr) || !locked.pBits || locked.Pitch < t.width * texelBytes) {
    Step(__LINE__);
    Frx::theFerrox.Error(failure, t.GetName(), static_cast<unsigned>(hr));
    if (SUCCEEDED(hr)) made->UnlockRect(0);
    made->Release();
    return;
  }
  const size_t sourcePitch = static_cast<size_t>(t.width) * static_cast<size_t>(t.bits / 8);
  auto* rows = static_cast<uint8_t*>(locked.pBits);
  for (int k = 0; k < t.height; ++k) {
    uint8_t* dst = rows + static_cast<size_t>(t.height - 1 - k) * static_cast<size_t>(locked.Pitch);
    Frx::Pixel::LineCopy(static_cast<unsigned long>(t.width), dst, target, t.pixels + k * sourcePitch, source,
                         Frx::Pixel::PIXEL{});
  }
  made->UnlockRect(0);
  deviceTexture_ = made;
  madeFor_ = device;
}
