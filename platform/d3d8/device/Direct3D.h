// The stand-in's Direct3D object: one adapter (the GL renderer), its display
// mode, format checks, caps and device creation.
#pragma once

#include "platform/d3d8/device/Resources.h"

namespace D3D8Impl {

class Direct3D final : public RefCounted<IDirect3D8> {
 public:
  unsigned GetAdapterCount() override { return 1; }
  HRESULT GetAdapterDisplayMode(unsigned adapter, D3DDISPLAYMODE* mode) override;
  HRESULT CheckDeviceType(unsigned adapter, D3DDEVTYPE type, D3DFORMAT displayFormat, D3DFORMAT backBufferFormat,
                          BOOL windowed) override;
  HRESULT CheckDeviceFormat(unsigned adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                            D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
  HRESULT GetDeviceCaps(unsigned adapter, D3DDEVTYPE type, D3DCAPS8* caps) override;
  HRESULT CreateDevice(unsigned adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                       D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) override;

  // Whether a device of this type and vertex processing can be made now.
  static HRESULT DeviceAvailable(D3DDEVTYPE type, DWORD behaviour);
  static void FillCaps(D3DDEVTYPE type, D3DCAPS8* caps);
};

}  // namespace D3D8Impl
