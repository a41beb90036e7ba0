// The fixture of the stand-in's device tests: a small off-screen device, pixel
// read-back, a screen-space rectangle and the matrices the tests build.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/testing/OffscreenDevice.h"

struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD ScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class DeviceTest : public ::testing::Test {
 protected:
  static constexpr unsigned Width = 64, Height = 48;

  void SetUp() override;
  void TearDown() override;

  // BGRA word (0xAARRGGBB) of the back buffer at (x, y), alpha dropped.
  uint32_t Pixel(int x, int y);
  std::vector<uint32_t> Frame();
  // A screen rectangle as a two-triangle strip (clockwise on screen).
  void FillRect(float x1, float y1, float x2, float y2, float z, D3DCOLOR colour, float u1 = 0, float v1 = 0,
                float u2 = 1, float v2 = 1);

  IDirect3D8* d3d = nullptr;
  IDirect3DDevice8* device = nullptr;
  D3DDEVTYPE type = D3DDEVTYPE_REF;
};

// A managed texture of width x height A8R8G8B8 texels given row by row from
// the top; null on failure, else the caller owns it.
IDirect3DTexture8* MakeTexture(IDirect3DDevice8* device, unsigned width, unsigned height, const uint32_t* texels);
D3DMATRIX IdentityMatrix();
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b);
// Left-handed perspective, as the system's projection.
D3DMATRIX PerspectiveLH(float fovY, float aspect, float zn, float zf);
D3DMATRIX Translation(float x, float y, float z);
