#include "platform/d3d8/device/Direct3D.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/device/Device.h"
#include "platform/d3d8/device/GlContext.h"
#include "platform/d3d8/device/PixelFormat.h"

namespace Platform {
int D3DHardwareOverride();
}

namespace D3D8Impl {
namespace {

bool HardwareExists() {
  int mode = Platform::D3DHardwareOverride();
  if (mode >= 0) return mode == 1;
  return !GlContext::IsSoftware();
}

// GL drivers allocate and free working memory around every draw. With glibc's
// defaults (dynamic thresholds from 128 KB) the heap grows and is trimmed back
// again several times a frame, and blocks past the mmap threshold are mapped
// and unmapped each time: page faults and system calls on the drawing thread.
// Raised thresholds keep that memory in the heap. Done once, for the process,
// when the first device exists; environment tunables set by the user win.
void TuneHeapOnce() {
#if defined(__GLIBC__)
  static std::once_flag once;
  std::call_once(once, [] {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (std::getenv("MALLOC_TRIM_THRESHOLD_") || std::getenv("MALLOC_MMAP_THRESHOLD_") ||
        (tunables && (std::strstr(tunables, "trim_threshold") || std::strstr(tunables, "mmap_threshold"))))
      return;
    mallopt(M_MMAP_THRESHOLD, 32 << 20);  // glibc's largest on 64-bit systems
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
  });
#endif
}

}  // namespace

HRESULT Direct3D::GetAdapterDisplayMode(unsigned adapter, D3DDISPLAYMODE* mode) {
  if (adapter != D3DADAPTER_DEFAULT || !mode) return D3DERR_INVALIDCALL;
  if (Platform::IsD3DFault(Platform::D3DFault::DisplayMode)) return D3DERR_NOTAVAILABLE;
  // Off-screen rendering has no real desktop: a common 32-bit mode stands for it.
  *mode = {1920, 1080, 60, D3DFMT_X8R8G8B8};
  return D3D_OK;
}

HRESULT Direct3D::CheckDeviceType(unsigned adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                  D3DFORMAT backBufferFormat, BOOL) {
  if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
  if (FAILED(DeviceAvailable(type, D3DCREATE_SOFTWARE_VERTEXPROCESSING))) return D3DERR_NOTAVAILABLE;
  bool ok = (displayFormat == D3DFMT_X8R8G8B8 || displayFormat == D3DFMT_R5G6B5) &&
            (backBufferFormat == D3DFMT_X8R8G8B8 || backBufferFormat == D3DFMT_A8R8G8B8 ||
             backBufferFormat == D3DFMT_R5G6B5 || backBufferFormat == D3DFMT_UNKNOWN);
  return ok ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CheckDeviceFormat(unsigned adapter, D3DDEVTYPE type, D3DFORMAT, DWORD usage,
                                   D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) {
  if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) return D3DERR_NOTAVAILABLE;
  if (Platform::IsD3DFormatRefused(checkFormat)) return D3DERR_NOTAVAILABLE;
  if (usage & D3DUSAGE_DEPTHSTENCIL)
    return (checkFormat == D3DFMT_D16 || checkFormat == D3DFMT_D24X8 || checkFormat == D3DFMT_D24S8)
               ? D3D_OK
               : D3DERR_NOTAVAILABLE;
  if (resourceType != D3DRTYPE_TEXTURE && resourceType != D3DRTYPE_SURFACE) return D3DERR_NOTAVAILABLE;
  // The same GL serves both device types, so the formats do not depend on the type.
  return BytesPerPixel(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

void Direct3D::FillCaps(D3DDEVTYPE type, D3DCAPS8* caps) {
  std::memset(caps, 0, sizeof *caps);
  caps->DeviceType = type;
  caps->AdapterOrdinal = 0;
  caps->DevCaps = type == D3DDEVTYPE_HAL ? uint32_t{D3DDEVCAPS_HWTRANSFORMANDLIGHT} : 0u;
  caps->TextureCaps = D3DPTEXTURECAPS_PERSPECTIVE | D3DPTEXTURECAPS_ALPHA | D3DPTEXTURECAPS_MIPMAP |
                      D3DPTEXTURECAPS_PROJECTED;
  caps->MaxTextureWidth = 4096;
  caps->MaxTextureHeight = 4096;
  caps->MaxTextureRepeat = 8192;
  caps->MaxTextureAspectRatio = 4096;
  caps->MaxAnisotropy = 1;
  caps->MaxVertexW = 1e10f;
  caps->MaxTextureBlendStages = MaxStages;
  caps->MaxSimultaneousTextures = MaxStages;
  caps->MaxActiveLights = MaxLights;
  caps->MaxPointSize = 64.0f;
  caps->MaxPrimitiveCount = 0x00FFFFFF;
  caps->MaxVertexIndex = 0x00FFFFFF;
  caps->MaxStreams = 1;
  caps->MaxStreamStride = 255;
  caps->VertexShaderVersion = D3DVS_VERSION(0, 0);
  caps->PixelShaderVersion = D3DPS_VERSION(0, 0);
}

HRESULT Direct3D::GetDeviceCaps(unsigned adapter, D3DDEVTYPE type, D3DCAPS8* caps) {
  if (adapter != D3DADAPTER_DEFAULT || !caps) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) return D3DERR_INVALIDDEVICE;
  FillCaps(type, caps);
  return D3D_OK;
}

HRESULT Direct3D::DeviceAvailable(D3DDEVTYPE type, DWORD behaviour) {
  using Platform::D3DFault;
  if (type == D3DDEVTYPE_HAL) {
    if (!HardwareExists()) return D3DERR_NOTAVAILABLE;
    bool hardwareVp = (behaviour & (D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING)) != 0;
    if (Platform::IsD3DFault(hardwareVp ? D3DFault::HalHardware : D3DFault::HalSoftware))
      return D3DERR_NOTAVAILABLE;
    return D3D_OK;
  }
  if (type == D3DDEVTYPE_REF) {
    if (behaviour & D3DCREATE_HARDWARE_VERTEXPROCESSING) return D3DERR_INVALIDCALL;
    return Platform::IsD3DFault(D3DFault::Reference) ? D3DERR_NOTAVAILABLE : D3D_OK;
  }
  return D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CreateDevice(unsigned adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                               D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) {
  if (!device) return D3DERR_INVALIDCALL;
  *device = nullptr;
  if (adapter != D3DADAPTER_DEFAULT || !params) return D3DERR_INVALIDCALL;
  constexpr DWORD vpMask =
      D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;
  DWORD vp = behaviour & vpMask;
  if (vp != D3DCREATE_SOFTWARE_VERTEXPROCESSING && vp != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
      vp != D3DCREATE_MIXED_VERTEXPROCESSING)
    return D3DERR_INVALIDCALL;
  if (HRESULT hr = DeviceAvailable(type, behaviour); FAILED(hr)) return hr;
  if (!params->hDeviceWindow) params->hDeviceWindow = focusWindow;
  auto* created = new Device(this, type, behaviour);
  HRESULT hr = created->Initialize(params);
  if (FAILED(hr)) {
    created->Release();
    return hr;
  }
  if (Platform::IsD3DHeapTuning()) TuneHeapOnce();
  *device = created;
  return D3D_OK;
}

}  // namespace D3D8Impl

IDirect3D8* Direct3DCreate8(unsigned sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  if (Platform::IsD3DFault(Platform::D3DFault::Create)) return nullptr;
  return new D3D8Impl::Direct3D();
}
