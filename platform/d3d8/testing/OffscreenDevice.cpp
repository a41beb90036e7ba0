#include "platform/d3d8/testing/OffscreenDevice.h"

#include <cstring>

#include "platform/d3d8/D3D8Hooks.h"

namespace D3DTest {

D3DDEVTYPE OffscreenDeviceType() {
  return Platform::D3DIsSoftwareRenderer() ? D3DDEVTYPE_REF : D3DDEVTYPE_HAL;
}

IDirect3DDevice8* CreateOffscreenDevice(IDirect3D8* d3d, unsigned width, unsigned height) {
  if (!d3d) return nullptr;
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = width;
  pp.BackBufferHeight = height;
  pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  pp.EnableAutoDepthStencil = TRUE;
  pp.AutoDepthStencilFormat = D3DFMT_D16;
  pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  IDirect3DDevice8* device = nullptr;
  if (d3d->CreateDevice(0, OffscreenDeviceType(), nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device) != D3D_OK)
    return nullptr;
  return device;
}

std::vector<uint32_t> ReadBackBuffer(IDirect3DDevice8* device, unsigned width, unsigned height) {
  std::vector<uint32_t> out;
  IDirect3DSurface8* back = nullptr;
  if (!device || device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back) != D3D_OK) return out;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT lr{};
  if (back->GetDesc(&desc) == D3D_OK && desc.Width == width && desc.Height == height &&
      back->LockRect(&lr, nullptr, D3DLOCK_READONLY) == D3D_OK) {
    out.resize(static_cast<size_t>(width) * height);
    for (unsigned y = 0; y < height; ++y)
      for (unsigned x = 0; x < width; ++x) {
        uint32_t v;
        std::memcpy(&v, static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, 4);
        out[static_cast<size_t>(y) * width + x] = v & 0x00FFFFFF;
      }
    back->UnlockRect();
  }
  back->Release();
  return out;
}

}  // namespace D3DTest
