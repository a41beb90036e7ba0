#include "plugins/Rastel/ScreenGrab.h"

#include <algorithm>
#include <cstring>

#include "ferrox/draw/PDraw.h"
#include "ferrox/draw/PixelCopy.h"
#include "vocore/diblib/DibImage.h"

namespace {

// Bit fields (alpha, red, green, blue) of the formats a back buffer can have.
bool FormatOf(D3DFORMAT format, Frx::Pixel::FORMAT& out) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      out = {{8, 8, 8, 8}, {24, 16, 8, 0}};
      return true;
    case D3DFMT_R5G6B5:
      out = {{0, 5, 6, 5}, {0, 11, 5, 0}};
      return true;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      out = {{0, 5, 5, 5}, {0, 10, 5, 0}};
      return true;
    default:
      return false;
  }
}

// The image's 32-bit layout: blue, green, red, alpha bytes.
constexpr Frx::Pixel::FORMAT ImageFormat{{8, 8, 8, 8}, {24, 16, 8, 0}};

// Releases the surface, unlocking it first when locked.
struct SurfaceHold {
  IDirect3DSurface8* surface = nullptr;
  bool locked = false;
  ~SurfaceHold() {
    if (!surface) return;
    if (locked) surface->UnlockRect();
    surface->Release();
  }
};

}  // namespace

GrabResult GrabScreen(Frx::Draw::PDraw* draw, DibImage& image) {
  IDirect3DDevice8* device = draw ? draw->device : nullptr;
  SurfaceHold back;
  if (!device || FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back.surface)) || !back.surface)
    return GrabResult::NoBackBuffer;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  Frx::Pixel::FORMAT format{};
  if (FAILED(back.surface->GetDesc(&desc)) || !FormatOf(desc.Format, format)) return GrabResult::NotLocked;
  if (FAILED(back.surface->LockRect(&locked, nullptr, D3DLOCK_READONLY)) || !locked.pBits)
    return GrabResult::NotLocked;
  back.locked = true;

  const int width = draw->screenWidth, height = draw->screenHeight;
  if (width <= 0 || height <= 0 || !image.Create(width, height, 32)) return GrabResult::NoImage;
  std::memset(image.pixels, 0, image.ImageSize());
  const int rows = std::min(height, int(desc.Height));
  const auto columns = static_cast<unsigned long>(std::min(width, int(desc.Width)));
  for (int y = 0; y < rows; ++y) {
    const auto* source = static_cast<const unsigned char*>(locked.pBits) + ptrdiff_t(y) * locked.Pitch;
    Frx::Pixel::LineCopy(columns, image.Row(y), ImageFormat, source, format, Frx::Pixel::PIXEL{});
  }
  back.locked = false;
  back.surface->UnlockRect();
  return image.ConvertTo(24, 0) ? GrabResult::Done : GrabResult::NoImage;
}

bool FitShot(DibImage& image, int mode, unsigned height, unsigned width) {
  const double w = image.Width(), h = image.AbsHeight();
  if (w <= 0 || h <= 0) return false;
  if (mode == 1) return image.Resample(std::max(int32_t(double(height) * w / h), int32_t(1)), int32_t(height));
  if (mode == 2) return image.Resample(int32_t(width), std::max(int32_t(double(width) * h / w), int32_t(1)));
  return true;
}
