#include "DrawFixture.h"

#include <cstring>

std::vector<uint32_t> DrawTest::Frame(Frx::Draw::PDraw& draw) {
  std::vector<uint32_t> out;
  IDirect3DSurface8* back = nullptr;
  if (!draw.device || FAILED(draw.device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) return out;
  D3DLOCKED_RECT lr{};
  D3DSURFACE_DESC desc{};
  back->GetDesc(&desc);
  if (desc.Width == static_cast<unsigned>(Width) && SUCCEEDED(back->LockRect(&lr, nullptr, D3DLOCK_READONLY))) {
    out.resize(static_cast<size_t>(Width) * Height);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        uint32_t v;
        std::memcpy(&v, static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, 4);
        out[static_cast<size_t>(y) * Width + x] = v & 0xFFFFFF;
      }
    back->UnlockRect();
  }
  back->Release();
  return out;
}
