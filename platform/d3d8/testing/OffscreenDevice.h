// An off-screen device of the Direct3D stand-in and back-buffer read-back,
// shared by the device fixture, the drawing surface's tests and the draw
// benchmark. No test framework here, so benchmarks link it too.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace D3DTest {

// HAL on a GPU, the reference device on a software rasteriser.
D3DDEVTYPE OffscreenDeviceType();

// A windowed width x height device with a lockable X8R8G8B8 back buffer and a
// 16-bit depth buffer, of OffscreenDeviceType(). Null on failure; the caller
// owns one reference.
IDirect3DDevice8* CreateOffscreenDevice(IDirect3D8* d3d, unsigned width, unsigned height);

// The back buffer as 0x00RRGGBB words, rows top-down; empty when it cannot be
// read or is not width x height.
std::vector<uint32_t> ReadBackBuffer(IDirect3DDevice8* device, unsigned width, unsigned height);

}  // namespace D3DTest
