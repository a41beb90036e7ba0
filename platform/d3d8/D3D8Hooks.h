// Hooks of the Direct3D 8 stand-in for hosts and tests: the window layer that
// answers client sizes and takes presented frames, failure injection for every
// creation step, and a record of the calls made on a device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace Platform {

// Receives each presented frame: BGRA bytes (D3DFMT_X8R8G8B8), rows top-down.
class D3DPresentTarget {
 public:
  virtual ~D3DPresentTarget() = default;
  virtual void PresentFrame(const uint8_t* pixels, int width, int height, int pitch) = 0;
};

// How the stand-in reaches the host's windows (HWND is opaque to it).
struct D3DWindowBridge {
  // false when the window is unknown; sizes may be 0 (a minimised window).
  bool (*clientSize)(HWND window, int* width, int* height) = nullptr;
  // The window's present target, or null to keep the frame only in the back buffer.
  D3DPresentTarget* (*presentTarget)(HWND window) = nullptr;
};
// Installs the bridge (null removes it). The bridge must outlive its use.
void SetD3DWindowBridge(const D3DWindowBridge* bridge);
const D3DWindowBridge* GetD3DWindowBridge();

enum class D3DFault : int {
  Create = 0,        // Direct3DCreate8 returns null
  DisplayMode,       // GetAdapterDisplayMode fails
  HalHardware,       // HAL device with hardware vertex processing
  HalSoftware,       // HAL device with software vertex processing
  Reference,         // reference device
  Present,           // Present reports a lost device
  Reset,             // Reset fails
  Count
};
void SetD3DFault(D3DFault fault, bool fail);
bool IsD3DFault(D3DFault fault);
// A texture format refused by CheckDeviceFormat and CreateTexture.
void SetD3DFormatRefused(D3DFORMAT format, bool refused);
bool IsD3DFormatRefused(D3DFORMAT format);
// Which device types exist: -1 as the renderer says (GPU: HAL, software: REF only),
// 0 software only, 1 a hardware device as well.
void SetD3DHardwareOverride(int mode);
// Draws every texture-stage setup through the generated fragment program,
// not only those GL's combiners cannot express (tests compare the two).
void SetD3DStageProgramForced(bool forced);
bool IsD3DStageProgramForced();
// Clears every fault, refused format and override.
void ResetD3DFaults();

// Creating a device raises glibc's heap trim and mmap thresholds once per
// process (GL drivers allocate and free around every draw, and glibc would
// otherwise grow and trim its heap each frame). A host that tunes its heap
// itself turns this off before creating a device. On by default.
void SetD3DHeapTuning(bool on);
bool IsD3DHeapTuning();

// True when the GL renderer in use is a software rasteriser.
bool D3DIsSoftwareRenderer();
// The GL renderer string ("" when no context can be made).
std::string D3DRendererName();

// Call recording on one device: each call as "Name(arg,arg)". Locks are
// recorded with their ranges and flags: "LockVertexBuffer(offset,size,flags)",
// "LockIndexBuffer(offset,size,flags)", "LockRect(level,left,top,right,bottom,flags)"
// (a texture level; the whole level shows as 0,0,width,height) and
// "LockBackBuffer(left,top,right,bottom,flags)".
void SetD3DCallRecording(IDirect3DDevice8* device, bool on);
std::vector<std::string> TakeD3DCalls(IDirect3DDevice8* device);
// Pixels the device has read back from GL (back-buffer locks, presents to a target).
uint64_t D3DPixelsReadBack(IDirect3DDevice8* device);

}  // namespace Platform
