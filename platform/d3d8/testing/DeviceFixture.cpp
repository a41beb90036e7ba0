#include "platform/d3d8/testing/DeviceFixture.h"

#include <cmath>
#include <cstring>

void DeviceTest::SetUp() {
  Platform::ResetD3DFaults();
  d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  type = D3DTest::OffscreenDeviceType();
  device = D3DTest::CreateOffscreenDevice(d3d, Width, Height);
  ASSERT_NE(device, nullptr);
}

void DeviceTest::TearDown() {
  if (device) device->Release();
  if (d3d) d3d->Release();
  Platform::ResetD3DFaults();
}

std::vector<uint32_t> DeviceTest::Frame() { return D3DTest::ReadBackBuffer(device, Width, Height); }

uint32_t DeviceTest::Pixel(int x, int y) {
  std::vector<uint32_t> f = Frame();
  if (f.empty()) return 0xDEADBEEF;
  return f[static_cast<size_t>(y) * Width + x];
}

void DeviceTest::FillRect(float x1, float y1, float x2, float y2, float z, D3DCOLOR colour, float u1, float v1,
                          float u2, float v2) {
  ScreenVertex v[4] = {{x1, y1, z, 1, colour, u1, v1},
                       {x2, y1, z, 1, colour, u2, v1},
                       {x1, y2, z, 1, colour, u1, v2},
                       {x2, y2, z, 1, colour, u2, v2}};
  device->SetVertexShader(ScreenFvf);
  ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex)), D3D_OK);
}

IDirect3DTexture8* MakeTexture(IDirect3DDevice8* d, unsigned width, unsigned height, const uint32_t* texels) {
  IDirect3DTexture8* t = nullptr;
  if (d->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t) != D3D_OK) return nullptr;
  D3DLOCKED_RECT lr{};
  if (t->LockRect(0, &lr, nullptr, 0) == D3D_OK) {
    for (unsigned y = 0; y < height; ++y)
      std::memcpy(static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch, texels + y * width, width * 4);
    t->UnlockRect(0);
  }
  return t;
}

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1;
  return m;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

D3DMATRIX PerspectiveLH(float fovY, float aspect, float zn, float zf) {
  D3DMATRIX m{};
  float h = 1.0f / std::tan(fovY / 2);
  m._11 = h / aspect;
  m._22 = h;
  m._33 = zf / (zf - zn);
  m._34 = 1;
  m._43 = -zn * zf / (zf - zn);
  return m;
}

D3DMATRIX Translation(float x, float y, float z) {
  D3DMATRIX m = IdentityMatrix();
  m._41 = x, m._42 = y, m._43 = z;
  return m;
}
